#include "session/disk_check.h"

#include <gtest/gtest.h>

namespace brisolt {
namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

TEST(DiskCheck, TheNeedFollowsThePiecesLengthAndTheEngine) {
  // 5 phrases of 16 bars at 60 beats a minute: 320 s plus 3 s of lead-in and
  // tail at 44100 bytes a second, behind the 44-byte header.
  const RoomNeed five = roomNeeded(5, 60, render::RenderEngine::kFiles);
  EXPECT_EQ(five.mixBytes, 323 * 44100 + 44);
  EXPECT_EQ(five.temporaryBytes, 17 * five.mixBytes);
  const RoomNeed ninety = roomNeeded(90, 60, render::RenderEngine::kFiles);
  EXPECT_EQ(ninety.mixBytes, 5763 * 44100 + 44);
  EXPECT_NEAR(static_cast<double>(ninety.temporaryBytes) / 90 / 1e6, 48.0, 1.0) << "about 48 MB per phrase";
  EXPECT_LT(roomNeeded(5, 120, render::RenderEngine::kFiles).mixBytes, five.mixBytes) << "a faster piece is shorter";

  const RoomNeed streamed = roomNeeded(90, 60, render::RenderEngine::kStreaming);
  EXPECT_EQ(streamed.temporaryBytes, 0) << "the streaming engine writes no voice files";
  EXPECT_EQ(streamed.mixBytes, ninety.mixBytes);
  EXPECT_EQ(streamed.archiveBytes(), ninety.mixBytes + kMiB) << "the mix, and a margin for the log";
  EXPECT_EQ(roomNeeded(5, 60).temporaryBytes, 0) << "the default engine streams";
}

TEST(DiskCheck, TheStereoRenditionCountsInTheArchiveWhenAskedFor) {
  const RoomNeed plain = roomNeeded(5, 60);
  const RoomNeed hifi = roomNeeded(5, 60, render::kDefaultRenderEngine, true);
  EXPECT_EQ(plain.renditionBytes, 0);
  // 44.1 kHz stereo 16-bit is four times the mix's bytes, and it rings on.
  EXPECT_EQ(hifi.renditionBytes, 44 + 4 * 323 * 44100 + 10 * 176400);
  EXPECT_EQ(hifi.archiveBytes(), plain.archiveBytes() + hifi.renditionBytes);
  const DiskCheck check = checkDiskSpace(50 * kMiB, 0, hifi.archiveBytes(), hifi.renditionBytes);
  EXPECT_TRUE(check.refused);
  EXPECT_EQ(diskSpaceMessage(check),
            "Not enough space on disk.\nFree: 50 MB\nNeed: 71 MB (15 MB for the final mix and log, 57 MB for the "
            "stereo rendition)");
}

TEST(DiskCheck, RefusesOneByteShortAndReportsEveryFigure) {
  const RoomNeed need = roomNeeded(5, 60, render::RenderEngine::kFiles);
  const std::int64_t total = need.temporaryBytes + need.archiveBytes();
  const DiskCheck check =
      checkDiskSpace(static_cast<std::uint64_t>(total - 1), need.temporaryBytes, need.archiveBytes());
  EXPECT_TRUE(check.refused);
  EXPECT_EQ(check.freeMb, (total - 1) / kMiB);
  EXPECT_EQ(check.needMb, 246);
  EXPECT_EQ(diskSpaceMessage(check),
            "Not enough space on disk.\nFree: 245 MB\nNeed: 246 MB (231 MB of voice files at the render's peak, "
            "15 MB for the final mix and log)");
}

TEST(DiskCheck, AcceptsExactlyEnoughRoom) {
  const RoomNeed need = roomNeeded(5, 60, render::RenderEngine::kFiles);
  const auto total = static_cast<std::uint64_t>(need.temporaryBytes + need.archiveBytes());
  EXPECT_FALSE(checkDiskSpace(total, need.temporaryBytes, need.archiveBytes()).refused);
}

TEST(DiskCheck, UnderOneMegabyteRefusesAndAFailedQueryIsUnknownNotPassed) {
  const RoomNeed need = roomNeeded(5, 60, render::RenderEngine::kFiles);
  EXPECT_TRUE(checkDiskSpace(kMiB - 1, need.temporaryBytes, 0).refused) << "0 MB free is no room";
  EXPECT_TRUE(checkDiskSpace(0, 0, need.archiveBytes()).refused);
  const DiskCheck unknown = checkDiskSpace(std::optional<std::uint64_t>{}, need.temporaryBytes, 0);
  EXPECT_FALSE(unknown.refused);
  EXPECT_TRUE(unknown.unknown) << "the caller must be able to say that the room went unchecked";
  EXPECT_EQ(unknown.needMb, 231);
  EXPECT_FALSE(checkDiskSpace(kMiB - 1, need.temporaryBytes, 0).unknown);
}

}  // namespace
}  // namespace brisolt
