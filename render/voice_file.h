// One voice file being written: the open sample data file and the open
// output, the time grid in bytes, the place on the file's timeline where the
// next copy lands (each clip is reported there to the event collector), and
// the flow every renderer follows for a file (sample data opened, header
// written, lead-in, the voice's notes, tail, both files closed).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio/sample_bank.h"
#include "compose/composer.h"
#include "platform/files/file_handle.h"
#include "render/voice_failure.h"
#include "render/score.h"
#include "render/voice_renderers.h"

namespace brisolt::render {

// A bar lasts 4 s at 44100 bytes per second whatever the tempo, and holds
// eight duration units of half a second.
inline constexpr std::uint32_t kBarBytes = 176400;
inline constexpr std::uint32_t kUnitBytes = kBarBytes / compose::Composer::barLength;  // 22050
// Lead-in and tail together: every voice ends this long after the last bar.
inline constexpr int kLeadInAndTailMs = 3000;

constexpr std::uint32_t unitsToBytes(int units) {
  return units > 0 ? static_cast<std::uint32_t>(units) * kUnitBytes : 0;
}

// The byte counts of a voice's lead-in and of its tail (3000 ms less the
// lead-in), each trunc(ms x 44.1) made even.
std::uint32_t leadInBytes(int leadInMs);
std::uint32_t tailBytes(int leadInMs);

// Appends to the output; every write returns false when the clip does not
// exist or fewer bytes were written than asked for. Every clip copied whole
// is reported to `track`'s collector with its place on the timeline, and the
// file's data length when it is closed.
class VoiceFile {
 public:
  explicit VoiceFile(audio::SampleBank& bank, ScoreTrack track = {}) : bank_(bank), track_(track) {}

  enum class Open { kOpened, kNoSampleData, kNoOutput };
  // Opens the sample data for reading and creates `outputPath` with the
  // header predicted for `barCount` bars at `tempo`.
  Open open(const std::string& sampleDataPath, const std::string& outputPath, int barCount, int tempo);

  // Silence, copied raw from the silence clip. Silences in a row are held
  // back and copied as one, before the next clip or by flush(), which
  // report a failed copy. The clip is read once per file and its bytes kept,
  // since most of what a voice writes is silence.
  void silence(std::uint32_t bytes) { pendingSilence_ += bytes; }
  void silenceUnits(int units) { silence(unitsToBytes(units)); }

  // `bytes` from the start of the clip of `key` and `layer` (key 0: the
  // silence clip), scaled by attenuation step `step`; clipCut cuts a request
  // over 2.5 s to 2 s of clip and fills the rest with silence.
  bool clip(int key, int layer, std::uint32_t bytes, int step);
  bool clipCut(int key, int layer, std::uint32_t bytes, int step);

  // A note that does not sound: its duration less the open debt in units
  // of silence; the debt is paid.
  void rest(int duration, int& debt);

  // Writes the silence held back; false when the copy came up short.
  bool flush();

  // Closes the output and the sample data file (without flushing) and
  // reports the data length written to the collector.
  void close();

  const audio::SampleBank& bank() const { return bank_; }
  // Why the last open, clip or flush failed (kNone while none has).
  const VoiceFailure& failure() const { return failure_; }
  // The data bytes written so far, and where the next copy lands (after the
  // silence held back).
  std::uint64_t written() const { return written_; }
  std::uint64_t position() const { return written_ + pendingSilence_; }

 private:
  // Records the failure (with errno as it stands) and returns false.
  bool fail(VoiceFailureKind kind, int key, int layer, const std::string& file);
  // Reports a clip that was copied at `start`.
  void report(int key, int layer, std::uint64_t start, std::uint32_t bytes, int step, bool cut);
  bool fetchOffset(int key, int layer, std::uint32_t& offset) const;
  // Reads the whole silence clip into silenceClip_; false when the sample
  // data ends before the clip does (then silence is copied piece by piece,
  // and the copy reports the shortfall).
  bool loadSilenceClip(std::uint32_t silenceOffset);
  // What a copy would return when only planning: every byte, or
  // kCopySourceEnded past the end of the sample data.
  std::int32_t plannedCopy(std::uint64_t offset, std::uint32_t bytes) const;
  std::int32_t plannedCutCopy(std::uint32_t offset, std::uint32_t bytes) const;

  audio::SampleBank& bank_;
  ScoreTrack track_;
  platform::File sampleData_;
  platform::File output_;
  std::uint64_t pendingSilence_ = 0;  // bytes
  std::uint64_t written_ = 0;         // data bytes copied to the output
  std::vector<std::uint8_t> silenceClip_;
  bool silenceClipTried_ = false;
  bool planOnly_ = false;  // the collector plans only: nothing is copied or written
  std::string sampleDataPath_;
  std::string outputPath_;
  VoiceFailure failure_;
};

enum class VoiceOutcome {
  kWritten,    // the file is complete and closed
  kCancelled,  // the cancel flag stopped it; the file is closed where it stopped
  kFailed,     // sample data, output, a clip or a write failed
};

// The notes of one file, written after the lead-in.
using VoiceBody = std::function<VoiceOutcome(VoiceFile&)>;

// The flow of one voice file at `outputPath`: opens the sample data and
// creates the WAV file, writes the lead-in, runs `body`, writes the tail and
// closes both files (on every outcome). The tail is not written after a
// cancel or a failure; after a cancel the file holds what was placed so far.
// A failure is recorded for lastVoiceFailure().
// The clips go to `track`.
VoiceOutcome writeVoiceFile(const compose::PiecePlan& plan, audio::SampleBank& bank,
                            const std::string& sampleDataPath, const std::string& outputPath, int leadInMs,
                            const VoiceBody& body, const ScoreTrack& track = {});

// A one-file voice: makes its temporary file, writes it with writeVoiceFile
// as file 0 of `voice` and returns the renderer's result; after a failure
// the file is removed.
VoiceResult renderOneFileVoice(compose::Composer& composer, const std::string& sampleDataPath, int leadInMs,
                               EventCollector& events, VoiceId voice, const VoiceBody& body);

}  // namespace brisolt::render
