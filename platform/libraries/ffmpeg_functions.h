// The FFmpeg functions the program calls, as typed tables looked up at run
// time: libavfilter for the peak limiter, libswresample for exports at another
// sample rate. Neither is opened until the first run that needs it, so a run
// without a rendition or a resampled export never maps FFmpeg (about 190
// shared libraries and 30 MB of memory). The types and the sonames come from
// the headers the program was built against.
#pragma once

#include <cstdint>  // before FFmpeg's headers, which need its constant macros in C++

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavfilter/version.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/macros.h>
#include <libavutil/mathematics.h>
#include <libavutil/opt.h>
#include <libavutil/version.h>
#include <libswresample/swresample.h>
#include <libswresample/version.h>
}

#include <memory>
#include <string>
#include <vector>

#include "platform/libraries/shared_library.h"

namespace brisolt::platform {

inline constexpr const char* kAvutilSoname = "libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR);
inline constexpr const char* kAvfilterSoname = "libavfilter.so." AV_STRINGIFY(LIBAVFILTER_VERSION_MAJOR);
inline constexpr const char* kSwresampleSoname = "libswresample.so." AV_STRINGIFY(LIBSWRESAMPLE_VERSION_MAJOR);

// The members carry the names of the functions they point at.
struct FilterFunctions {
  decltype(&::avfilter_graph_alloc) avfilter_graph_alloc = nullptr;
  decltype(&::avfilter_graph_free) avfilter_graph_free = nullptr;
  decltype(&::avfilter_graph_create_filter) avfilter_graph_create_filter = nullptr;
  decltype(&::avfilter_graph_alloc_filter) avfilter_graph_alloc_filter = nullptr;
  decltype(&::avfilter_graph_config) avfilter_graph_config = nullptr;
  decltype(&::avfilter_get_by_name) avfilter_get_by_name = nullptr;
  decltype(&::avfilter_init_str) avfilter_init_str = nullptr;
  decltype(&::avfilter_link) avfilter_link = nullptr;
  decltype(&::av_buffersrc_add_frame_flags) av_buffersrc_add_frame_flags = nullptr;
  decltype(&::av_buffersink_get_frame) av_buffersink_get_frame = nullptr;
  // libavutil
  decltype(&::av_frame_alloc) av_frame_alloc = nullptr;
  decltype(&::av_frame_free) av_frame_free = nullptr;
  decltype(&::av_frame_unref) av_frame_unref = nullptr;
  decltype(&::av_frame_get_buffer) av_frame_get_buffer = nullptr;
  decltype(&::av_opt_set_bin) av_opt_set_bin = nullptr;
  decltype(&::av_channel_layout_default) av_channel_layout_default = nullptr;
};

struct ResampleFunctions {
  decltype(&::swr_alloc_set_opts2) swr_alloc_set_opts2 = nullptr;
  decltype(&::swr_init) swr_init = nullptr;
  decltype(&::swr_free) swr_free = nullptr;
  decltype(&::swr_convert) swr_convert = nullptr;
  decltype(&::swr_get_delay) swr_get_delay = nullptr;
  // libavutil
  decltype(&::av_rescale_rnd) av_rescale_rnd = nullptr;
  decltype(&::av_channel_layout_default) av_channel_layout_default = nullptr;
  decltype(&::av_channel_layout_uninit) av_channel_layout_uninit = nullptr;
};

enum class FfmpegLoadResult {
  kLoaded,
  kLibraryMissing,   // a library could not be opened
  kFunctionMissing,  // a library lacks a function the program calls
};

// Opened libraries and their function table; the functions stay valid while
// this lives.
template <typename Functions>
struct FfmpegLibrary {
  FfmpegLoadResult result = FfmpegLoadResult::kLibraryMissing;
  // When not loaded: which library, its Debian package and the loader's
  // reason, e.g. "libavfilter (Debian package libavfilter8): libavfilter.so.8:
  // cannot open shared object file: No such file or directory".
  std::string message;
  Functions functions{};
  std::vector<SharedLibrary> libraries;

  bool loaded() const { return result == FfmpegLoadResult::kLoaded; }
};
using FilterLibrary = FfmpegLibrary<FilterFunctions>;
using ResampleLibrary = FfmpegLibrary<ResampleFunctions>;

// Opens the libraries by the sonames given (tests name missing ones).
std::unique_ptr<FilterLibrary> openFilterLibrary(const std::string& avutilSoname, const std::string& avfilterSoname);
std::unique_ptr<ResampleLibrary> openResampleLibrary(const std::string& avutilSoname,
                                                     const std::string& swresampleSoname);

// The process's own copies: opened on the first call (from any thread, once),
// kept until exit. A failure is remembered, not retried.
const FilterLibrary& filterLibrary();
const ResampleLibrary& resampleLibrary();

}  // namespace brisolt::platform
