// The generation log: the short text file, beside the session's audio files,
// that records when a piece was planned, its session id and its settings.
// Lines end in carriage return plus line feed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

namespace brisolt::compose {

class GenerationLog {
 public:
  // Opens the file for writing, creating it when missing and emptying it
  // otherwise (a session's log is claimed empty before it is planned). Never
  // follows a link and never waits: a link, a FIFO, a device or a folder at
  // the name is refused. False when it cannot.
  bool open(const std::string& path);
  // Closes the file. False when any write or the close failed (a full disk),
  // so that a short log is never taken for a written one.
  bool close();
  bool isOpen() const { return file_ != nullptr; }

  // "Brisolt generate started at: YYYY-MM-DD HH:MM"
  void writeStartLine(const std::tm& localTime);
  // The session id, the "Parameters:" heading and the four parameter lines.
  // The modes are 0..11 and are written as the letters A..L.
  void writeParameters(std::uint32_t sessionId, std::string_view keyDisplayName, std::string_view scaleName,
                       int motifMode, int phraseMode);
  // "Generate: N phrases", the last line.
  void writePhraseCount(int phraseCount);

 private:
  // Writes the text with every "\n" stored as "\r\n".
  void write(std::string_view text);

  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, FileCloser> file_;
  bool failed_ = false;
};

}  // namespace brisolt::compose
