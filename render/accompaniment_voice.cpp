// renderAccompanimentVoice: the sixteen voices that answer long melody notes
// in the low-middle register from layer 2 clips ringing for three units.
#include <optional>

#include "render/last_note.h"
#include "render/voice_file.h"
#include "render/voice_moves.h"
#include "render/voice_notes.h"
#include "render/voice_patterns.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"

namespace brisolt::render {
namespace {

constexpr int kLayer = 2;
constexpr int kRingUnits = 3;

// The key the note sounds on, or nothing when it is silent.
std::optional<int> keyOf(compose::Composer& composer, const AccompanimentVoice& voice, const FamilyRule& rule,
                         const ModeIntervals& mode, const VoiceNote& note) {
  if (rule.onlyOnTonic && !composer.isTonic(note.planned.key)) return std::nullopt;
  int key = note.planned.key;
  if (rule.foldBefore) key = compose::Composer::foldIntoRange(key, *rule.foldBefore);
  const std::optional<int> moved = moveKey(rule.moves, note.character, key, composer, mode);
  if (!moved) return std::nullopt;
  key = *moved;
  if (rule.foldAfter) key = compose::Composer::foldIntoRange(key, *rule.foldAfter);
  if (!composer.isScaleKey(key)) return std::nullopt;
  if (note.character == '0') return std::nullopt;
  if (note.planned.barMask == '0' && voice.obeysBarMask) return std::nullopt;
  if (key == 0) return std::nullopt;
  if (note.planned.duration < voice.shortestSoundingD) return std::nullopt;
  return key;
}

// Writes one note: three units of ring, or, for the last note of the piece,
// exactly its duration from the clip whose layer is that duration (or the
// longest the key has, then silence: see last_note.h).
bool placeNote(VoiceFile& file, std::optional<int> key, const VoiceNote& note, int& debt) {
  const int d = note.planned.duration;
  if (!key) {
    file.rest(d, debt);
    return true;
  }
  if (note.planned.lastOfPiece) {
    debt = 0;
    const std::optional<LastNoteClip> last = lastNoteClip(file.bank(), *key, d);
    if (!last) return file.clip(*key, d, unitsToBytes(d), note.step);  // fails, naming the clip
    if (!file.clip(*key, last->layer, unitsToBytes(last->clipUnits), note.step)) return false;
    file.silenceUnits(last->silenceUnits);
    return true;
  }
  if (!file.clip(*key, kLayer, unitsToBytes(kRingUnits), note.step)) return false;
  if (d < kRingUnits) debt = kRingUnits - d;
  file.silenceUnits(d - kRingUnits);
  return true;
}

}  // namespace

VoiceResult renderAccompanimentVoice(compose::Composer& composer, const std::string& sampleDataPath,
                                     char voiceLetter, EventCollector& events, int step) {
  const AccompanimentVoice* voice = builtinVoiceTable().accompaniment(voiceLetter);
  if (voice == nullptr) return {};
  const std::string_view pattern = builtinVoicePatterns().find(voiceLetter);
  const FamilyRule& rule = familyRule(voice->family);
  const ModeIntervals mode = modeIntervals(composer.plan().modeFamily);
  return renderOneFileVoice(composer, sampleDataPath, voice->common.leadInMs, events, VoiceId::ofLetter(voiceLetter),
                            [&](VoiceFile& file) {
    VoiceNotes notes(composer, voice->common.groupDigit, pattern,
                     rule.followsDynamics ? std::nullopt : std::optional<int>(step));
    int debt = 0;
    return forEachNote(notes, [&](const VoiceNote& note) {
      return placeNote(file, keyOf(composer, *voice, rule, mode, note), note, debt);
    });
  });
}

}  // namespace brisolt::render
