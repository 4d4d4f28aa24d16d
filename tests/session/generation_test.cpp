// The steps of the generation sequence: the checks before planning, planning
// into a session, the removal of an unfinished session and the remaining-time
// estimate.
#include <gtest/gtest.h>


#include "session/generation.h"
#include "session/generation_progress.h"
#include "audio/sample_table.h"
#include "platform/files/file_system.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

using GenerationChecks = test::TempFolderTest;

TEST_F(GenerationChecks, TheSampleDataFileMustBeThereAndWhole) {
  const std::string path = folder().file("Data.dat");
  const GenerationStep missing = checkSampleData(path, "build/bin/brisolt-make-bank");
  EXPECT_EQ(missing.problem, GenerationProblem::kNoSampleData);
  EXPECT_EQ(missing.message, "the sample data file '" + path + "' is missing; build it with build/bin/brisolt-make-bank");

  test::writeSyntheticBank(path, {.markedBytes = 2, .length = audio::kSampleDataSize - 2});
  const GenerationStep shortBank = checkSampleData(path, "brisolt-make-bank");
  EXPECT_EQ(shortBank.problem, GenerationProblem::kNoSampleData);
  EXPECT_NE(shortBank.message.find("holds 15696270 bytes, fewer than the 15696272"), std::string::npos)
      << shortBank.message;

  test::writeSyntheticBank(path, {.markedBytes = 2});
  EXPECT_TRUE(checkSampleData(path, "brisolt-make-bank").ok());
  EXPECT_EQ(checkSampleData(folder().path(), "x").problem, GenerationProblem::kNoSampleData) << "a folder is no bank";
}

TEST_F(GenerationChecks, TheArchiveFolderIsMadeWithItsParentsOrNamed) {
  EXPECT_TRUE(prepareArchiveFolder(folder().file("a/b/Archive/")).ok());
  EXPECT_TRUE(prepareArchiveFolder(folder().file("a/b/Archive/")).ok()) << "an existing folder is no error";

  test::writeFileBytes(folder().file("plain"), {1});
  const GenerationStep blocked = prepareArchiveFolder(folder().file("plain/Archive/"));
  EXPECT_EQ(blocked.problem, GenerationProblem::kArchiveNotWritable);
  EXPECT_NE(blocked.message.find("'" + folder().file("plain/Archive/") + "'"), std::string::npos) << blocked.message;
}

TEST_F(GenerationChecks, RoomIsCheckedOnEveryFolderWithTheWindowsMessage) {
  const auto freeOn = [](std::uint64_t archiveMb, std::uint64_t tempMb) {
    return [=](const std::string& folder) -> std::optional<std::uint64_t> {
      return (folder == "/archive/" ? archiveMb : tempMb) * kMegabyte;
    };
  };
  const GenerationStep archiveShort = checkRoom({"/archive/", "/tmp/"}, 5, freeOn(2294, 99999));
  EXPECT_EQ(archiveShort.problem, GenerationProblem::kNoDiskSpace);
  EXPECT_EQ(archiveShort.message,
            "Not enough space on disk.\nFree: 2294 MB\nNeed: 2295 MB\n(on the file system of '/archive/')");
  const GenerationStep tempShort = checkRoom({"/archive/", "/tmp/"}, 90, freeOn(50000, 41309));
  EXPECT_EQ(tempShort.problem, GenerationProblem::kNoDiskSpace);
  EXPECT_NE(tempShort.message.find("Need: 41310 MB\n(on the file system of '/tmp/')"), std::string::npos);

  EXPECT_TRUE(checkRoom({"/archive/"}, 5, freeOn(2295, 0)).ok());
  EXPECT_TRUE(checkRoom({"/archive/"}, 5, [](const std::string&) { return std::optional<std::uint64_t>{}; }).ok())
      << "a failed query does not block";
  EXPECT_TRUE(checkRoom({"/archive/"}, 5, freeOn(0, 0)).ok()) << "0 MB free does not block";
}

TEST_F(GenerationChecks, SessionIdsAreWholeNumbersOf32Bits) {
  EXPECT_EQ(parseSessionId("0"), 0u);
  EXPECT_EQ(parseSessionId("4294967295"), 4294967295u);
  for (const char* bad : {"", "-1", "4294967296", "12a", " 5"}) EXPECT_EQ(parseSessionId(bad), std::nullopt) << bad;
}

class SessionPlanning : public test::TempFolderTest {
 protected:
  Session session{folder().file("Archive/"), "240131_142507_"};
  compose::Composer composer;
  CompositionSettings settings;
};

TEST_F(SessionPlanning, PlansWithTheGivenSessionIdAndWritesTheLog) {
  ASSERT_TRUE(prepareArchiveFolder(session.archiveFolder).ok());
  const PlanStep plan = planSession(composer, settings, session, 4242u);
  ASSERT_TRUE(plan.ok()) << plan.message;
  EXPECT_EQ(plan.phraseCount, 5);
  EXPECT_EQ(composer.plan().sessionId, 4242u);
  EXPECT_EQ(composer.plan().outputPrefix, session.outputPrefix());
  EXPECT_TRUE(test::fileExists(session.logFile()));
  EXPECT_EQ(session.finalMix(), session.archiveFolder + "240131_142507_Pelko.wav");
}

TEST_F(SessionPlanning, ALogThatCannotBeWrittenStopsBeforeTheOldPlanIsUsed) {
  ASSERT_TRUE(prepareArchiveFolder(session.archiveFolder).ok());
  ASSERT_TRUE(planSession(composer, settings, session, 1u).ok());
  const Session unwritable{folder().file("gone/"), "240131_142508_"};
  const PlanStep plan = planSession(composer, settings, unwritable, 2u);
  EXPECT_EQ(plan.problem, GenerationProblem::kArchiveNotWritable);
  EXPECT_EQ(plan.message, "cannot write the generation log '" + unwritable.logFile() + "'; check that the folder '" +
                              unwritable.archiveFolder + "' can be written");
  EXPECT_EQ(composer.plan().outputPrefix, session.outputPrefix()) << "the previous plan is the one left";
}

TEST_F(SessionPlanning, RemovingASessionTakesOnlyItsOwnFiles) {
  ASSERT_TRUE(prepareArchiveFolder(session.archiveFolder).ok());
  for (const char* name : {"240131_142507_log.txt", "240131_142507_Pelko.wav", "240131_142507_Pelko_02.wav",
                           "240131_142506_log.txt", "notes.txt"}) {
    test::writeFileBytes(session.archiveFolder + name, {1});
  }
  EXPECT_TRUE(removeSessionFiles(session).empty());
  EXPECT_EQ(platform::listFiles(session.archiveFolder, ""),
            (std::vector<std::string>{"240131_142506_log.txt", "notes.txt"}));
}

TEST(RemainingTime, IsElapsedPerStepTimesTheStepsLeftFromPositionThree) {
  EXPECT_EQ(remainingSeconds(2, 84, 100), std::nullopt);
  EXPECT_EQ(remainingSeconds(3, 84, 6), 162);      // 81 steps at 2 s
  EXPECT_EQ(remainingSeconds(7, 84, 10), 110);     // 77 x 10 / 7 = 110.0
  EXPECT_EQ(remainingSeconds(9, 84, 10), 83);      // 83.33 truncated
  EXPECT_EQ(remainingSeconds(3, 84, 1000), 5940);  // at most 99:00
  EXPECT_EQ(remainingSeconds(84, 84, 50), 0);
  EXPECT_EQ(minutesAndSeconds(162), "02:42");
  EXPECT_EQ(minutesAndSeconds(5940), "99:00");
  EXPECT_EQ(minutesAndSeconds(7), "00:07");
}


}  // namespace
}  // namespace brisolt
