// The streaming render: the score from the renderers in plan-only mode, then
// every voice, stem and the final mix computed block by block in memory.
//
// Each mix reads its inputs from byte 104 on (the first input's first 104
// bytes are its preamble), ends with its eighth input, and sees silence where
// an input ended early; a peak-matched mix needs the extremes of the whole
// mix before it can scale any of it. So the work goes in three passes over
// the timeline: the extremes of every group (giving the stems' factors); the
// final mix of the scaled stems, measured (giving its factor) and written as
// it is; and that written mix read back, scaled and written over itself. The
// sample data is read through a few pages at a time, and where a silence
// clip of zeros fills a whole block of an input, that input is neither read
// nor averaged.
#include "render/streaming_render.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "audio/mix_kernels.h"
#include "audio/output_files.h"
#include "audio/sample_bank.h"
#include "audio/wave_copy.h"
#include "audio/wave_format.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_in_place.h"
#include "platform/files/file_system.h"
#include "render/renderer_kind.h"
#include "render/sample_pages.h"
#include "render/voice_failure.h"
#include "render/voice_schedule.h"

namespace brisolt::render {
namespace {

constexpr int kStemCount = 8;
constexpr std::uint32_t kPreamble = audio::kMixPreambleSize;
// Bytes of every input computed per block: a multiple of the mixer's blocks.
constexpr std::uint32_t kBlockBytes = audio::kMixBlockSize * 8;  // 32640
// Passes over the timeline, and the share of the progress bar the score takes.
constexpr int kPasses = 3;
// The work of scaling a block of the written final mix, in blocks averaged:
// a read, a scale and a write against eight stems' worth of voices.
constexpr double kScaleWork = 0.5;
constexpr double kScoreShare = 0.1;
// The remaining-time estimate is first shown after the sixth renderer call.
constexpr int kCallsBeforeEstimate = 5;

// One copy into a voice file: `length` bytes from `source` in the sample
// data, scaled sample by sample from the copy's first byte (an odd last byte
// is copied as it is) unless the gain is 1.0.
struct Segment {
  std::uint64_t start = 0;  // data byte of the voice file
  std::uint32_t length = 0;
  std::uint32_t source = 0;
  double gain = 1.0;
};

// Where the silence clip lies in the sample data, and whether it is all
// zeros (then silence is computed as zeros, and an input that is silent
// over a whole block need not be read at all).
struct SilenceClip {
  std::uint32_t offset = 0;
  bool zero = false;
};

// A block of zeros, for inputs and mixes that are silent over a block.
const std::int16_t* zeroBlock() {
  static const std::vector<std::int16_t> zeros(kBlockBytes / 2 + 1, 0);
  return zeros.data();
}

// One voice file as the mixer reads it: its header, then its clips with
// silence between them. Silence is what the voice file copies: the silence
// clip from its start, again every kSilenceClipSize bytes of the run.
class VoiceStream {
 public:
  VoiceStream(const audio::HeaderTemplate& header, std::uint32_t dataSizeField, std::uint64_t dataBytes,
              const SilenceClip& silence)
      : dataBytes_(dataBytes), silence_(silence) {
    std::copy(header.begin(), header.end(), header_.begin());
    for (int i = 0; i < 4; ++i) header_[audio::kHeaderTemplateSize + i] = static_cast<std::uint8_t>(dataSizeField >> (8 * i));
  }

  std::uint64_t fileBytes() const { return audio::kHeaderSize + dataBytes_; }
  // Copies in order of start, none overlapping another.
  std::vector<Segment>& segments() { return segments_; }
  void rewind() { cursor_ = 0; }

  // True when bytes [position, position + count) of the file are all zeros
  // because they lie past its end or in silence of a silence clip of zeros.
  // Calls (with fill()'s) must come in increasing order of position between
  // rewinds.
  bool silentAt(std::uint64_t position, std::uint32_t count) {
    const std::uint64_t fileEnd = fileBytes();
    if (position >= fileEnd) return true;
    if (!silence_.zero || position < audio::kHeaderSize) return false;
    const std::uint64_t from = position - audio::kHeaderSize;
    const std::uint64_t to = std::min(position + count, fileEnd) - audio::kHeaderSize;
    skipTo(from);
    return cursor_ == segments_.size() || segments_[cursor_].start >= to;
  }

  // Bytes [position, position + count) of the file, 0 past its end.
  void fill(std::uint64_t position, std::uint32_t count, std::uint8_t* out, SamplePages& data,
            std::vector<std::int16_t>& scratch) {
    std::uint64_t end = position + count;
    const std::uint64_t fileEnd = fileBytes();
    if (end > fileEnd) {
      const std::uint64_t kept = fileEnd > position ? fileEnd - position : 0;
      std::memset(out + kept, 0, count - kept);
      end = position + kept;
    }
    while (position < end && position < audio::kHeaderSize) {
      *out++ = header_[position++];
    }
    if (position >= end) return;
    std::uint64_t from = position - audio::kHeaderSize;
    const std::uint64_t to = end - audio::kHeaderSize;
    skipTo(from);
    std::size_t next = cursor_;
    while (from < to) {
      if (next < segments_.size() && segments_[next].start <= from) {
        const Segment& segment = segments_[next++];
        const auto inside = static_cast<std::uint32_t>(from - segment.start);
        const auto take =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(segment.start + segment.length, to) - from);
        copySegment(segment, inside, take, out, data, scratch);
        out += take;
        from += take;
        continue;
      }
      const std::uint64_t runStart = next > 0 ? segments_[next - 1].start + segments_[next - 1].length : 0;
      const std::uint64_t runEnd = next < segments_.size() ? std::min(segments_[next].start, to) : to;
      copySilence(from - runStart, runEnd - from, out, data);
      out += runEnd - from;
      from = runEnd;
    }
  }

 private:
  // Moves the cursor past the copies that end at or before data byte `from`.
  void skipTo(std::uint64_t from) {
    while (cursor_ < segments_.size() && segments_[cursor_].start + segments_[cursor_].length <= from) ++cursor_;
  }

  // `count` bytes of a run of silence from byte `intoRun` of the run on.
  void copySilence(std::uint64_t intoRun, std::uint64_t count, std::uint8_t* out, SamplePages& data) const {
    if (silence_.zero) {
      std::memset(out, 0, static_cast<std::size_t>(count));
      return;
    }
    while (count > 0) {
      const auto inside = static_cast<std::uint32_t>(intoRun % audio::kSilenceClipSize);
      const auto take = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, audio::kSilenceClipSize - inside));
      data.copy(silence_.offset + inside, take, out);
      out += take;
      intoRun += take;
      count -= take;
    }
  }

  static void copySegment(const Segment& segment, std::uint32_t inside, std::uint32_t take, std::uint8_t* out,
                          SamplePages& data, std::vector<std::int16_t>& scratch) {
    if (segment.gain == 1.0) {
      data.copy(segment.source + inside, take, out);
      return;
    }
    const std::uint32_t first = inside & ~1u;
    const std::uint32_t last = std::min(segment.length, (inside + take + 1) & ~1u);
    const std::uint32_t bytes = last - first;
    if (scratch.size() < bytes / 2 + 1) scratch.resize(bytes / 2 + 1);
    auto* raw = reinterpret_cast<std::uint8_t*>(scratch.data());
    data.copy(segment.source + first, bytes, raw);
    audio::scaleSamples(scratch.data(), bytes / 2, segment.gain);
    std::memcpy(out, raw + (inside - first), take);
  }

  std::array<std::uint8_t, audio::kHeaderSize> header_{};
  std::uint64_t dataBytes_ = 0;
  SilenceClip silence_;
  std::vector<Segment> segments_;
  std::size_t cursor_ = 0;
};

// The average of eight inputs over the byte range of one block, as mixEight
// computes it: a last odd byte is averaged as a whole sample whose high byte
// comes from inputs that go on (0 from those that end there). An input that
// is silent over the block is read from zeroBlock() instead of its buffer.
struct Averager {
  std::array<std::vector<std::int16_t>, kStemCount> buffers;
  std::array<const std::int16_t*, audio::kMixInputs> inputs{};
  std::vector<std::int16_t> output;
  Averager() {
    for (auto& buffer : buffers) buffer.assign(kBlockBytes / 2 + 1, 0);
    output.assign(kBlockBytes / 2 + 1, 0);
  }
  static std::uint8_t* bytes(std::int16_t* samples) { return reinterpret_cast<std::uint8_t*>(samples); }

  // True when every input is zeroBlock(): the average is then all zeros.
  bool silent() const {
    return std::all_of(inputs.begin(), inputs.end(), [](const std::int16_t* input) { return input == zeroBlock(); });
  }
  audio::BlockPeaks average(std::uint32_t count) {
    return audio::averageSamples(inputs, (count + 1) / 2, output.data());
  }
};

// A raw mix's bytes scaled as the peak-matching pass does: an odd last byte
// of the mix is read back with a high byte of 0.
void scaleMix(std::int16_t* samples, std::uint32_t count, bool endsMix, double factor) {
  const std::uint32_t wholeSamples = (count + 1) / 2;
  if (count % 2 == 1 && endsMix) Averager::bytes(samples)[count] = 0;
  audio::scaleSamples(samples, wholeSamples, factor);
}

// The extremes of a block whose inputs and average are all zeros.
constexpr audio::BlockPeaks kSilentPeaks{0, 0, 0, 0};

struct Group {
  int stem = 0;
  std::array<VoiceStream*, kStemCount> voices{};
  std::uint64_t mixBytes = 0;  // the stem's bytes after its preamble: the eighth voice's
  audio::MixTrackers trackers;
  double factor = 1.0;
  Averager averager;

  // The raw average of bytes [position, position + count) after the
  // preamble, from count + count % 2 bytes of every input: in
  // averager.output, or zeroBlock() when every input is silent there.
  const std::int16_t* averageAt(std::uint64_t position, std::uint32_t count, SamplePages& data,
                                std::vector<std::int16_t>& scratch, audio::BlockPeaks& peaks) {
    const std::uint32_t whole = count + count % 2;
    for (std::size_t k = 0; k < kStemCount; ++k) {
      VoiceStream& voice = *voices[k];
      if (voice.silentAt(kPreamble + position, whole)) {
        averager.inputs[k] = zeroBlock();
      } else {
        voice.fill(kPreamble + position, whole, Averager::bytes(averager.buffers[k].data()), data, scratch);
        averager.inputs[k] = averager.buffers[k].data();
      }
    }
    if (averager.silent()) {
      peaks = kSilentPeaks;
      return zeroBlock();
    }
    peaks = averager.average(count);
    return averager.output.data();
  }

  void rewind() {
    for (VoiceStream* voice : voices) voice->rewind();
  }
};

class StreamingRun {
 public:
  StreamingRun(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
               RenderHost& host, const VoiceRenderers& renderers)
      : composer_(composer), mixer_(mixer), sampleDataPath_(sampleDataPath), host_(host), renderers_(renderers) {}

  Score takeScore() { return events_.takeScore(); }

  int execute(const std::string& outputPrefix) {
    clearRenderFailure();
    if (!data_.open(sampleDataPath_)) return stopped(false);
    events_.planOnly(data_.size());
    const int planned = planScore();
    if (planned != kRenderDone) return planned;
    if (!buildGroups()) return stopped(false);
    mixer_.setCancel(false);

    std::uint64_t groupBlocks = 0;
    for (const Group& group : groups_) groupBlocks += blocksOf(group.mixBytes);
    const std::uint64_t finalBlocks = blocksOf(finalStem().mixBytes);
    passWork_ = {static_cast<double>(groupBlocks), static_cast<double>(finalBlocks) * kStemCount,
                 static_cast<double>(finalBlocks) * kScaleWork};
    totalWork_ = (passWork_[0] + passWork_[1] + passWork_[2]) / (1.0 - kScoreShare);
    doneWork_ = kScoreShare * totalWork_;

    const PassResult groups = measureGroups();
    if (groups != PassResult::kDone) return stopped(groups == PassResult::kCancelled);
    // The mix is written under a partial name and takes its own only when
    // whole, so a run that stops part-way (a full disk, a signal, a kill)
    // never leaves a short or unscaled mix under the final name.
    platform::FileInPlace written = platform::FileInPlace::create(audio::finalMixPath(outputPrefix));
    if (!written) return stopped(false);
    const PassResult mixed = mixFinal(written.file());
    if (mixed != PassResult::kDone) return stopped(mixed == PassResult::kCancelled);
    const PassResult scaled = scaleFinal(written.file());
    if (scaled != PassResult::kDone) return stopped(scaled == PassResult::kCancelled);
    if (written.commit() != platform::CommitResult::kCommitted) return stopped(false);
    host_.mixWritten(kStemCount + 1);
    while (stepsShown_ < kRenderProgressSteps) step();
    host_.showRemainingTime();
    return kRenderDone;
  }

 private:
  // How a pass over the timeline ended: a read of the sample data that
  // failed fails the run.
  enum class PassResult { kDone, kCancelled, kFailed };

  static std::uint64_t blocksOf(std::uint64_t bytes) { return (bytes + kBlockBytes - 1) / kBlockBytes; }

  int stopped(bool cancelled) {
    if (cancelled) host_.abortGeneration();
    return kRenderStopped;
  }

  bool cancelRequested() const { return composer_.cancelRequested || mixer_.cancelRequested(); }

  void step() {
    host_.advanceProgress();
    ++stepsShown_;
  }

  // Adds `work` to what is done and advances the progress bar to match, then
  // pumps one message.
  PassResult blockDone(double work) {
    doneWork_ += work;
    const int due = std::min(kRenderProgressSteps,
                             static_cast<int>(doneWork_ / totalWork_ * kRenderProgressSteps));
    const bool any = due > stepsShown_;
    while (stepsShown_ < due) step();
    if (any) host_.showRemainingTime();
    mixer_.pumpOneMessage();
    if (data_.failed()) return PassResult::kFailed;
    return cancelRequested() ? PassResult::kCancelled : PassResult::kDone;
  }

  // Runs the schedule's renderers, which record the score and write no audio.
  int planScore() {
    const std::vector<ScheduledCall>& calls = builtinVoiceSchedule().calls;
    if (calls.empty()) return stopped(false);
    bool failed = false;
    for (std::size_t index = 0; index < calls.size(); ++index) {
      const ScheduledCall& call = calls[index];
      composer_.rewindBars();
      const VoiceResult result = renderers_.run(call, composer_, sampleDataPath_, events_);
      for (const std::string& path : result.paths) platform::deleteFile(path);  // empty: nothing was written
      if (result.failed()) {
        reportVoiceFailure(call.letter);
        failed = true;
      }
      if (index >= static_cast<std::size_t>(kCallsBeforeEstimate)) host_.showRemainingTime();
      if (result.cancelled()) return stopped(true);
      const bool lastOfGroup = index + 1 == calls.size() || calls[index + 1].group != call.group;
      if (lastOfGroup && failed) return stopped(false);  // the group's mix would find an input missing
      if (lastOfGroup && composer_.cancelRequested) return stopped(true);
      const int due = static_cast<int>(kScoreShare * kRenderProgressSteps * static_cast<double>(index + 1) /
                                       static_cast<double>(calls.size()));
      while (stepsShown_ < due) step();
    }
    return kRenderDone;
  }

  // The voice streams of the score and the eight groups in stem order.
  bool buildGroups() {
    const Score& score = events_.score();
    const audio::SampleBank bank;
    const std::int32_t silence = bank.silenceOffset();
    if (silence == audio::kNoClip) return false;
    const auto silenceOffset = static_cast<std::uint32_t>(silence);
    silence_ = {silenceOffset, silenceIsZero(silenceOffset)};
    audio::HeaderTemplate header{};
    const compose::PiecePlan& plan = composer_.plan();
    const std::uint32_t dataSize = audio::predictedDataSize(plan.barCount, plan.tempo);
    audio::buildHeaderTemplate(header, audio::riffSizeFor(dataSize));

    voices_.reserve(score.files.size());
    std::vector<std::vector<const PlacedNote*>> notesByFile(score.files.size());
    for (const PlacedNote& note : score.notes) {
      for (std::size_t f = 0; f < score.files.size(); ++f) {
        if (score.files[f].voice == note.voice && score.files[f].file == note.file) {
          notesByFile[f].push_back(&note);
          break;
        }
      }
    }
    for (std::size_t f = 0; f < score.files.size(); ++f) {
      VoiceStream& voice = voices_.emplace_back(header, dataSize, score.files[f].dataBytes, silence_);
      std::stable_sort(notesByFile[f].begin(), notesByFile[f].end(),
                       [](const PlacedNote* a, const PlacedNote* b) { return a->start < b->start; });
      voice.segments().reserve(notesByFile[f].size() +
                               static_cast<std::size_t>(std::count_if(notesByFile[f].begin(), notesByFile[f].end(),
                                                                      [](const PlacedNote* note) { return note->cut; })));
      for (const PlacedNote* note : notesByFile[f]) {
        const std::int32_t clip = bank.sampleOffset(note->key, note->layer);
        if (clip == audio::kNoClip) return false;
        voice.segments().push_back(
            {note->start, note->clipBytes(), static_cast<std::uint32_t>(clip), audio::attenuationGain(note->step)});
        // The rest of a cut note is one copy from the silence clip's start.
        if (note->cut) {
          voice.segments().push_back(
              {note->start + note->clipBytes(), note->length - note->clipBytes(), silenceOffset, 1.0});
        }
      }
    }

    const std::vector<ScheduledCall>& calls = builtinVoiceSchedule().calls;
    std::array<int, kStemCount> filled{};
    groups_ = std::vector<Group>(kStemCount);
    for (const ScheduledCall& call : calls) {
      if (call.stem < 1 || call.stem > kStemCount) return false;
      Group& group = groups_[static_cast<std::size_t>(call.stem - 1)];
      group.stem = call.stem;
      const VoiceId id = call.letter ? VoiceId::ofLetter(call.letter) : VoiceId::melody();
      const int files = call.renderer == Renderer::kMelody ? 2 : filesPerCall(call.renderer);
      for (int file = 0; file < files; ++file) {
        int& count = filled[static_cast<std::size_t>(call.stem - 1)];
        if (count == kStemCount) break;
        VoiceStream* stream = findVoice(score, id, file);
        if (stream == nullptr) return false;
        group.voices[static_cast<std::size_t>(count++)] = stream;
      }
    }
    for (std::size_t g = 0; g < groups_.size(); ++g) {
      if (filled[g] != kStemCount) return false;
      for (VoiceStream* voice : groups_[g].voices) {
        if (voice->fileBytes() < kPreamble) return false;
      }
      groups_[g].mixBytes = groups_[g].voices.back()->fileBytes() - kPreamble;
    }
    return true;
  }

  // Whether the sample data's silence clip at `offset` is all zeros.
  bool silenceIsZero(std::uint32_t offset) {
    if (offset + std::uint64_t{audio::kSilenceClipSize} > data_.size()) return false;
    std::vector<std::uint8_t> chunk(kBlockBytes);
    for (std::uint32_t at = 0; at < audio::kSilenceClipSize; at += kBlockBytes) {
      const std::uint32_t count = std::min(kBlockBytes, audio::kSilenceClipSize - at);
      if (!data_.copy(offset + at, count, chunk.data())) return false;
      if (std::any_of(chunk.begin(), chunk.begin() + count, [](std::uint8_t byte) { return byte != 0; })) return false;
    }
    return true;
  }

  VoiceStream* findVoice(const Score& score, VoiceId voice, int file) {
    for (std::size_t f = 0; f < score.files.size(); ++f) {
      if (score.files[f].voice == voice && score.files[f].file == file) return &voices_[f];
    }
    return nullptr;
  }

  const Group& finalStem() const { return groups_.back(); }

  // Pass 1: the trackers and factor of every stem.
  PassResult measureGroups() {
    int mixes = 0;
    for (Group& group : groups_) {
      group.rewind();
      for (std::uint64_t position = 0; position < group.mixBytes; position += kBlockBytes) {
        const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockBytes, group.mixBytes - position));
        audio::BlockPeaks peaks{};
        group.averageAt(position, count, data_, scratch_, peaks);
        group.trackers.add(peaks);
        const PassResult done = blockDone(1.0);
        if (done != PassResult::kDone) return done;
      }
      group.factor = group.trackers.factor();
      host_.mixWritten(++mixes);
    }
    return PassResult::kDone;
  }

  // Bytes [position, position + count) of stem `group` after its preamble
  // (0 past its end): in the group's averager.output, or zeroBlock() when
  // they are all zeros.
  const std::int16_t* stemAt(Group& group, std::uint64_t position, std::uint32_t count) {
    const std::uint64_t end = std::min<std::uint64_t>(position + count, group.mixBytes);
    if (end <= position) return zeroBlock();
    const auto kept = static_cast<std::uint32_t>(end - position);
    audio::BlockPeaks peaks{};
    const std::int16_t* raw = group.averageAt(position, kept, data_, scratch_, peaks);
    if (raw == zeroBlock()) return raw;  // silence scaled is silence
    std::int16_t* stem = group.averager.output.data();
    scaleMix(stem, kept, end == group.mixBytes, group.factor);
    std::memset(Averager::bytes(stem) + kept, 0, count - kept);
    return stem;
  }

  // Pass 2: the final mix of the scaled stems, measured for its factor and
  // written unscaled to `output` after the preamble.
  PassResult mixFinal(platform::File& output) {
    for (Group& group : groups_) group.rewind();
    std::array<std::uint8_t, kPreamble> preamble{};
    VoiceStream& first = *groups_.front().voices.front();
    first.fill(0, kPreamble, preamble.data(), data_, scratch_);
    first.rewind();
    if (output.write(preamble.data(), kPreamble) != kPreamble) return PassResult::kFailed;
    const std::uint64_t total = finalStem().mixBytes;
    for (std::uint64_t position = 0; position < total; position += kBlockBytes) {
      const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockBytes, total - position));
      const std::uint32_t whole = count + count % 2;
      for (std::size_t k = 0; k < kStemCount; ++k) finalMix_.inputs[k] = stemAt(groups_[k], position, whole);
      std::int16_t* mix = finalMix_.output.data();
      if (finalMix_.silent()) {
        std::memset(mix, 0, count);
        finalTrackers_.add(kSilentPeaks);
      } else {
        finalTrackers_.add(finalMix_.average(count));
      }
      if (output.write(Averager::bytes(mix), count) != count) return PassResult::kFailed;
      const PassResult done = blockDone(kStemCount);
      if (done != PassResult::kDone) return done;
    }
    finalFactor_ = finalTrackers_.factor();
    return PassResult::kDone;
  }

  // Pass 3: the unscaled final mix in `output` read back a block at a time,
  // scaled by its factor and written over itself.
  PassResult scaleFinal(platform::File& output) {
    const std::uint64_t total = finalStem().mixBytes;
    std::int16_t* mix = finalMix_.output.data();
    for (std::uint64_t position = 0; position < total; position += kBlockBytes) {
      const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockBytes, total - position));
      const auto offset = static_cast<std::uint32_t>(kPreamble + position);
      if (!output.seek(offset) || output.read(Averager::bytes(mix), count) != count) return PassResult::kFailed;
      scaleMix(mix, count, position + count == total, finalFactor_);
      if (!output.seek(offset) || output.write(Averager::bytes(mix), count) != count) return PassResult::kFailed;
      const PassResult done = blockDone(kScaleWork);
      if (done != PassResult::kDone) return done;
    }
    return PassResult::kDone;
  }

  compose::Composer& composer_;
  audio::FileMixer& mixer_;
  const std::string& sampleDataPath_;
  RenderHost& host_;
  const VoiceRenderers& renderers_;
  EventCollector events_;
  SamplePages data_;
  std::vector<VoiceStream> voices_;
  std::vector<Group> groups_;
  SilenceClip silence_;
  Averager finalMix_;
  audio::MixTrackers finalTrackers_;
  double finalFactor_ = 1.0;
  std::vector<std::int16_t> scratch_;
  std::array<double, kPasses> passWork_{};
  double totalWork_ = 1.0;
  double doneWork_ = 0.0;
  int stepsShown_ = 0;
};

}  // namespace

int renderStreaming(compose::Composer& composer, audio::FileMixer& mixer, const std::string& sampleDataPath,
                    const std::string& outputPrefix, RenderHost& host, Score& score, const VoiceRenderers& renderers) {
  StreamingRun run(composer, mixer, sampleDataPath, host, renderers);
  const int result = run.execute(outputPrefix);
  score = run.takeScore();
  return result;
}

}  // namespace brisolt::render
