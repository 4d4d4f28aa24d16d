// Pictures written to files: the whole text, or nothing new and a message.
#include <gtest/gtest.h>

#include "picture/picture_file.h"
#include "platform/files/file_system.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt::picture {
namespace {

using test::TempFolderTest;
using PictureFile = TempFolderTest;

TEST_F(PictureFile, HoldsTheWholeTextAndReplacesAnOldOne) {
  const std::string path = folder().file("piece.svg");
  test::writeFileBytes(path, test::Bytes(100000, 'x'));
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n";
  EXPECT_EQ(writePictureFile(svg, path), "");
  const test::Bytes written = test::readFileBytes(path);
  EXPECT_EQ(std::string(written.begin(), written.end()), svg);
}

TEST_F(PictureFile, AMissingFolderIsNamedAndNothingIsLeft) {
  const std::string path = folder().file("no such folder/piece.svg");
  const std::string message = writePictureFile("<svg/>", path);
  EXPECT_NE(message.find("'" + path + "'"), std::string::npos) << message;
  EXPECT_EQ(platform::listFiles(folder().path(), ""), std::vector<std::string>{});
}

}  // namespace
}  // namespace brisolt::picture
