// Writing the media tests' wave files.
#include "test_wave_file.h"

#include <unistd.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace brisolt::platform::testing {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

void putText(std::vector<std::uint8_t>& out, const char* text) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(text[i]));
}

}  // namespace

std::vector<std::uint8_t> countingSamples(std::size_t frames) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(frames * 2);
  for (std::size_t i = 0; i < frames; ++i) put16(bytes, static_cast<std::uint32_t>((i + 1) & 0xFFFF));
  return bytes;
}

std::vector<std::uint8_t> waveHeader(std::uint32_t declaredBytes, const WaveFormat& format) {
  std::vector<std::uint8_t> header;
  putText(header, "RIFF");
  put32(header, declaredBytes + 36);
  putText(header, "WAVE");
  putText(header, "fmt ");
  put32(header, 16);
  put16(header, format.formatTag);
  put16(header, format.channels);
  put32(header, format.sampleRate);
  put32(header, format.byteRate);
  put16(header, format.blockAlign);
  put16(header, format.bitsPerSample);
  putText(header, "data");
  put32(header, declaredBytes);
  return header;
}

TestFolder::TestFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "brisolt-media-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
  folder_ = pattern;
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string TestFolder::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  const std::string file = path(name);
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file);
  return file;
}

std::string TestFolder::writeWave(const std::string& name, const std::vector<std::uint8_t>& samples,
                                  std::uint32_t declaredBytes) const {
  std::vector<std::uint8_t> bytes = waveHeader(declaredBytes);
  bytes.insert(bytes.end(), samples.begin(), samples.end());
  return write(name, bytes);
}

}  // namespace brisolt::platform::testing
