// The window-free steps of Generate: the checks before planning, planning
// into a session, the removal of an unfinished session, the remaining-time
// estimate, the terminal's progress and Ctrl-C as Stop.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include "app/generation.h"
#include "app/generation_interrupt.h"
#include "app/generation_progress.h"
#include "app/generation_terminal.h"
#include "audio/sample_table.h"
#include "platform/files/file_system.h"
#include "platform/message_pump.h"
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
  EXPECT_EQ(plan.message, "cannot write the generation log '" + unwritable.logFile() + "'; nothing was rendered");
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

// Feeds a whole run's calls to a host: the driver's pattern in small.
void feedRun(TerminalProgress& progress) {
  for (int mix = 1; mix <= 9; ++mix) {
    const int steps = mix == 1 ? 12 : (mix == 9 ? 2 : 10);
    for (int step = 0; step < steps; ++step) progress.advanceProgress();
    progress.showRemainingTime();
    progress.mixWritten(mix);
  }
}

TEST(TerminalProgress, PlainLinesSayWhichGroupWasMixedAndWhatIsLeft) {
  std::ostringstream out;
  std::int64_t elapsed = 6;
  TerminalProgress progress(out, TerminalProgress::Style::kLines, [&] { return elapsed; });
  feedRun(progress);
  progress.finish();
  const std::string text = out.str();
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_NE(text.find("brisolt compose: group 1 of 8 mixed (12/84 steps, about 00:36 left)\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("group 8 of 8 mixed (82/84 steps, about 00:00 left)\n"), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("brisolt compose: final mix written (84/84 steps)\n"))
      << "the estimate of the line before is not said again:\n" << text;
  EXPECT_EQ(progress.position(), kGenerationSteps);
}

TEST(TerminalProgress, ABarIsRedrawnInPlaceAndQuietShowsNothing) {
  std::ostringstream bar;
  TerminalProgress drawn(bar, TerminalProgress::Style::kBar, [] { return std::int64_t{42}; });
  feedRun(drawn);
  drawn.finish();
  EXPECT_NE(bar.str().find("\rComposing [" + std::string(42, '#') + "] 84/84  remaining 00:00"), std::string::npos);
  EXPECT_TRUE(bar.str().ends_with("\n"));

  std::ostringstream quiet;
  TerminalProgress silent(quiet, TerminalProgress::Style::kQuiet, [] { return std::int64_t{1}; });
  feedRun(silent);
  silent.finish();
  EXPECT_EQ(quiet.str(), "");
}

TEST(InterruptCancels, CtrlCSetsBothCancelFlagsAtTheNextPump) {
  compose::Composer composer;
  audio::FileMixer mixer;
  {
    InterruptCancels interrupt(composer, mixer);
    platform::pumpOneMessage();
    EXPECT_FALSE(composer.cancelRequested);
    std::raise(SIGINT);
    EXPECT_TRUE(interrupt.interrupted());
    EXPECT_FALSE(composer.cancelRequested) << "the handler itself touches nothing but its flag";
    platform::pumpOneMessage();
    EXPECT_TRUE(composer.cancelRequested);
    EXPECT_TRUE(mixer.cancelRequested());
  }
  composer.cancelRequested = false;
  platform::pumpOneMessage();
  EXPECT_FALSE(composer.cancelRequested) << "the pump still copies after the guard is gone";
}

}  // namespace
}  // namespace brisolt
