// How fast the 59 renderer calls of a 5-phrase piece write their 64 voice
// files from a real Data.dat, beside a plain pass that writes files of the
// same sizes in 64 KiB calls, and a pass that also reads every block from the
// sample data first. The renderers should stay within 1.5 times the plain
// pass.
//
// Data.dat is looked for in $BRISOLT_DATA_DAT, then beside the program
// executables (build/bin, made there by build/bin/brisolt-make-bank).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "compose/composer.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "platform/paths.h"
#include "render/voice_renderer_table.h"
#include "render/voice_schedule.h"

namespace brisolt::render {
namespace {

// The sample data path, or empty when there is none to read.
std::string findSampleData() {
  std::vector<std::string> candidates;
  if (const char* path = std::getenv("BRISOLT_DATA_DAT"); path && *path) {
    candidates.push_back(path);
  } else {
    const std::string folder = platform::executableFolder();
    candidates = {folder + "/Data.dat", folder + "/../bin/Data.dat"};
  }
  for (const std::string& candidate : candidates) {
    if (platform::File::openForReading(candidate)) return candidate;
  }
  std::fprintf(stderr, "No sample data file at %s%s: build it with build/bin/brisolt-make-bank, or set "
               "BRISOLT_DATA_DAT to the path of a Data.dat.\n",
               candidates.front().c_str(), candidates.size() > 1 ? (" or " + candidates.back()).c_str() : "");
  return {};
}

// A private temporary folder, made the program's ($TMPDIR) before the
// Composer reads it, and a planned 5-phrase piece.
class BenchPiece {
 public:
  BenchPiece()
      : folder_(platform::temporaryFolder() + "brisolt-render-bench-" + std::to_string(::getpid()) + "/"),
        sampleData_(findSampleData()) {
    platform::createFolder(folder_);
    ::setenv("TMPDIR", folder_.c_str(), 1);
    composer_ = std::make_unique<compose::Composer>();
    compose::PlanOptions options;
    options.outputPrefix = folder_ + "bench_";
    options.motifForm = "Ope";
    options.motifSimilarity = "Com";
    options.voiceSet = "F";
    composer_->fixSessionId(20240131);
    planned_ = composer_->planPiece(options) == 5;
    platform::deleteFile(options.outputPrefix + "log.txt");
  }
  ~BenchPiece() {
    for (const std::string& name : platform::listFiles(folder_, "")) platform::deleteFile(folder_ + name);
    ::rmdir(folder_.c_str());
  }

  const std::string& sampleData() const { return sampleData_; }
  const std::string& folder() const { return folder_; }
  bool planned() const { return planned_; }
  compose::Composer& composer() { return *composer_; }

 private:
  std::string folder_;
  std::string sampleData_;
  std::unique_ptr<compose::Composer> composer_;
  bool planned_ = false;
};

BenchPiece& piece() {
  static BenchPiece instance;
  return instance;
}

std::uint64_t fileSize(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<std::uint64_t>(size);
}

// Renders every voice of the schedule; returns the paths written, or an
// empty list after a failed call.
std::vector<std::string> renderAll(std::string& error) {
  BenchPiece& bench = piece();
  EventCollector events;
  std::vector<std::string> paths;
  for (const ScheduledCall& call : builtinVoiceSchedule().calls) {
    bench.composer().rewindBars();
    const VoiceResult result = programVoiceRenderers().run(call, bench.composer(), bench.sampleData(), events);
    if (result.end != VoiceEnd::kWritten) {
      error = std::string("renderer call for voice ") + (call.letter ? call.letter : '-') + " failed";
      return {};
    }
    paths.insert(paths.end(), result.paths.begin(), result.paths.end());
  }
  return paths;
}

// The sizes of the 64 voice files, from one render.
const std::vector<std::uint64_t>& voiceFileSizes() {
  static const std::vector<std::uint64_t> sizes = [] {
    std::vector<std::uint64_t> found;
    std::string error;
    for (const std::string& path : renderAll(error)) {
      found.push_back(fileSize(path));
      platform::deleteFile(path);
    }
    return found;
  }();
  return sizes;
}

bool ready(benchmark::State& state) {
  if (piece().sampleData().empty()) {
    state.SkipWithError("Data.dat is missing: build it with build/bin/brisolt-make-bank, or set BRISOLT_DATA_DAT");
    return false;
  }
  if (!piece().planned()) {
    state.SkipWithError("the 5-phrase piece could not be planned");
    return false;
  }
  return true;
}

void BM_RenderAllVoices(benchmark::State& state) {
  if (!ready(state)) return;
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    std::string error;
    const std::vector<std::string> paths = renderAll(error);
    state.PauseTiming();
    if (paths.empty()) {
      state.SkipWithError(error.c_str());
      break;
    }
    for (const std::string& path : paths) {
      bytes += fileSize(path);
      platform::deleteFile(path);
    }
    state.counters["files"] = static_cast<double>(paths.size());
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// Writes files of the voice files' sizes in 64 KiB calls; with `source`,
// each block is first read from the silence clip of the sample data, as the
// renderers copy their silences (a seek every eight seconds).
void writeFilesOfTheVoiceSizes(benchmark::State& state, platform::File* source) {
  if (!ready(state)) return;
  const std::vector<std::uint64_t>& sizes = voiceFileSizes();
  constexpr std::uint32_t kBlock = 1 << 16;
  constexpr std::uint64_t kSilenceClipSize = 352800;
  constexpr std::uint32_t kSilenceClipOffset = 15343472;
  std::vector<char> block(kBlock, 0x11);
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::string> paths;
    for (const std::uint64_t size : sizes) {
      paths.push_back(platform::createTemporaryFile());
      platform::File file = platform::File::createForWriting(paths.back());
      for (std::uint64_t done = 0; done < size;) {
        const auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(size - done, kBlock));
        if (source != nullptr) {
          if (done % kSilenceClipSize < kBlock) source->seek(kSilenceClipOffset);
          source->read(block.data(), piece);
        }
        file.write(block.data(), piece);
        done += piece;
      }
      bytes += size;
    }
    state.PauseTiming();
    for (const std::string& path : paths) platform::deleteFile(path);
    state.ResumeTiming();
  }
  state.counters["files"] = static_cast<double>(sizes.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_PlainWriteOfTheSameFiles(benchmark::State& state) { writeFilesOfTheVoiceSizes(state, nullptr); }

// What a copy of every byte through one buffer costs at the least.
void BM_CopyOfTheSameFilesFromTheSampleData(benchmark::State& state) {
  voiceFileSizes();  // renders once, before this pass holds the sample data open
  platform::File source = platform::File::openForReading(piece().sampleData());
  writeFilesOfTheVoiceSizes(state, &source);
}

BENCHMARK(BM_PlainWriteOfTheSameFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_CopyOfTheSameFilesFromTheSampleData)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_RenderAllVoices)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
}  // namespace brisolt::render

BENCHMARK_MAIN();
