// Dealing planned notes to the two streams.
#include "render/note_streams.h"

#include <cerrno>

#include "platform/files/file_system.h"
#include "platform/paths.h"
#include "render/voice_failure.h"

namespace brisolt::render {

NoteStreams::NoteStreams(int noteCount) {
  for (auto& stream : streams_) stream.reserve(static_cast<std::size_t>(noteCount > 0 ? noteCount : 0));
}

void NoteStreams::deal(int key, int duration, int step, int idleStep) {
  streams_[turn_].push_back({key, duration, step});
  streams_[1 - turn_].push_back({0, duration, idleStep});
  turn_ = 1 - turn_;
}

bool StreamFiles::create() {
  std::string path = platform::createTemporaryFile();
  if (path.empty()) {
    recordVoiceFailure({VoiceFailureKind::kNoTemporaryFile, 0, 0, platform::temporaryFolder(), errno});
    return false;
  }
  paths_.push_back(std::move(path));
  return true;
}

std::string StreamFiles::cancelled() const {
  std::string text;
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    if (i > 0) text += '\n';
    text += paths_[i];
  }
  return text + kCancelMark;
}

std::string StreamFiles::failed() {
  for (const std::string& path : paths_) platform::deleteFile(path);
  paths_.clear();
  return {};
}

std::string StreamFiles::written(bool finalLineFeed) const {
  std::string text;
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    if (i > 0 && !finalLineFeed) text += '\n';
    text += paths_[i];
    if (finalLineFeed) text += '\n';
  }
  return text;
}

}  // namespace brisolt::render
