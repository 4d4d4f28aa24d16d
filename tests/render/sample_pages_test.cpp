// The sample data read through a few pages: every range comes out as the
// file holds it, however it falls across pages and however few pages may be
// held; no more pages are held than allowed, the least recently used one
// gives way, and a range the file cannot give fails and says so.
#include "render/sample_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <unistd.h>

#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render {
namespace {

class SamplePagesTest : public test::TempFolderTest {
 protected:
  SamplePagesTest() {
    content_.resize(1000);
    for (std::size_t i = 0; i < content_.size(); ++i) content_[i] = static_cast<std::uint8_t>((i * 7 + i / 256) % 251);
    test::writeFileBytes(path(), content_);
  }
  std::string path() const { return folder().file("Data.dat"); }
  test::Bytes expected(std::size_t offset, std::size_t count) const {
    return test::Bytes(content_.begin() + static_cast<std::ptrdiff_t>(offset),
                       content_.begin() + static_cast<std::ptrdiff_t>(offset + count));
  }
  test::Bytes copied(SamplePages& pages, std::uint64_t offset, std::uint32_t count, bool expectOk = true) {
    test::Bytes out(count, 0xEE);
    EXPECT_EQ(pages.copy(offset, count, out.data()), expectOk) << "bytes " << offset << " + " << count;
    return out;
  }

  test::Bytes content_;
};

TEST_F(SamplePagesTest, EveryRangeComesOutAsTheFileHoldsIt) {
  SamplePages pages(64, 3);
  ASSERT_TRUE(pages.open(path()));
  EXPECT_EQ(pages.size(), content_.size());
  std::mt19937 random(7);
  for (int trial = 0; trial < 2000; ++trial) {
    const auto offset = static_cast<std::uint32_t>(random() % content_.size());
    const auto count = static_cast<std::uint32_t>(random() % (content_.size() - offset + 1));
    ASSERT_EQ(copied(pages, offset, count), expected(offset, count)) << "bytes " << offset << " + " << count;
  }
  // Longer than all the pages that may be held together, to the last byte.
  EXPECT_EQ(copied(pages, 10, 990), expected(10, 990));
  EXPECT_LE(pages.pagesHeld(), 3u);
  EXPECT_FALSE(pages.failed());
}

TEST_F(SamplePagesTest, TheLeastRecentlyUsedPageGivesWay) {
  SamplePages pages(100, 2);
  ASSERT_TRUE(pages.open(path()));
  copied(pages, 0, 10);    // page 0
  copied(pages, 150, 10);  // page 1
  copied(pages, 20, 10);   // page 0 again: held
  EXPECT_EQ(pages.pagesRead(), 2u);
  copied(pages, 250, 10);  // page 2 takes page 1's place
  EXPECT_EQ(pages.pagesRead(), 3u);
  EXPECT_EQ(copied(pages, 30, 10), expected(30, 10)) << "page 0 was used last but one and stays";
  EXPECT_EQ(pages.pagesRead(), 3u);
  EXPECT_EQ(copied(pages, 160, 10), expected(160, 10)) << "page 1 is read again";
  EXPECT_EQ(pages.pagesRead(), 4u);
  EXPECT_EQ(pages.pagesHeld(), 2u);
}

TEST_F(SamplePagesTest, ARangePastTheEndFailsWithZeros) {
  SamplePages pages(64, 4);
  ASSERT_TRUE(pages.open(path()));
  EXPECT_EQ(copied(pages, 990, 20, false), test::Bytes(20, 0));
  EXPECT_TRUE(pages.failed());
  EXPECT_EQ(copied(pages, 0, 8), expected(0, 8)) << "what the file holds still comes out";
  EXPECT_TRUE(pages.failed()) << "a failure is remembered";
  SamplePages again(64, 4);
  ASSERT_TRUE(again.open(path()));
  EXPECT_EQ(copied(again, 1000, 1, false), test::Bytes(1, 0));
  EXPECT_EQ(copied(again, 5000, 4, false), test::Bytes(4, 0));
}

TEST_F(SamplePagesTest, AFileCutShortAfterOpeningFailsTheRead) {
  SamplePages pages(64, 4);
  ASSERT_TRUE(pages.open(path()));
  ASSERT_EQ(::truncate(path().c_str(), 500), 0);
  EXPECT_EQ(copied(pages, 100, 10), expected(100, 10));
  EXPECT_EQ(copied(pages, 600, 10, false), test::Bytes(10, 0));
  EXPECT_TRUE(pages.failed());
}

TEST_F(SamplePagesTest, AMissingFileDoesNotOpen) {
  SamplePages pages;
  EXPECT_FALSE(pages.open(folder().file("none.dat")));
  EXPECT_FALSE(pages.open(folder().path()));
}

}  // namespace
}  // namespace brisolt::render
