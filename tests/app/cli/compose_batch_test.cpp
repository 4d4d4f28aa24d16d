// Several pieces in one call: how their exported files are named.
#include <gtest/gtest.h>

#include "app/cli/compose_batch.h"

namespace brisolt {
namespace {

TEST(ComposeBatch, OutputFilesOfSeveralPiecesAreNumberedBeforeTheExtension) {
  EXPECT_EQ(numberedOutputPath("/music/song.flac", 1, 1), "/music/song.flac");
  EXPECT_EQ(numberedOutputPath("/music/song.flac", 2, 3), "/music/song-2.flac");
  EXPECT_EQ(numberedOutputPath("song.tar.ogg", 3, 3), "song.tar-3.ogg");
  EXPECT_EQ(numberedOutputPath("", 2, 3), "");
}

}  // namespace
}  // namespace brisolt
