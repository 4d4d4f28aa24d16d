// Fuzzes the WAV reader of `brisolt play`: any file must be either refused
// with a message or opened with its data inside the file, and every read of
// the data, in range or not, must stay within its buffer.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_input_file.h"
#include "platform/media/wave_stream.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brisolt::platform;
  const std::string& path = brisolt::fuzz::writeInputFile(data, size, ".wav");
  WaveStream stream;
  std::string error;
  if (stream.open(path, error) != MediaResult::kSuccess) {
    check(!error.empty());
    return 0;
  }
  check(stream.dataBytes() <= size);
  std::vector<std::uint8_t> out(4096 + 16);
  const std::uint64_t bytes = stream.dataBytes();
  // The start, the end, a block boundary, and past the end.
  for (const std::uint64_t offset : {std::uint64_t{0}, bytes > 100 ? bytes - 100 : 0,
                                     std::uint64_t{WaveStream::kBlockBytes - 3}, bytes, bytes + 5}) {
    const std::size_t count = offset + 4096 <= bytes ? 4096 : 17;
    const bool read = stream.read(offset, out.data(), count);
    check(read == (offset + count <= bytes));
  }
  return 0;
}
