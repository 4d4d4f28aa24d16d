// The FFmpeg function tables: complete when the libraries are there, and a
// clear message naming the library and its package when one is not.
#include "platform/libraries/ffmpeg_functions.h"

#include <gtest/gtest.h>

#include <string>

namespace brisolt::platform {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(FfmpegFunctions, TheSonamesFollowTheHeadersTheProgramWasBuiltWith) {
  EXPECT_EQ(std::string(kAvfilterSoname), "libavfilter.so." + std::to_string(LIBAVFILTER_VERSION_MAJOR));
  EXPECT_EQ(std::string(kAvutilSoname), "libavutil.so." + std::to_string(LIBAVUTIL_VERSION_MAJOR));
  EXPECT_EQ(std::string(kSwresampleSoname), "libswresample.so." + std::to_string(LIBSWRESAMPLE_VERSION_MAJOR));
}

TEST(FfmpegFunctions, TheInstalledLibrariesGiveEveryFunction) {
  const FilterLibrary& filter = filterLibrary();
  ASSERT_TRUE(filter.loaded()) << filter.message;
  EXPECT_NE(filter.functions.avfilter_get_by_name("alimiter"), nullptr) << "the limiter's filter is missing";
  AVFrame* frame = filter.functions.av_frame_alloc();
  ASSERT_NE(frame, nullptr);
  filter.functions.av_frame_free(&frame);
  EXPECT_EQ(frame, nullptr);

  const ResampleLibrary& resample = resampleLibrary();
  ASSERT_TRUE(resample.loaded()) << resample.message;
  EXPECT_EQ(resample.functions.av_rescale_rnd(1, 48000, 22050, AV_ROUND_UP), 3);
}

TEST(FfmpegFunctions, TheProcessOpensEachTableOnce) {
  EXPECT_EQ(&filterLibrary(), &filterLibrary());
  EXPECT_EQ(&resampleLibrary(), &resampleLibrary());
}

TEST(FfmpegFunctions, AMissingLibraryIsNamedWithItsDebianPackage) {
  const auto filter = openFilterLibrary(kAvutilSoname, "libavfilter.so.999");
  EXPECT_EQ(filter->result, FfmpegLoadResult::kLibraryMissing);
  EXPECT_FALSE(filter->loaded());
  EXPECT_TRUE(contains(filter->message, "libavfilter (Debian package libavfilter999): libavfilter.so.999"))
      << filter->message;
  EXPECT_EQ(filter->functions.avfilter_graph_alloc, nullptr);

  const auto resample = openResampleLibrary("libavutil.so.999", kSwresampleSoname);
  EXPECT_EQ(resample->result, FfmpegLoadResult::kLibraryMissing);
  EXPECT_TRUE(contains(resample->message, "libavutil (Debian package libavutil999)")) << resample->message;
}

TEST(FfmpegFunctions, ALibraryWithoutAFunctionNamesTheFunction) {
  // libm opens, but has none of libswresample's functions.
  const auto resample = openResampleLibrary(kAvutilSoname, "libm.so.6");
  EXPECT_EQ(resample->result, FfmpegLoadResult::kFunctionMissing);
  EXPECT_TRUE(contains(resample->message, "libm (Debian package libm6) has no function swr_alloc_set_opts2"))
      << resample->message;
}

}  // namespace
}  // namespace brisolt::platform
