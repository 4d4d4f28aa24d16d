// One loading policy for the tables of data/: the first fault throws a
// DataTextError that names the file and the line, whichever table it is in;
// the tables built into the program load.
#include <gtest/gtest.h>

#include <string>

#include "compose/bar_patterns.h"
#include "compose/composer.h"
#include "compose/data_text.h"
#include "compose/loudness_source.h"

namespace brisolt::compose {
namespace {

// The message of the DataTextError that `load` throws; empty when it throws none.
template <typename Load>
std::string faultOf(Load&& load) {
  try {
    load();
  } catch (const DataTextError& error) {
    return error.what();
  }
  return {};
}

std::string groupLine(int group, const std::string& member) {
  std::string line = std::to_string(group) + ":";
  for (int k = 0; k < kBarPatternsPerGroup; ++k) line += " " + member;
  return line + "\n";
}

TEST(DataLoading, AFaultInsideALineNamesThatLine) {
  const std::string text = "# comment\n" + groupLine(0, "0101010101010101") + "\n" + groupLine(1, "01010101010101012");
  const std::string fault = faultOf([&] { loadBarPatterns({"bar_patterns.txt", text}); });
  EXPECT_EQ(fault.rfind("Line 4 of bar_patterns.txt: a member is sixteen 0/1 flags", 0), 0u) << fault;
}

TEST(DataLoading, AFaultOfTheWholeFileNamesItsLastLine) {
  const std::string text = groupLine(0, "0101010101010101") + groupLine(1, "1111111111111111");
  EXPECT_EQ(faultOf([&] { loadBarPatterns({"bar_patterns.txt", text}); }),
            "Line 2 of bar_patterns.txt: expected 20 groups");
}

TEST(DataLoading, EveryTableFollowsThePolicy) {
  const std::string fault = faultOf([] { loadLoudnessSource({"dynamics.txt", "01 02 03\n04 5 06\n"}); });
  EXPECT_EQ(fault, "Line 2 of dynamics.txt: a level is two digits 01..09: '5'");
}

TEST(DataLoading, AReaderThatCollectsItsFaultIsRefusedTheSameWay) {
  EXPECT_NO_THROW(refuseDataText(""));
  EXPECT_EQ(faultOf([] { refuseDataText(lineError("voice_table.txt", 7, "unknown family")); }),
            "Line 7 of voice_table.txt: unknown family");
}

TEST(DataLoading, LinesAreCountedFromOneIncludingCommentsAndBlanks) {
  const std::string text = "# a\n\nfirst\nsecond\n";
  const DataFile file{"x.txt", text};
  EXPECT_EQ(lineOf(file, std::string_view(text).substr(text.find("first"))), 3);
  EXPECT_EQ(lineOf(file, std::string_view(text).substr(text.find("second") + 2)), 4);
  EXPECT_EQ(lineOf(file, {}), 4) << "a fault of the whole file is at its last line";
}

TEST(DataLoading, TheBuiltInTablesLoad) {
  EXPECT_NO_THROW({ const Composer composer; });
  EXPECT_EQ(loadBarPatterns().size(), 200u);
}

}  // namespace
}  // namespace brisolt::compose
