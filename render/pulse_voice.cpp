// renderPulseVoice: the six bass voices that strike twice in every bar at
// fixed units, whatever the melody's rhythm, on the melody key sounding then
// (or its fifth) brought into the lowest register; layer 2 clips of three
// units.
#include "render/planned_notes.h"
#include "render/voice_file.h"
#include "render/voice_moves.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"

namespace brisolt::render {
namespace {

constexpr int kLayer = 2;
constexpr int kStrikeUnits = 3;

class PulseStrikes {
 public:
  PulseStrikes(compose::Composer& composer, const PulseVoice& voice, int step)
      : composer_(composer),
        voice_(voice),
        step_(step),
        thirdUp_(modeIntervals(composer.plan().modeFamily).thirdUp) {}

  VoiceOutcome write(VoiceFile& file) {
    BarMasks masks(composer_, voice_.common.groupDigit);
    const int barCount = composer_.plan().barCount;
    int carry = 0;  // units of the previous bar's second strike reaching into this bar
    for (int bar = 0; bar < barCount; ++bar) {
      if (stopRequested(composer_)) return VoiceOutcome::kCancelled;
      const char mask = masks.maskOf(bar);
      const PlannedBar planned(composer_.nextBar());
      // The last bar's second strike stops at the bar line.
      const int secondUnits = bar == barCount - 1 ? kStrikeUnits - voice_.carry : kStrikeUnits;
      file.silenceUnits(voice_.firstUnit - carry);
      if (!strike(file, planned, mask, voice_.firstUnit, Strike::kFirst, kStrikeUnits)) return VoiceOutcome::kFailed;
      file.silenceUnits(voice_.secondUnit - (voice_.firstUnit + kStrikeUnits));
      if (!strike(file, planned, mask, voice_.secondUnit, Strike::kSecond, secondUnits)) return VoiceOutcome::kFailed;
      const int fill = compose::Composer::barLength - (voice_.secondUnit + secondUnits);
      if (fill > 0) file.silenceUnits(fill);
      if (fill < 0) carry = -fill;
    }
    return VoiceOutcome::kWritten;
  }

 private:
  // The key struck at `unit`, or 0 (silence).
  int keyAt(const PlannedBar& planned, char mask, int unit, Strike which) const {
    const int melody = compose::Composer::keyAtBeat(unit, planned.pitches(), planned.rhythms());
    if (melody == 0) return 0;  // the bar's notes have ended
    if (voice_.needsThirdInScale && !composer_.isScaleKey(melody + thirdUp_)) return 0;
    const int key = compose::Composer::foldIntoRange(melody + voice_.keyOffset, voice_.fold);
    if (!composer_.isScaleKey(key) || voice_.silencedStrike == which || mask == '0') return 0;
    return key;
  }

  bool strike(VoiceFile& file, const PlannedBar& planned, char mask, int unit, Strike which, int units) const {
    return file.clip(keyAt(planned, mask, unit, which), kLayer, unitsToBytes(units), step_);
  }

  compose::Composer& composer_;
  const PulseVoice& voice_;
  int step_;
  int thirdUp_;
};

}  // namespace

VoiceResult renderPulseVoice(compose::Composer& composer, const std::string& sampleDataPath, char voiceLetter,
                             EventCollector& events, int step) {
  const PulseVoice* voice = builtinVoiceTable().pulse(voiceLetter);
  if (voice == nullptr) return {};
  PulseStrikes strikes(composer, *voice, step);
  return renderOneFileVoice(composer, sampleDataPath, voice->common.leadInMs, events, VoiceId::ofLetter(voiceLetter),
                            [&](VoiceFile& file) { return strikes.write(file); });
}

}  // namespace brisolt::render
