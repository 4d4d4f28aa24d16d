// Opens the FFmpeg libraries and fills the function tables, naming the first
// library or function that is missing.
#include "platform/libraries/ffmpeg_functions.h"

#include <utility>

namespace brisolt::platform {
namespace {

// "libavfilter.so.8" -> "libavfilter (Debian package libavfilter8)".
std::string describe(const std::string& soname) {
  const auto suffix = soname.find(".so");
  const std::string name = soname.substr(0, suffix);
  std::string package = name;
  if (suffix != std::string::npos && soname.size() > suffix + 4) package += soname.substr(suffix + 4);
  return name + " (Debian package " + package + ")";
}

// Opens `soname` into `library`; nullptr (with the message set) when it cannot.
template <typename Functions>
const SharedLibrary* open(FfmpegLibrary<Functions>& library, const std::string& soname) {
  SharedLibrary opened(soname);
  if (!opened.loaded()) {
    library.result = FfmpegLoadResult::kLibraryMissing;
    library.message = describe(soname) + ": " + opened.error();
    return nullptr;
  }
  library.libraries.push_back(std::move(opened));
  return &library.libraries.back();
}

// Binds one function after another, stopping at the first that is missing.
template <typename Functions>
class Binder {
 public:
  Binder(FfmpegLibrary<Functions>& library, const SharedLibrary& from) : library_(library), from_(from) {}
  template <typename Function>
  void operator()(Function*& function, const char* name) {
    if (library_.result == FfmpegLoadResult::kFunctionMissing) return;
    if (!from_.bind(function, name)) {
      library_.result = FfmpegLoadResult::kFunctionMissing;
      library_.message = describe(from_.soname()) + " has no function " + name + "; is it older than the program's?";
    }
  }

 private:
  FfmpegLibrary<Functions>& library_;
  const SharedLibrary& from_;
};

}  // namespace

std::unique_ptr<FilterLibrary> openFilterLibrary(const std::string& avutilSoname, const std::string& avfilterSoname) {
  auto library = std::make_unique<FilterLibrary>();
  library->libraries.reserve(2);
  const SharedLibrary* avutil = open(*library, avutilSoname);
  if (avutil == nullptr) return library;
  const SharedLibrary* avfilter = open(*library, avfilterSoname);
  if (avfilter == nullptr) return library;
  library->result = FfmpegLoadResult::kLoaded;
  FilterFunctions& f = library->functions;
  Binder fromAvfilter(*library, *avfilter);
  fromAvfilter(f.avfilter_graph_alloc, "avfilter_graph_alloc");
  fromAvfilter(f.avfilter_graph_free, "avfilter_graph_free");
  fromAvfilter(f.avfilter_graph_create_filter, "avfilter_graph_create_filter");
  fromAvfilter(f.avfilter_graph_alloc_filter, "avfilter_graph_alloc_filter");
  fromAvfilter(f.avfilter_graph_config, "avfilter_graph_config");
  fromAvfilter(f.avfilter_get_by_name, "avfilter_get_by_name");
  fromAvfilter(f.avfilter_init_str, "avfilter_init_str");
  fromAvfilter(f.avfilter_link, "avfilter_link");
  fromAvfilter(f.av_buffersrc_add_frame_flags, "av_buffersrc_add_frame_flags");
  fromAvfilter(f.av_buffersink_get_frame, "av_buffersink_get_frame");
  Binder fromAvutil(*library, *avutil);
  fromAvutil(f.av_frame_alloc, "av_frame_alloc");
  fromAvutil(f.av_frame_free, "av_frame_free");
  fromAvutil(f.av_frame_unref, "av_frame_unref");
  fromAvutil(f.av_frame_get_buffer, "av_frame_get_buffer");
  fromAvutil(f.av_opt_set_bin, "av_opt_set_bin");
  fromAvutil(f.av_channel_layout_default, "av_channel_layout_default");
  return library;
}

std::unique_ptr<ResampleLibrary> openResampleLibrary(const std::string& avutilSoname,
                                                     const std::string& swresampleSoname) {
  auto library = std::make_unique<ResampleLibrary>();
  library->libraries.reserve(2);
  const SharedLibrary* avutil = open(*library, avutilSoname);
  if (avutil == nullptr) return library;
  const SharedLibrary* swresample = open(*library, swresampleSoname);
  if (swresample == nullptr) return library;
  library->result = FfmpegLoadResult::kLoaded;
  ResampleFunctions& f = library->functions;
  Binder fromSwresample(*library, *swresample);
  fromSwresample(f.swr_alloc_set_opts2, "swr_alloc_set_opts2");
  fromSwresample(f.swr_init, "swr_init");
  fromSwresample(f.swr_free, "swr_free");
  fromSwresample(f.swr_convert, "swr_convert");
  fromSwresample(f.swr_get_delay, "swr_get_delay");
  Binder fromAvutil(*library, *avutil);
  fromAvutil(f.av_rescale_rnd, "av_rescale_rnd");
  fromAvutil(f.av_channel_layout_default, "av_channel_layout_default");
  fromAvutil(f.av_channel_layout_uninit, "av_channel_layout_uninit");
  return library;
}

// Kept open until the process ends: never closed under a late user.
const FilterLibrary& filterLibrary() {
  static const FilterLibrary* const library = openFilterLibrary(kAvutilSoname, kAvfilterSoname).release();
  return *library;
}

const ResampleLibrary& resampleLibrary() {
  static const ResampleLibrary* const library = openResampleLibrary(kAvutilSoname, kSwresampleSoname).release();
  return *library;
}

}  // namespace brisolt::platform
