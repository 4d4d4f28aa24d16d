// The recorded reason of a voice file's failure and its wording.
#include "render/voice_failure.h"

#include <cstdio>
#include <cstring>

namespace brisolt::render {
namespace {

thread_local VoiceFailure lastFailure;
thread_local std::string lastReport;

std::string voiceName(char letter) {
  return letter == 0 ? std::string("the melody") : std::string("voice ") + letter;
}

std::string quoted(const std::string& file) { return "'" + file + "'"; }

}  // namespace

std::string describeVoiceFailure(const VoiceFailure& failure, char letter) {
  std::string text = voiceName(letter) + ": ";
  const std::string clip = "key " + std::to_string(failure.key) + " layer " + std::to_string(failure.layer);
  switch (failure.kind) {
    case VoiceFailureKind::kNone: return text + "failed for no recorded reason";
    case VoiceFailureKind::kNoTemporaryFile:
      text += "no voice file could be made in the temporary folder " + quoted(failure.file);
      break;
    case VoiceFailureKind::kNoSampleData:
      text += "the sample data " + quoted(failure.file) + " could not be opened for reading";
      break;
    case VoiceFailureKind::kNoOutput: text += "the voice file " + quoted(failure.file) + " could not be created"; break;
    case VoiceFailureKind::kNoClip: text += "the sample data has no clip for " + clip; break;
    case VoiceFailureKind::kShortCopy:
      text += "copying the clip of " + clip + " into " + quoted(failure.file) + " came up short";
      break;
    case VoiceFailureKind::kShortSilence: text += "writing silence into " + quoted(failure.file) + " came up short"; break;
  }
  if (failure.systemError != 0) text += std::string(" (") + std::strerror(failure.systemError) + ")";
  return text;
}

const VoiceFailure& lastVoiceFailure() { return lastFailure; }

void recordVoiceFailure(VoiceFailure failure) { lastFailure = std::move(failure); }

void reportVoiceFailure(char letter) {
  lastReport = describeVoiceFailure(lastFailure, letter);
  std::fprintf(stderr, "brisolt: rendering failed: %s\n", lastReport.c_str());
}

const std::string& lastRenderFailure() { return lastReport; }

void clearRenderFailure() {
  lastReport.clear();
  lastFailure = {};
}

}  // namespace brisolt::render
