// A stand-in for the sample data file "Data.dat" whose clips say which clip
// they are: every sample of the clip of key k, layer L holds k x 16 + L (so
// key 13 layer 4 is 212), and the silence clip holds 0. A test that copies
// clips into a voice file can read back which clip landed where.
//
//   TempFolderTest ... writeSyntheticBank(folder().file("Data.dat"));
//   // bytes at SampleBank().sampleOffset(13, 4) read 212, 212, ...
#pragma once

#include <cstdint>
#include <string>

#include "audio/sample_table.h"

namespace brisolt::test {

struct SyntheticBankOptions {
  // Only the first `markedBytes` bytes of each clip carry the value; the rest
  // is zeros (written as holes, so a reduced bank costs no disk). 0 marks
  // every byte.
  std::uint32_t markedBytes = 0;
  // The file is cut to this many bytes (a bank that ends early).
  std::uint32_t length = audio::kSampleDataSize;
};

// The sample value of the clip of `key` and `layer` (key 0 is the silence clip: 0).
constexpr std::int16_t syntheticSampleValue(int key, int layer) {
  return key == audio::kSilenceKey ? std::int16_t{0} : static_cast<std::int16_t>(key * 16 + layer);
}

// Writes the bank to `path` (replacing it) in the layout of the sample table.
// Throws std::runtime_error when the file cannot be written.
void writeSyntheticBank(const std::string& path, const SyntheticBankOptions& options = {});

// The sample a full synthetic bank holds at byte `offset` (even), found from
// the sample table; 0 past its end.
std::int16_t syntheticSampleAt(std::uint32_t offset);

}  // namespace brisolt::test
