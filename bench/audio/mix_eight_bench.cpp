// How fast mixEight averages the eight voice files of a 5-phrase piece
// (14,244,300 bytes each) with peak matching, beside a plain pass that only
// reads the same eight files and writes one file of that size in 1 MiB
// blocks. The mix should stay within 1.5 times the plain pass.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/file_mixer.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "platform/paths.h"

namespace brisolt::audio {
namespace {

constexpr std::uint32_t kVoiceFileSize = 14244300;  // 44-byte header + 80 bars + 3 s
constexpr int kVoices = 8;

// Eight voice files written once per run; every mix works on hard links to
// them, since a successful mix deletes its inputs.
class VoiceFiles {
 public:
  VoiceFiles() : folder_(platform::temporaryFolder() + "brisolt-bench-" + std::to_string(::getpid()) + "/") {
    platform::createFolder(folder_);
    std::vector<std::int16_t> samples(kVoiceFileSize / 2);
    for (int k = 0; k < kVoices; ++k) {
      for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(12000 * std::sin(0.001 * static_cast<double>(i) * (k + 1)));
      }
      platform::File file = platform::File::createForWriting(master(k));
      file.write(samples.data(), kVoiceFileSize);
    }
  }
  ~VoiceFiles() {
    for (int k = 0; k < kVoices; ++k) {
      platform::deleteFile(master(k));
      platform::deleteFile(link(k));
    }
    for (const char* name : {"stem.wav", "scratch.tmp", "plain.wav"}) platform::deleteFile(folder_ + name);
    ::rmdir(folder_.c_str());
  }
  std::string master(int k) const { return folder_ + "master" + std::to_string(k) + ".wav"; }
  std::string link(int k) const { return folder_ + "voice" + std::to_string(k) + ".wav"; }
  std::string file(const char* name) const { return folder_ + name; }

  // Links the inputs afresh and returns the list text naming them.
  std::vector<std::string> linkInputs() const {
    std::vector<std::string> list;
    for (int k = 0; k < kVoices; ++k) {
      platform::deleteFile(link(k));
      if (::link(master(k).c_str(), link(k).c_str()) != 0) std::perror("link");
      list.push_back(link(k));
    }
    return list;
  }

 private:
  std::string folder_;
};

const VoiceFiles& voiceFiles() {
  static const VoiceFiles files;
  return files;
}

void BM_MixEightPeakMatched(benchmark::State& state) {
  const VoiceFiles& files = voiceFiles();
  FileMixer mixer;
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<std::string> list = files.linkInputs();
    platform::deleteFile(files.file("stem.wav"));
    platform::deleteFile(files.file("scratch.tmp"));
    state.ResumeTiming();
    const int result = mixer.mixEight(files.file("stem.wav"), list, MixMode::kPeakMatched, files.file("scratch.tmp"));
    if (result != kMixDone) state.SkipWithError(("mixEight returned " + std::to_string(result)).c_str());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kVoices * kVoiceFileSize);
}

void BM_PlainReadEightWriteOne(benchmark::State& state) {
  const VoiceFiles& files = voiceFiles();
  constexpr std::uint32_t kBlock = 1 << 20;
  std::vector<std::vector<char>> buffers(kVoices, std::vector<char>(kBlock));
  for (auto _ : state) {
    std::vector<platform::File> inputs;
    for (int k = 0; k < kVoices; ++k) inputs.push_back(platform::File::openForReading(files.master(k)));
    platform::File output = platform::File::createForWriting(files.file("plain.wav"));
    for (;;) {
      std::uint32_t got = 0;
      for (int k = 0; k < kVoices; ++k) got = inputs[k].read(buffers[k].data(), kBlock);
      if (got == 0) break;
      output.write(buffers[0].data(), got);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kVoices * kVoiceFileSize);
}

BENCHMARK(BM_PlainReadEightWriteOne)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_MixEightPeakMatched)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
}  // namespace brisolt::audio

BENCHMARK_MAIN();
