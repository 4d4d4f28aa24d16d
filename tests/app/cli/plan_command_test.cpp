// `brisolt plan` run through its command function with a fixed clock: the
// JSON it prints, where the log goes, and what happens when it cannot write.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/exit_status.h"
#include "app/cli/plan_command.h"
#include "tests/compose/scratch_folder.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

constexpr std::int64_t kThirtyFirstOfJanuary = 1706711107;  // 2024-01-31 14:25:07 UTC

class PlanCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    if (tz) savedTz_ = tz;
    hadTz_ = tz != nullptr;
    setenv("TZ", "UTC", 1);
    tzset();
    request.archiveFolder = folder.prefix() + "Archive/";
    request.format = PlanFormat::kJson;
    request.keepLog = true;  // most tests here look at the log; one asks for none
  }
  void TearDown() override {
    if (hadTz_) setenv("TZ", savedTz_.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }
  int run() {
    out.str({});
    err.str({});
    return runPlan(request, [] { return kThirtyFirstOfJanuary; }, out, err);
  }

  testing::ScratchFolder folder{"plan_command"};
  PlanRequest request;
  std::ostringstream out;
  std::ostringstream err;
  bool hadTz_ = false;
  std::string savedTz_;
};

TEST_F(PlanCommand, AFixedSessionIdGivesTheSameJsonByteForByte) {
  request.sessionId = 2024;
  request.settings.phraseCount = 12;
  ASSERT_EQ(run(), kExitOk) << err.str();
  const std::string first = out.str();
  std::filesystem::remove(request.archiveFolder + "240131_142507_log.txt");  // the second is free again
  ASSERT_EQ(run(), kExitOk) << err.str();
  EXPECT_EQ(out.str(), first);
  request.sessionId = 2025;
  ASSERT_EQ(run(), kExitOk) << err.str();
  EXPECT_NE(out.str(), first) << "another session id, another piece";
}

TEST_F(PlanCommand, JsonHoldsExactlyTheListedFieldsInOrder) {
  request.sessionId = 7;
  ASSERT_EQ(run(), kExitOk) << err.str();
  const auto json = nlohmann::ordered_json::parse(out.str());
  std::vector<std::string> keys;
  for (const auto& item : json.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"sessionId", "variationIndex", "variationOffset", "stretchFactor",
                                            "barCount", "noteCount", "tempo", "modeFamily", "keyDisplayName",
                                            "scaleKeys", "phraseDigitOrders", "barPitches", "barRhythms",
                                            "dynamics", "logFile"}));
  EXPECT_EQ(json["sessionId"], 7);
  EXPECT_EQ(json["barCount"], 80);
  EXPECT_EQ(json["tempo"], 60);
  EXPECT_EQ(json["keyDisplayName"], "C");
  EXPECT_EQ(json["modeFamily"], "Maj");
  EXPECT_EQ(json["scaleKeys"].size(), 35u);
  EXPECT_EQ(json["scaleKeys"][0], "01");
  EXPECT_EQ(json["barPitches"].size(), 80u);
  EXPECT_EQ(json["barRhythms"].size(), 80u);
  EXPECT_EQ(json["logFile"], request.archiveFolder + "240131_142507_log.txt");
}

TEST_F(PlanCommand, CreatesTheArchiveFolderAndWritesTheLogUnderTheSessionPrefix) {
  request.sessionId = 99;
  request.settings = {9, 2, 0, 11, 5};
  ASSERT_EQ(run(), kExitOk) << err.str();
  const auto log = std::filesystem::path(request.archiveFolder) / "240131_142507_log.txt";
  ASSERT_TRUE(std::filesystem::exists(log));
  std::ifstream in(log, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(text,
            "Brisolt generate started at: 2024-01-31 14:25\r\nSession ID: 99\r\nParameters:\r\n"
            " Key signature: G#\r\n Scale: Minor Harmonic\r\n Motif Mode: A\r\n Phrase Mode: L\r\n"
            "Generate: 5 phrases\r\n");
}

TEST_F(PlanCommand, WithoutLogNoFileIsLeftInTheArchiveOrTheTemporaryFolder) {
  const std::string temporary = folder.prefix() + "tmp/";
  std::filesystem::create_directories(temporary);
  request.keepLog = false;
  request.sessionId = 99;
  int status = -1;
  {
    const test::ScopedTmpdir tmpdir(temporary);
    status = run();
  }

  ASSERT_EQ(status, kExitOk) << err.str();
  const auto json = nlohmann::json::parse(out.str());
  EXPECT_EQ(json["sessionId"], 99);
  EXPECT_FALSE(json.contains("logFile")) << "no log was kept, so none is named";
  EXPECT_FALSE(std::filesystem::exists(request.archiveFolder)) << "the archive folder was made for nothing";
  EXPECT_TRUE(std::filesystem::is_empty(temporary)) << "the planner's scratch folder was left in " << temporary;
}

TEST_F(PlanCommand, TextOutputNamesTheKeyScaleAndEveryBar) {
  request.format = PlanFormat::kText;
  request.sessionId = 5;
  request.settings.scale = 11;
  ASSERT_EQ(run(), kExitOk) << err.str();
  const std::string text = out.str();
  EXPECT_NE(text.find("Planned 5 phrases (80 bars, "), std::string::npos) << text.substr(0, 200);
  EXPECT_NE(text.find(" in C Blues, tempo 60."), std::string::npos) << text.substr(0, 200);
  EXPECT_NE(text.find("Session ID:  5\n"), std::string::npos);
  EXPECT_NE(text.find("  bar   80  "), std::string::npos);
  EXPECT_EQ(text.find("  bar   81  "), std::string::npos);
}

TEST_F(PlanCommand, AnArchiveFolderThatCannotBeMadeIsReportedWithItsPath) {
  const std::string blocker = folder.prefix() + "file";
  std::ofstream(blocker) << "x";
  request.archiveFolder = blocker + "/Archive/";
  EXPECT_EQ(run(), kExitArchiveNotWritable);
  EXPECT_NE(err.str().find("cannot create the archive folder '" + request.archiveFolder + "'"), std::string::npos)
      << err.str();
  EXPECT_EQ(out.str(), "");
}

TEST_F(PlanCommand, ANameTakenInTheArchiveIsPassedForTheNextSecond) {
  // A folder in the way of the log belongs to someone else.
  std::filesystem::create_directories(request.archiveFolder + "240131_142507_log.txt");
  EXPECT_EQ(run(), kExitOk) << err.str();
  EXPECT_NE(out.str().find(request.archiveFolder + "240131_142508_log.txt"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace brisolt
