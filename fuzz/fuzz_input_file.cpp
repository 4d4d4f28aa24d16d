// One input file per fuzzing process, rewritten for every input.
#include "fuzz/fuzz_input_file.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace brisolt::fuzz {

const std::string& writeInputFile(const std::uint8_t* data, std::size_t size, const char* extension) {
  static const std::string path = [extension] {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/brisolt-fuzz-" +
           std::to_string(::getpid()) + extension;
  }();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) std::abort();
  return path;
}

}  // namespace brisolt::fuzz
