// brisolt-io-floor: the least a piece's file traffic can cost. Moves the same
// bytes as a compose with plain 64 KiB system calls and no audio work, in the
// compose's rhythm: files of voice-file size written eight at a time, read
// back while they are fresh (as the mixes read each group's files), then
// deleted, until the given numbers of bytes have been written and read.
//
//   brisolt-io-floor FOLDER BYTES_TO_WRITE BYTES_TO_READ [FILE_SIZE]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBlock = 64 * 1024;
constexpr int kFilesPerGroup = 8;
constexpr unsigned long long kVoiceFileSize = 14244344;  // a voice file of a 5-phrase piece

bool writeFile(const std::string& path, unsigned long long size, std::vector<char>& buffer) {
  const int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) return false;
  for (unsigned long long done = 0; done < size;) {
    const std::size_t count = static_cast<std::size_t>(std::min<unsigned long long>(kBlock, size - done));
    if (::write(out, buffer.data(), count) != static_cast<ssize_t>(count)) return false;
    done += count;
  }
  return ::close(out) == 0;
}

// Reads up to `bytes` from the files in turn; returns what it read.
unsigned long long readFiles(const std::vector<std::string>& files, unsigned long long bytes, std::vector<char>& buffer) {
  unsigned long long done = 0;
  for (std::size_t k = 0; done < bytes && !files.empty(); ++k) {
    const int in = ::open(files[k % files.size()].c_str(), O_RDONLY);
    if (in < 0) break;
    ssize_t got = 0;
    while (done < bytes && (got = ::read(in, buffer.data(), kBlock)) > 0) done += static_cast<unsigned long long>(got);
    ::close(in);
  }
  return done;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: brisolt-io-floor FOLDER BYTES_TO_WRITE BYTES_TO_READ [FILE_SIZE]\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  const unsigned long long toWrite = std::strtoull(argv[2], nullptr, 10);
  const unsigned long long toRead = std::strtoull(argv[3], nullptr, 10);
  const unsigned long long fileSize = argc == 5 ? std::strtoull(argv[4], nullptr, 10) : kVoiceFileSize;
  const double readsPerWrite = toWrite ? static_cast<double>(toRead) / static_cast<double>(toWrite) : 0.0;
  std::vector<char> buffer(kBlock, 1);

  unsigned long long written = 0;
  unsigned long long read = 0;
  for (int group = 0; written < toWrite; ++group) {
    std::vector<std::string> files;
    unsigned long long groupBytes = 0;
    for (int k = 0; k < kFilesPerGroup && written < toWrite; ++k) {
      const unsigned long long size = std::min(fileSize, toWrite - written);
      files.push_back(folder + "floor" + std::to_string(group) + "_" + std::to_string(k) + ".tmp");
      if (!writeFile(files.back(), size, buffer)) return 1;
      written += size;
      groupBytes += size;
    }
    const bool last = written >= toWrite;
    const auto share = last ? toRead - std::min(read, toRead)
                            : static_cast<unsigned long long>(static_cast<double>(groupBytes) * readsPerWrite);
    read += readFiles(files, share, buffer);
    for (const std::string& path : files) ::unlink(path.c_str());
  }
  return 0;
}
