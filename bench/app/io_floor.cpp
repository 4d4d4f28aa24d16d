// brisolt-io-floor: the least a piece's file traffic can cost. Writes a given
// number of bytes as files of voice-file size in 64 KiB system calls, reads a
// given number of bytes back from them the same way, and deletes them: the
// same bytes a compose moves, with no audio work at all.
//
//   brisolt-io-floor FOLDER BYTES_TO_WRITE BYTES_TO_READ
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBlock = 64 * 1024;
constexpr unsigned long long kFileSize = 14244300;  // a voice file of a 5-phrase piece

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: brisolt-io-floor FOLDER BYTES_TO_WRITE BYTES_TO_READ\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  const unsigned long long toWrite = std::strtoull(argv[2], nullptr, 10);
  const unsigned long long toRead = std::strtoull(argv[3], nullptr, 10);
  std::vector<char> buffer(kBlock, 1);
  std::vector<std::string> files;

  for (unsigned long long written = 0; written < toWrite;) {
    const std::string path = folder + "floor" + std::to_string(files.size()) + ".tmp";
    const int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) return 1;
    files.push_back(path);
    for (unsigned long long inFile = 0; inFile < kFileSize && written < toWrite;) {
      const std::size_t count = static_cast<std::size_t>(std::min<unsigned long long>(
          {kBlock, kFileSize - inFile, toWrite - written}));
      if (::write(out, buffer.data(), count) != static_cast<ssize_t>(count)) return 1;
      inFile += count;
      written += count;
    }
    ::close(out);
  }

  for (unsigned long long read = 0, file = 0; read < toRead && !files.empty(); ++file) {
    const int in = ::open(files[file % files.size()].c_str(), O_RDONLY);
    if (in < 0) return 1;
    ssize_t got = 0;
    while (read < toRead && (got = ::read(in, buffer.data(), kBlock)) > 0) read += static_cast<unsigned long long>(got);
    ::close(in);
  }

  for (const std::string& path : files) ::unlink(path.c_str());
  return 0;
}
