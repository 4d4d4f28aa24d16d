// The libavfilter side of mastering: abuffer -> alimiter -> abuffersink.
// libavfilter is opened the first time a limiter is.
#include "rendition/peak_limiter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/libraries/ffmpeg_functions.h"
#include "rendition/stereo_audio.h"

namespace brisolt::rendition {
namespace {

using platform::FilterFunctions;

constexpr int kChunkFrames = 8192;

struct GraphDeleter {
  const FilterFunctions* av;
  void operator()(AVFilterGraph* graph) const { av->avfilter_graph_free(&graph); }
};
struct FrameDeleter {
  const FilterFunctions* av;
  void operator()(AVFrame* frame) const { av->av_frame_free(&frame); }
};
using GraphPtr = std::unique_ptr<AVFilterGraph, GraphDeleter>;
using Frame = std::unique_ptr<AVFrame, FrameDeleter>;

}  // namespace

struct PeakLimiter::Graph {
  explicit Graph(const FilterFunctions& functions)
      : av(functions), graph(nullptr, {&functions}), output(functions.av_frame_alloc(), {&functions}) {}
  const FilterFunctions& av;
  GraphPtr graph;
  AVFilterContext* source = nullptr;
  AVFilterContext* sink = nullptr;
  Frame output;
};

namespace {

// Builds the graph; the audio crosses it as interleaved floats, converted
// inside to whatever the limiter works in.
std::string buildGraph(const LimiterSettings& settings, PeakLimiter::Graph& built) {
  const FilterFunctions& av = built.av;
  built.graph.reset(av.avfilter_graph_alloc());
  if (!built.graph) return "libavfilter could not allocate a filter graph";
  const std::string sourceArgs = "sample_rate=" + std::to_string(kRenditionSampleRate) +
                                 ":sample_fmt=flt:channel_layout=stereo:time_base=1/" +
                                 std::to_string(kRenditionSampleRate);
  if (av.avfilter_graph_create_filter(&built.source, av.avfilter_get_by_name("abuffer"), "in", sourceArgs.c_str(), nullptr,
                                   built.graph.get()) < 0) {
    return "libavfilter could not create its audio source (abuffer)";
  }
  const AVFilter* limiter = av.avfilter_get_by_name("alimiter");
  if (limiter == nullptr) return "this libavfilter has no alimiter filter; install libavfilter8 from Debian";
  AVFilterContext* limiterContext = nullptr;
  char limiterArgs[160];
  std::snprintf(limiterArgs, sizeof limiterArgs, "limit=%.6f:attack=%.3f:release=%.3f:level=0:latency=1",
                std::clamp(std::pow(10.0, settings.ceilingDb / 20.0), 0.0625, 1.0), settings.attackMs,
                settings.releaseMs);
  if (av.avfilter_graph_create_filter(&limiterContext, limiter, "limiter", limiterArgs, nullptr, built.graph.get()) < 0) {
    return std::string("libavfilter refused the limiter settings '") + limiterArgs + "'";
  }
  built.sink = av.avfilter_graph_alloc_filter(built.graph.get(), av.avfilter_get_by_name("abuffersink"), "out");
  if (built.sink == nullptr) return "libavfilter could not create its audio sink (abuffersink)";
  const AVSampleFormat format = AV_SAMPLE_FMT_FLT;
  if (av.av_opt_set_bin(built.sink, "sample_fmts", reinterpret_cast<const std::uint8_t*>(&format),
                     static_cast<int>(sizeof format), AV_OPT_SEARCH_CHILDREN) < 0 ||
      av.avfilter_init_str(built.sink, nullptr) < 0) {
    return "libavfilter could not set its audio sink to interleaved floats";
  }
  if (av.avfilter_link(built.source, 0, limiterContext, 0) < 0 || av.avfilter_link(limiterContext, 0, built.sink, 0) < 0 ||
      av.avfilter_graph_config(built.graph.get(), nullptr) < 0) {
    return "libavfilter could not connect source, limiter and sink";
  }
  return {};
}

}  // namespace

PeakLimiter::PeakLimiter() = default;
PeakLimiter::~PeakLimiter() = default;

std::string PeakLimiter::open(const LimiterSettings& settings) {
  graph_.reset();
  added_ = 0;
  given_ = 0;
  const platform::FilterLibrary& library = platform::filterLibrary();
  if (!library.loaded()) return "it needs " + library.message;
  graph_ = std::make_unique<Graph>(library.functions);
  if (!graph_->output) return "libavfilter could not allocate a frame";
  return buildGraph(settings, *graph_);
}

std::string PeakLimiter::drain(const LimitedBlockSink& sink, bool flushing) {
  const FilterFunctions& av = graph_->av;
  AVFrame* output = graph_->output.get();
  int status = 0;
  while ((status = av.av_buffersink_get_frame(graph_->sink, output)) >= 0) {
    // The delay is compensated inside: never more out than went in.
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(output->nb_samples), added_ - given_);
    const bool taken = count == 0 || sink(reinterpret_cast<const float*>(output->data[0]), count);
    given_ += count;
    av.av_frame_unref(output);
    if (!taken) return "the limited audio could not be passed on";
  }
  if (status != (flushing ? AVERROR_EOF : AVERROR(EAGAIN))) {
    return flushing ? "the limiter failed while flushing" : "the limiter stopped before the end of the audio";
  }
  return {};
}

std::string PeakLimiter::add(const float* samples, std::size_t frames, const LimitedBlockSink& sink) {
  if (!graph_) return "the limiter is not open";
  const FilterFunctions& av = graph_->av;
  std::size_t done = 0;
  while (done < frames) {
    const Frame input(av.av_frame_alloc(), {&av});
    if (!input) return "libavfilter could not allocate a frame";
    const auto count = static_cast<int>(std::min<std::size_t>(kChunkFrames, frames - done));
    input->nb_samples = count;
    input->format = AV_SAMPLE_FMT_FLT;
    input->sample_rate = kRenditionSampleRate;
    av.av_channel_layout_default(&input->ch_layout, 2);
    input->pts = static_cast<std::int64_t>(added_);
    if (av.av_frame_get_buffer(input.get(), 0) < 0) return "libavfilter could not allocate audio buffers";
    std::memcpy(input->data[0], samples + done * 2, static_cast<std::size_t>(count) * 2 * sizeof(float));
    if (av.av_buffersrc_add_frame_flags(graph_->source, input.get(), 0) < 0) return "the limiter refused audio";
    added_ += static_cast<std::size_t>(count);
    done += static_cast<std::size_t>(count);
    if (std::string error = drain(sink, false); !error.empty()) return error;
  }
  return {};
}

std::string PeakLimiter::finish(const LimitedBlockSink& sink) {
  if (!graph_) return "the limiter is not open";
  if (graph_->av.av_buffersrc_add_frame_flags(graph_->source, nullptr, 0) < 0) return "the limiter refused the end of the audio";
  if (std::string error = drain(sink, true); !error.empty()) return error;
  if (given_ != added_) {
    return "the limiter gave back " + std::to_string(given_) + " of " + std::to_string(added_) + " frames";
  }
  return {};
}

std::string limitPeaks(std::vector<float>& samples, const LimiterSettings& settings) {
  PeakLimiter limiter;
  if (std::string error = limiter.open(settings); !error.empty()) return error;
  std::size_t written = 0;  // never passes what was added: the limiter only delays
  const LimitedBlockSink into = [&](const float* limited, std::size_t frames) {
    std::memcpy(samples.data() + written * 2, limited, frames * 2 * sizeof(float));
    written += frames;
    return true;
  };
  if (std::string error = limiter.add(samples.data(), samples.size() / 2, into); !error.empty()) return error;
  return limiter.finish(into);
}

}  // namespace brisolt::rendition
