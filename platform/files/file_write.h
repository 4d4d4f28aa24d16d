// What writing a whole file of our own came to: the outcome every writer of
// a finished file (the MIDI file, the stereo rendition) reports.
#pragma once

#include <string>

namespace brisolt::platform {

enum class FileWriteResult { kOk, kCannotCreate, kWriteFailed };

struct FileWrite {
  FileWriteResult result = FileWriteResult::kOk;
  std::string message;  // empty on success, else what failed and what would fix it
};

}  // namespace brisolt::platform
