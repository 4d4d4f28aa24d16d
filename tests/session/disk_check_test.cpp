#include "session/disk_check.h"

#include <gtest/gtest.h>

namespace brisolt {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(DiskCheck, NeedsFourHundredFiftyNineMegabytesPerPhrase) {
  EXPECT_EQ(checkDiskSpace(std::optional<std::uint64_t>{}, 5).needMb, 2295);
  EXPECT_EQ(checkDiskSpace(std::optional<std::uint64_t>{}, 90).needMb, 41310);
}

TEST(DiskCheck, RefusesOneMegabyteShortAndReportsBothFigures) {
  const DiskCheck check = checkDiskSpace(2294 * kMiB + kMiB - 1, 5);  // part of a MiB does not count
  EXPECT_TRUE(check.refused);
  EXPECT_EQ(check.freeMb, 2294);
  EXPECT_EQ(diskSpaceMessage(check), "Not enough space on disk.\nFree: 2294 MB\nNeed: 2295 MB");
}

TEST(DiskCheck, AcceptsExactlyEnoughRoom) {
  EXPECT_FALSE(checkDiskSpace(2295 * kMiB, 5).refused);
}

TEST(DiskCheck, AFailedQueryOrZeroMegabytesNeverBlocks) {
  EXPECT_FALSE(checkDiskSpace(std::optional<std::uint64_t>{}, 90).refused);
  EXPECT_FALSE(checkDiskSpace(kMiB - 1, 90).refused);  // reads as 0 MB
}

TEST(DiskCheck, AsksTheSystemForTheFolder) {
  // The test folder exists, so the system answers; whatever it says, the
  // need is the phrase count's and the free figure is a real one.
  const DiskCheck check = checkDiskSpace(std::string("/tmp"), 5);
  EXPECT_EQ(check.needMb, 2295);
  EXPECT_GT(check.freeMb, 0);
}

}  // namespace
}  // namespace brisolt
