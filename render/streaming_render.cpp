// The streaming render: the score from the renderers in plan-only mode, then
// every voice, stem and the final mix computed block by block in memory.
//
// Each mix reads its inputs from byte 104 on (the first input's first 104
// bytes are its preamble), ends with its eighth input, and sees silence where
// an input ended early; a peak-matched mix needs the extremes of the whole
// mix before it can scale any of it. So the work goes in three passes over
// the timeline: the extremes of every group (giving the stems' factors), the
// extremes of the final mix of the scaled stems (its factor), and the final
// mix once more, scaled and written.
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

// One voice file as the mixer reads it: its header, then its copies.
class VoiceStream {
 public:
  VoiceStream(const audio::HeaderTemplate& header, std::uint32_t dataSizeField, std::uint64_t dataBytes)
      : dataBytes_(dataBytes) {
    std::copy(header.begin(), header.end(), header_.begin());
    for (int i = 0; i < 4; ++i) header_[audio::kHeaderTemplateSize + i] = static_cast<std::uint8_t>(dataSizeField >> (8 * i));
  }

  std::uint64_t fileBytes() const { return audio::kHeaderSize + dataBytes_; }
  std::vector<Segment>& segments() { return segments_; }
  void rewind() { cursor_ = 0; }

  // Silence as the voice file copies it: runs of the silence clip, restarted
  // every kSilenceClipSize bytes.
  void addSilence(std::uint64_t from, std::uint64_t to, std::uint32_t silenceOffset) {
    while (from < to) {
      const auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(to - from, audio::kSilenceClipSize));
      segments_.push_back({from, piece, silenceOffset, 1.0});
      from += piece;
    }
  }

  // Bytes [position, position + count) of the file, 0 past its end. Calls
  // must come in increasing order of position between rewinds.
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
    while (cursor_ < segments_.size() && segments_[cursor_].start + segments_[cursor_].length <= from) ++cursor_;
    for (std::size_t s = cursor_; s < segments_.size() && from < to; ++s) {
      const Segment& segment = segments_[s];
      if (segment.start > from) {  // never expected: the score covers the file
        const auto gap = static_cast<std::uint32_t>(std::min(segment.start, to) - from);
        std::memset(out, 0, gap);
        out += gap;
        from += gap;
        if (from >= to) break;
      }
      const auto inside = static_cast<std::uint32_t>(from - segment.start);
      const auto take = static_cast<std::uint32_t>(std::min<std::uint64_t>(segment.start + segment.length, to) - from);
      copySegment(segment, inside, take, out, data, scratch);
      out += take;
      from += take;
    }
    if (from < to) std::memset(out, 0, static_cast<std::size_t>(to - from));
  }

 private:
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
  std::vector<Segment> segments_;
  std::size_t cursor_ = 0;
};

// The average of eight inputs over the byte range of one block, as mixEight
// computes it: a last odd byte is averaged as a whole sample whose high byte
// comes from inputs that go on (0 from those that end there).
struct Averager {
  std::array<std::vector<std::int16_t>, kStemCount> inputs;
  std::vector<std::int16_t> output;
  Averager() {
    for (auto& input : inputs) input.assign(kBlockBytes / 2 + 1, 0);
    output.assign(kBlockBytes / 2 + 1, 0);
  }
  static std::uint8_t* bytes(std::vector<std::int16_t>& samples) { return reinterpret_cast<std::uint8_t*>(samples.data()); }

  audio::BlockPeaks average(std::uint32_t count) {
    std::array<const std::int16_t*, audio::kMixInputs> in{};
    for (int k = 0; k < kStemCount; ++k) in[static_cast<std::size_t>(k)] = inputs[static_cast<std::size_t>(k)].data();
    return audio::averageSamples(in, (count + 1) / 2, output.data());
  }
};

// A raw mix's bytes scaled as the peak-matching pass does: an odd last byte
// of the mix is read back with a high byte of 0.
void scaleMix(std::vector<std::int16_t>& samples, std::uint32_t count, bool endsMix, double factor) {
  const std::uint32_t wholeSamples = (count + 1) / 2;
  if (count % 2 == 1 && endsMix) {
    auto* raw = Averager::bytes(samples);
    raw[count] = 0;
  }
  audio::scaleSamples(samples.data(), wholeSamples, factor);
}

struct Group {
  int stem = 0;
  std::array<VoiceStream*, kStemCount> voices{};
  std::uint64_t mixBytes = 0;  // the stem's bytes after its preamble: the eighth voice's
  audio::MixTrackers trackers;
  double factor = 1.0;
  Averager averager;

  std::uint64_t stemFileBytes() const { return kPreamble + mixBytes; }

  // The raw average of bytes [position, position + count) after the
  // preamble into averager.output; count + count % 2 bytes of every input.
  audio::BlockPeaks averageAt(std::uint64_t position, std::uint32_t count, SamplePages& data,
                              std::vector<std::int16_t>& scratch) {
    const std::uint32_t whole = count + count % 2;
    for (int k = 0; k < kStemCount; ++k) {
      voices[static_cast<std::size_t>(k)]->fill(kPreamble + position, whole,
                                                Averager::bytes(averager.inputs[static_cast<std::size_t>(k)]), data,
                                                scratch);
    }
    return averager.average(count);
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
                 static_cast<double>(finalBlocks) * kStemCount};
    totalWork_ = (passWork_[0] + passWork_[1] + passWork_[2]) / (1.0 - kScoreShare);
    doneWork_ = kScoreShare * totalWork_;

    const PassResult groups = measureGroups();
    if (groups != PassResult::kDone) return stopped(groups == PassResult::kCancelled);
    destination_ = audio::finalMixPath(outputPrefix);
    const PassResult measured = mixFinal(false);
    if (measured != PassResult::kDone) return stopped(measured == PassResult::kCancelled);
    const PassResult written = mixFinal(true);
    if (written != PassResult::kDone) {
      platform::deleteFile(destination_);
      return stopped(written == PassResult::kCancelled);
    }
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
      VoiceStream& voice = voices_.emplace_back(header, dataSize, score.files[f].dataBytes);
      std::stable_sort(notesByFile[f].begin(), notesByFile[f].end(),
                       [](const PlacedNote* a, const PlacedNote* b) { return a->start < b->start; });
      std::uint64_t at = 0;
      for (const PlacedNote* note : notesByFile[f]) {
        voice.addSilence(at, note->start, silenceOffset);
        const std::int32_t clip = bank.sampleOffset(note->key, note->layer);
        if (clip == audio::kNoClip) return false;
        voice.segments().push_back(
            {note->start, note->clipBytes(), static_cast<std::uint32_t>(clip), audio::attenuationGain(note->step)});
        if (note->cut) voice.segments().push_back({note->start + note->clipBytes(), note->length - note->clipBytes(), silenceOffset, 1.0});
        at = note->end();
      }
      voice.addSilence(at, score.files[f].dataBytes, silenceOffset);
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
        group.trackers.add(group.averageAt(position, count, data_, scratch_));
        const PassResult done = blockDone(1.0);
        if (done != PassResult::kDone) return done;
      }
      group.factor = group.trackers.factor();
      host_.mixWritten(++mixes);
    }
    return PassResult::kDone;
  }

  // Bytes [position, position + count) of stem `group` after its preamble
  // (0 past its end) into `out`.
  void stemBytes(Group& group, std::uint64_t position, std::uint32_t count, std::uint8_t* out) {
    const std::uint64_t end = std::min<std::uint64_t>(position + count, group.mixBytes);
    const std::uint32_t kept = end > position ? static_cast<std::uint32_t>(end - position) : 0;
    if (kept > 0) {
      group.averageAt(position, kept, data_, scratch_);
      scaleMix(group.averager.output, kept, end == group.mixBytes, group.factor);
      std::memcpy(out, Averager::bytes(group.averager.output), kept);
    }
    std::memset(out + kept, 0, count - kept);
  }

  // Passes 2 and 3: the final mix of the scaled stems, measured, or scaled by
  // its factor and written to the destination.
  PassResult mixFinal(bool write) {
    for (Group& group : groups_) group.rewind();
    platform::File output;
    if (write) {
      output = platform::File::createForWriting(destination_);
      if (!output) return PassResult::kFailed;
      std::array<std::uint8_t, kPreamble> preamble{};
      groups_.front().voices.front()->rewind();
      groups_.front().voices.front()->fill(0, kPreamble, preamble.data(), data_, scratch_);
      groups_.front().voices.front()->rewind();
      if (output.write(preamble.data(), kPreamble) != kPreamble) return PassResult::kFailed;
    }
    const std::uint64_t total = finalStem().mixBytes;
    for (std::uint64_t position = 0; position < total; position += kBlockBytes) {
      const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockBytes, total - position));
      const std::uint32_t whole = count + count % 2;
      for (int k = 0; k < kStemCount; ++k) {
        stemBytes(groups_[static_cast<std::size_t>(k)], position, whole,
                  Averager::bytes(finalMix_.inputs[static_cast<std::size_t>(k)]));
      }
      const audio::BlockPeaks peaks = finalMix_.average(count);
      if (write) {
        scaleMix(finalMix_.output, count, position + count == total, finalFactor_);
        if (output.write(Averager::bytes(finalMix_.output), count) != count) return PassResult::kFailed;
      } else {
        finalTrackers_.add(peaks);
      }
      const PassResult done = blockDone(kStemCount);
      if (done != PassResult::kDone) return done;
    }
    if (!write) finalFactor_ = finalTrackers_.factor();
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
  Averager finalMix_;
  audio::MixTrackers finalTrackers_;
  double finalFactor_ = 1.0;
  std::string destination_;
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
