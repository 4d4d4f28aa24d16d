// renderEnsembleVoice: the 32 voices that double, follow, arpeggiate or
// answer the melody from layer 1 clips ringing for two units.
#include <optional>

#include "render/voice_file.h"
#include "render/voice_moves.h"
#include "render/voice_notes.h"
#include "render/voice_patterns.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"

namespace brisolt::render {
namespace {

constexpr int kLayer = 1;
constexpr int kRingUnits = 2;
// Harmony voices choose a register again whenever this many planned units
// (one phrase) have gone by.
constexpr int kRegisterUnits = 128;
constexpr std::string_view kRegisterWeights = "(1,20)(2,20)(3,20)(4,20)(5,20)";

class EnsembleDecisions {
 public:
  EnsembleDecisions(compose::Composer& composer, const EnsembleVoice& voice)
      : composer_(composer),
        voice_(voice),
        rule_(familyRule(voice.family)),
        mode_(modeIntervals(composer.plan().modeFamily)) {}

  // The key the note sounds on, or nothing when it is silent. Runs for every
  // note, in order, so the register choices and random draws stay in step.
  std::optional<int> keyOf(const VoiceNote& note, int debt) {
    const int d = note.planned.duration;
    if (voice_.foldKind == FoldKind::kRangeList) {
      if (plannedUnits_ % kRegisterUnits == 0) pickRegister();
      plannedUnits_ += d;
    }
    if (note.character == '0' || note.planned.barMask == '0') return std::nullopt;
    if (voice_.tonicRule && d > 2 && composer_.isTonic(note.planned.key)) return std::nullopt;
    if (d < voice_.shortestSoundingD) return std::nullopt;

    int key = note.planned.key;
    // Voices with two folds bring the key into the first range before moving.
    if (voice_.foldKind == FoldKind::kFixed && voice_.folds.size() > 1) {
      key = compose::Composer::foldIntoRange(key, voice_.folds.front());
    }
    const std::optional<int> moved = moveKey(rule_.moves, note.character, key, composer_, mode_);
    if (!moved) return std::nullopt;
    key = *moved;
    switch (voice_.foldKind) {
      case FoldKind::kNone: break;
      case FoldKind::kFixed:
        if (key != 0 || rule_.foldsKeyZero) key = compose::Composer::foldIntoRange(key, voice_.folds.back());
        break;
      case FoldKind::kRangeList: key = compose::Composer::foldIntoRange(key, register_); break;
    }
    if (!composer_.isScaleKey(key)) return std::nullopt;
    if (d == 1 && debt > 0) return std::nullopt;  // swallowed by the clip still ringing
    return key;
  }

 private:
  void pickRegister() {
    const int choice = composer_.pickWeighted(kRegisterWeights);
    if (choice >= 1 && choice <= static_cast<int>(voice_.ranges.size())) register_ = voice_.ranges[choice - 1];
  }

  compose::Composer& composer_;
  const EnsembleVoice& voice_;
  const FamilyRule& rule_;
  ModeIntervals mode_;
  int plannedUnits_ = 0;
  KeyRange register_{};
};

// Writes one note: a sounding note rings for two units (one for a last note
// of one unit); a short note leaves a debt that the next silent note pays.
bool placeNote(VoiceFile& file, std::optional<int> key, const VoiceNote& note, int& debt) {
  const int d = note.planned.duration;
  if (!key) {
    file.rest(d, debt);
    return true;
  }
  if (note.planned.lastOfPiece && d == 1) {
    debt = 0;
    return file.clip(*key, kLayer, unitsToBytes(d), note.step);
  }
  if (!file.clip(*key, kLayer, unitsToBytes(kRingUnits), note.step)) return false;
  if (d < kRingUnits) debt += kRingUnits - d;
  file.silenceUnits(d - kRingUnits);
  return true;
}

}  // namespace

VoiceResult renderEnsembleVoice(compose::Composer& composer, const std::string& sampleDataPath, char voiceLetter,
                                EventCollector& events, int step) {
  const EnsembleVoice* voice = builtinVoiceTable().ensemble(voiceLetter);
  if (voice == nullptr) return {};
  const std::string_view pattern = builtinVoicePatterns().find(voiceLetter);
  const bool followsDynamics = familyRule(voice->family).followsDynamics;
  return renderOneFileVoice(composer, sampleDataPath, voice->common.leadInMs, events, VoiceId::ofLetter(voiceLetter),
                            [&](VoiceFile& file) {
    VoiceNotes notes(composer, voice->common.groupDigit, pattern,
                     followsDynamics ? std::nullopt : std::optional<int>(step));
    EnsembleDecisions decisions(composer, *voice);
    int debt = 0;
    return forEachNote(notes, [&](const VoiceNote& note) {
      return placeNote(file, decisions.keyOf(note, debt), note, debt);
    });
  });
}

}  // namespace brisolt::render
