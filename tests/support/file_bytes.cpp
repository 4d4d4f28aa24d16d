// Reading and writing whole test files.
#include "tests/support/file_bytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace brisolt::test {

void writeFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + path);
}

Bytes readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes samplesToBytes(const std::vector<std::int16_t>& samples) {
  Bytes bytes;
  bytes.reserve(samples.size() * 2);
  for (std::int16_t sample : samples) {
    const auto value = static_cast<std::uint16_t>(sample);
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  return bytes;
}

std::vector<std::int16_t> bytesToSamples(const Bytes& bytes, std::size_t from) {
  std::vector<std::int16_t> samples;
  for (std::size_t i = from; i + 1 < bytes.size(); i += 2) {
    samples.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return samples;
}

void writeSampleFile(const std::string& path, const std::vector<std::int16_t>& samples, std::size_t preambleSize,
                     std::uint8_t preambleByte) {
  Bytes bytes(preambleSize, preambleByte);
  const Bytes body = samplesToBytes(samples);
  bytes.insert(bytes.end(), body.begin(), body.end());
  writeFileBytes(path, bytes);
}

bool fileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

std::uint64_t fileSize(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace brisolt::test
