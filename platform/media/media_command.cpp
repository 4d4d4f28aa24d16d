// The makers, the validity rule and the text of the media commands.
#include "platform/media/media_command.h"

#include <ostream>
#include <utility>

namespace brisolt::platform {
namespace {

MediaCommand make(MediaVerb verb, std::string alias, Completion completion) {
  MediaCommand command;
  command.verb = verb;
  command.alias = std::move(alias);
  command.completion = completion;
  return command;
}

constexpr std::string_view kAllAlias = "all";

}  // namespace

MediaCommand MediaCommand::open(std::string path, std::string alias) {
  MediaCommand command = make(MediaVerb::kOpen, std::move(alias), Completion::kWait);
  command.path = std::move(path);
  return command;
}

MediaCommand MediaCommand::setTimeFormat(std::string alias) {
  return make(MediaVerb::kSetTimeFormat, std::move(alias), Completion::kWait);
}

MediaCommand MediaCommand::statusLength(std::string alias) {
  return make(MediaVerb::kStatusLength, std::move(alias), Completion::kWait);
}

MediaCommand MediaCommand::statusPosition(std::string alias) {
  return make(MediaVerb::kStatusPosition, std::move(alias), Completion::kWait);
}

MediaCommand MediaCommand::play(std::string alias) {
  return make(MediaVerb::kPlay, std::move(alias), Completion::kNotify);
}

MediaCommand MediaCommand::pause(std::string alias) {
  return make(MediaVerb::kPause, std::move(alias), Completion::kNone);
}

MediaCommand MediaCommand::stop(std::string alias) {
  return make(MediaVerb::kStop, std::move(alias), Completion::kWait);
}

MediaCommand MediaCommand::seek(std::string alias, std::uint32_t milliseconds) {
  MediaCommand command = make(MediaVerb::kSeek, std::move(alias), Completion::kNone);
  command.milliseconds = milliseconds;
  return command;
}

MediaCommand MediaCommand::seekAndWait(std::string alias, std::uint32_t milliseconds) {
  MediaCommand command = seek(std::move(alias), milliseconds);
  command.completion = Completion::kWait;
  return command;
}

MediaCommand MediaCommand::close(std::string alias) {
  return make(MediaVerb::kClose, std::move(alias), Completion::kWait);
}

MediaCommand MediaCommand::closeAll() { return make(MediaVerb::kCloseAll, {}, Completion::kWait); }

bool isValid(const MediaCommand& command) {
  const bool isPlay = command.verb == MediaVerb::kPlay;
  if (command.completion == Completion::kNotify && !isPlay) return false;
  if (command.completion == Completion::kWait && isPlay) return false;
  if (command.verb == MediaVerb::kCloseAll) return command.alias.empty();
  if (command.alias.empty() || command.alias == kAllAlias) return false;
  return command.verb != MediaVerb::kOpen || !command.path.empty();
}

std::string commandText(const MediaCommand& command) {
  const std::string& alias = command.alias;
  std::string text;
  switch (command.verb) {
    case MediaVerb::kOpen: text = "open " + command.path + " type waveaudio alias " + alias; break;
    case MediaVerb::kSetTimeFormat: text = "set " + alias + " time format MS"; break;
    case MediaVerb::kStatusLength: text = "status " + alias + " length"; break;
    case MediaVerb::kStatusPosition: text = "status " + alias + " position"; break;
    case MediaVerb::kPlay: text = "play " + alias; break;
    case MediaVerb::kPause: text = "pause " + alias; break;
    case MediaVerb::kStop: text = "stop " + alias; break;
    case MediaVerb::kSeek: text = "seek " + alias + " to " + std::to_string(command.milliseconds); break;
    case MediaVerb::kClose: text = "close " + alias; break;
    case MediaVerb::kCloseAll: text = "close all"; break;
  }
  switch (command.completion) {
    case Completion::kNone: break;
    case Completion::kWait: text += " wait"; break;
    case Completion::kNotify: text += " notify"; break;
  }
  return text;
}

std::ostream& operator<<(std::ostream& out, const MediaCommand& command) { return out << commandText(command); }

}  // namespace brisolt::platform
