// The generation log: when a piece was planned, its session id and settings.
#include "compose/generation_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brisolt::compose {

bool GenerationLog::open(const std::string& path) {
  file_.reset();
  failed_ = false;
  const int descriptor =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (descriptor < 0) return false;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || ::ftruncate(descriptor, 0) != 0) {
    ::close(descriptor);
    return false;
  }
  file_.reset(::fdopen(descriptor, "wb"));
  if (!file_) ::close(descriptor);
  return file_ != nullptr;
}

bool GenerationLog::close() {
  if (!file_) return false;
  const bool flushed = std::fflush(file_.get()) == 0 && std::ferror(file_.get()) == 0;
  const bool closed = std::fclose(file_.release()) == 0;
  return flushed && closed && !failed_;
}

void GenerationLog::write(std::string_view text) {
  if (!file_) return;
  std::string stored;
  for (const char c : text) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  if (std::fwrite(stored.data(), 1, stored.size(), file_.get()) != stored.size()) failed_ = true;
}

void GenerationLog::writeStartLine(const std::tm& localTime) {
  char stamp[64];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M", &localTime);
  write("Brisolt generate started at: " + std::string(stamp) + "\n");
}

void GenerationLog::writeParameters(std::uint32_t sessionId, std::string_view keyDisplayName,
                                    std::string_view scaleName, int motifMode, int phraseMode) {
  write("Session ID: " + std::to_string(sessionId));
  write("\nParameters:\n");
  write(" Key signature: " + std::string(keyDisplayName) + "\n");
  write(" Scale: " + std::string(scaleName) + "\n");
  write(std::string(" Motif Mode: ") + static_cast<char>('A' + motifMode) + "\n");
  write(std::string(" Phrase Mode: ") + static_cast<char>('A' + phraseMode) + "\n");
}

void GenerationLog::writePhraseCount(int phraseCount) {
  write("Generate: " + std::to_string(phraseCount) + " phrases\n");
}

}  // namespace brisolt::compose
