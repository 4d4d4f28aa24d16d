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
#include "session/session_prefix.h"

#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(GenerationChecks, RoomIsCheckedOnBothFoldersOrTogetherWhenTheyShareAFileSystem) {
  const auto freeOn = [](std::uint64_t archiveMb, std::uint64_t tempMb) {
    return [=](const std::string& folder) -> std::optional<std::uint64_t> {
      return (folder == "/archive/" ? archiveMb : tempMb) * kMegabyte;
    };
  };
  const RoomNeed five = roomNeeded(5, 60, render::RenderEngine::kFiles);  // 231 MB of voice files, 15 MB in the archive
  const GenerationStep archiveShort = checkRoom({"/archive/", "/tmp/", false}, five, freeOn(14, 99999));
  EXPECT_EQ(archiveShort.problem, GenerationProblem::kNoDiskSpace);
  EXPECT_EQ(archiveShort.message,
            "Not enough space on disk.\nFree: 14 MB\nNeed: 15 MB (the final mix and log)\n"
            "(on the file system of '/archive/')");
  const GenerationStep tempShort = checkRoom({"/archive/", "/tmp/", false}, five, freeOn(99999, 230));
  EXPECT_NE(tempShort.message.find("Need: 231 MB (voice files at the render's peak)\n(on the file system of '/tmp/')"),
            std::string::npos) << tempShort.message;
  EXPECT_TRUE(checkRoom({"/archive/", "/tmp/", false}, five, freeOn(16, 232)).ok());

  // On one file system of 400 MB: five phrases fit, ninety do not.
  EXPECT_TRUE(checkRoom({"/archive/", "/tmp/", true}, five, freeOn(400, 400)).ok());
  const GenerationStep ninety = checkRoom({"/archive/", "/tmp/", true}, roomNeeded(90, 60, render::RenderEngine::kFiles), freeOn(400, 400));
  EXPECT_EQ(ninety.problem, GenerationProblem::kNoDiskSpace);
  EXPECT_EQ(ninety.room.needMb, 4364);
  EXPECT_TRUE(checkRoom({"/archive/", "/tmp/", true}, five, freeOn(245, 245)).problem ==
              GenerationProblem::kNoDiskSpace) << "both needs count together";
  EXPECT_FALSE(checkRoom({"/archive/", "/tmp/", false}, five, freeOn(0, 0)).ok()) << "0 MB free blocks";
}

TEST_F(GenerationChecks, TheStreamingEngineAsksNoRoomOfTheTemporaryFolder) {
  std::vector<std::string> asked;
  const auto freeOn = [&asked](std::uint64_t mb) {
    return [&asked, mb](const std::string& folder) -> std::optional<std::uint64_t> {
      asked.push_back(folder);
      return mb * kMegabyte;
    };
  };
  const RoomNeed ninety = roomNeeded(90, 60, render::RenderEngine::kStreaming);
  EXPECT_TRUE(checkRoom({"/archive/", "/tmp/", false}, ninety, freeOn(400)).ok()) << "a 255 MB mix fits in 400 MB";
  EXPECT_EQ(asked, std::vector<std::string>{"/archive/"});
  const GenerationStep tooSmall = checkRoom({"/archive/", "/tmp/", true}, ninety, freeOn(200));
  EXPECT_EQ(tooSmall.problem, GenerationProblem::kNoDiskSpace);
  EXPECT_EQ(tooSmall.message,
            "Not enough space on disk.\nFree: 200 MB\nNeed: 244 MB (the final mix and log)\n"
            "(on the file system of '/archive/')");
}

TEST_F(GenerationChecks, AFreeSpaceTheSystemCannotTellIsSaidNotSkipped) {
  const auto unknownFor = [](const std::string& unknownFolder) {
    return [unknownFolder](const std::string& folder) -> std::optional<std::uint64_t> {
      if (folder == unknownFolder) return std::nullopt;
      return 99999 * kMegabyte;
    };
  };
  const RoomNeed five = roomNeeded(5, 60, render::RenderEngine::kFiles);
  const GenerationStep tempUnknown = checkRoom({"/archive/", "/tmp/", false}, five, unknownFor("/tmp/"));
  EXPECT_TRUE(tempUnknown.ok()) << "a full disk later fails the render cleanly; unknown is not refused";
  EXPECT_EQ(tempUnknown.notice,
            "the free space on the file system of '/tmp/' could not be read, so the 231 MB the piece needs there "
            "were not checked");
  const GenerationStep known = checkRoom({"/archive/", "/tmp/", false}, five, unknownFor("/nowhere/"));
  EXPECT_TRUE(known.ok());
  EXPECT_EQ(known.notice, "") << "nothing to say when both were checked";
  // An unknown side does not hide a refusal on the other.
  const auto archiveShort = [](const std::string& folder) -> std::optional<std::uint64_t> {
    if (folder == "/tmp/") return std::nullopt;
    return 1 * kMegabyte;
  };
  EXPECT_EQ(checkRoom({"/archive/", "/tmp/", false}, five, archiveShort).problem, GenerationProblem::kNoDiskSpace);
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
                              unwritable.archiveFolder + "' can be written and has room");
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

using SessionClaims = test::TempFolderTest;

TEST_F(SessionClaims, AClaimCreatesTheLogAndMovesPastTakenSeconds) {
  const std::string archive = folder().file("Archive/");
  ASSERT_TRUE(prepareArchiveFolder(archive).ok());
  const std::int64_t now = 1700000000;
  const ClaimStep first = claimSession(archive, now);
  ASSERT_TRUE(first.ok()) << first.message;
  EXPECT_TRUE(test::fileExists(first.session.logFile()));
  const ClaimStep second = claimSession(archive, now);
  ASSERT_TRUE(second.ok());
  EXPECT_NE(second.session.prefix, first.session.prefix) << "the same second is never claimed twice";
  EXPECT_EQ(second.session.prefix, sessionPrefix(now + 1));
}

TEST_F(SessionClaims, ASecondWithAnyNameOfItsOwnAlreadyThereIsPassedBy) {
  const std::string archive = folder().file("Archive/");
  ASSERT_TRUE(prepareArchiveFolder(archive).ok());
  const std::int64_t now = 1700000000;
  const std::string target = folder().file("outside.wav");
  test::writeFileBytes(target, {7});
  // Links under the mix's and the rendition's names, an old stem: not the log's name.
  const Session planted{archive, sessionPrefix(now)};
  ASSERT_EQ(::symlink(target.c_str(), planted.finalMix().c_str()), 0);
  ASSERT_EQ(::symlink(target.c_str(), (archive + sessionPrefix(now + 1) + "PelkoL.wav").c_str()), 0);
  test::writeFileBytes(archive + sessionPrefix(now + 2) + "Pelko_03.wav", {1});
  const ClaimStep claim = claimSession(archive, now);
  ASSERT_TRUE(claim.ok()) << claim.message;
  EXPECT_EQ(claim.session.prefix, sessionPrefix(now + 3));
  EXPECT_FALSE(platform::nameExists(planted.logFile())) << "the logs made while trying are gone again";
  EXPECT_FALSE(platform::nameExists(archive + sessionPrefix(now + 1) + "log.txt"));
  EXPECT_EQ(test::readFileBytes(target), (std::vector<std::uint8_t>{7}));
}

TEST_F(SessionClaims, ALinkAtTheNextNameIsPassedByAndNeverWrittenThrough) {
  const std::string archive = folder().file("Archive/");
  ASSERT_TRUE(prepareArchiveFolder(archive).ok());
  const std::int64_t now = 1700000000;
  const std::string target = folder().file("outside.txt");
  test::writeFileBytes(target, {7});
  const Session taken{archive, sessionPrefix(now)};
  ASSERT_EQ(::symlink(target.c_str(), taken.logFile().c_str()), 0);
  const ClaimStep claim = claimSession(archive, now);
  ASSERT_TRUE(claim.ok());
  EXPECT_EQ(claim.session.prefix, sessionPrefix(now + 1));
  compose::Composer composer;
  ASSERT_TRUE(planSession(composer, CompositionSettings{}, claim.session, 5u).ok());
  EXPECT_EQ(test::readFileBytes(target), (std::vector<std::uint8_t>{7})) << "the link's target is untouched";
  EXPECT_EQ(planSession(composer, CompositionSettings{}, taken, 5u).problem, GenerationProblem::kArchiveNotWritable)
      << "the planner does not write through a link either";
  EXPECT_EQ(test::readFileBytes(target), (std::vector<std::uint8_t>{7}));
}

TEST_F(GenerationChecks, NonRegularSampleDataIsNamedForWhatItIs) {
  const std::string fifo = folder().file("Data.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const GenerationStep step = checkSampleData(fifo, "brisolt-make-bank");
  EXPECT_EQ(step.problem, GenerationProblem::kNoSampleData);
  EXPECT_EQ(step.message.find("is missing"), std::string::npos) << step.message;
  EXPECT_NE(step.message.find("FIFO"), std::string::npos) << step.message;
  const GenerationStep dir = checkSampleData(folder().path(), "brisolt-make-bank");
  EXPECT_EQ(dir.message.find("is missing"), std::string::npos) << dir.message;
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
