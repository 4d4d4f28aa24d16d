// The generation log: when a piece was planned, its session id and settings.
#include "compose/generation_log.h"

namespace brisolt::compose {

bool GenerationLog::open(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "wb"));
  return file_ != nullptr;
}

void GenerationLog::close() { file_.reset(); }

void GenerationLog::write(std::string_view text) {
  if (!file_) return;
  std::string stored;
  for (const char c : text) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  std::fwrite(stored.data(), 1, stored.size(), file_.get());
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
