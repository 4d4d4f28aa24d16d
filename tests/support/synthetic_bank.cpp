// Writes synthetic sample banks clip by clip from the sample table.
#include "tests/support/synthetic_bank.h"

#include <algorithm>
#include <stdexcept>
#include <unistd.h>
#include <vector>

#include "platform/files/file_handle.h"

namespace brisolt::test {

void writeSyntheticBank(const std::string& path, const SyntheticBankOptions& options) {
  platform::File file = platform::File::createForWriting(path);
  if (!file) throw std::runtime_error("cannot create synthetic bank " + path);
  std::vector<std::uint8_t> clip;
  std::uint32_t offset = 0;
  for (const audio::SampleClip& entry : audio::sampleTable()) {
    if (offset >= options.length) break;
    const std::uint32_t size = std::min(entry.size, options.length - offset);
    const std::uint32_t marked = options.markedBytes == 0 ? size : std::min(size, options.markedBytes);
    const auto value = static_cast<std::uint16_t>(syntheticSampleValue(entry.key, entry.layer));
    clip.assign(marked, 0);
    for (std::uint32_t i = 0; i + 1 < marked; i += 2) {
      clip[i] = static_cast<std::uint8_t>(value & 0xFF);
      clip[i + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    if (!file.seek(offset) || file.write(clip.data(), marked) != marked) {
      throw std::runtime_error("cannot write synthetic bank " + path);
    }
    offset += size;
  }
  // The unmarked tail of the last clip still counts: grow the file to its length.
  file.close();
  if (::truncate(path.c_str(), static_cast<off_t>(offset)) != 0) {
    throw std::runtime_error("cannot size synthetic bank " + path);
  }
}

std::int16_t syntheticSampleAt(std::uint32_t offset) {
  std::uint32_t start = 0;
  for (const audio::SampleClip& entry : audio::sampleTable()) {
    if (offset < start + entry.size) return syntheticSampleValue(entry.key, entry.layer);
    start += entry.size;
  }
  return 0;
}

}  // namespace brisolt::test
