// runCompose with recording fake renderers: what a finished run prints and
// leaves, and every way it can refuse or stop, each with its own exit status
// and no file of the run left behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include "app/cli/compose_command.h"
#include "app/exit_status.h"
#include "audio/sample_table.h"
#include "platform/files/file_system.h"
#include "session/session_prefix.h"
#include "render/render_engine.h"
#include "render/score_json.h"
#include "tests/render/fake_voice_renderers.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

constexpr std::int64_t kNow = 1706710000;  // its session prefix depends on the local time zone

class ComposeCommand : public test::TempFolderTest {
 protected:
  ComposeCommand() {
    platform::createFolder(folder().file("bank"));
    test::writeSyntheticBank(dataPath(), {.markedBytes = 2});
    request.archiveFolder = folder().file("Archive/");
    request.sampleDataPath = dataPath();
    // The recording fakes stand in for the renderers of the file engine,
    // which writes what they write.
    request.engine = render::RenderEngine::kFiles;
    environment.clock = [] { return kNow; };
    environment.elapsedSeconds = [] { return std::int64_t{3}; };
    environment.renderers = &fakes.table();
    environment.mixer = &mixer;
    environment.freeBytes = [](const std::string&) { return std::optional<std::uint64_t>{1ull << 40}; };
    environment.makeBankCommand = "build/bin/brisolt-make-bank";
  }

  int compose() { return runCompose(request, environment, out, err); }
  std::string dataPath() const { return folder().file("bank/Data.dat"); }
  Session session() const { return Session{request.archiveFolder, sessionPrefix(kNow)}; }
  std::vector<std::string> archiveFiles() const { return platform::listFiles(request.archiveFolder, ""); }
  std::vector<std::string> temporaryFiles() const { return platform::listFiles(folder().path(), ""); }

  test::FakeVoiceRenderers fakes;
  audio::FileMixer mixer;
  ComposeRequest request;
  ComposeEnvironment environment;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(ComposeCommand, ProgressLinesDoNotRepeatAnEstimateThatDidNotChange) {
  environment.elapsedSeconds = [] { return std::int64_t{0}; };  // a fast piece: "00:00 left" throughout
  ASSERT_EQ(compose(), kExitOk) << err.str();
  const std::string text = err.str();
  std::size_t estimates = 0;
  for (std::size_t at = text.find(" left)"); at != std::string::npos; at = text.find(" left)", at + 1)) ++estimates;
  EXPECT_EQ(estimates, 1u) << text;
  EXPECT_NE(text.find("final mix written (84/84 steps)\n"), std::string::npos) << text;
}

TEST_F(ComposeCommand, AFinishedPiecePrintsItsMixAndLogAndLeavesOnlyThemAndItsScore) {
  ASSERT_EQ(compose(), kExitOk) << err.str();
  EXPECT_EQ(out.str(), session().finalMix() + "\n" + session().logFile() + "\n");
  EXPECT_EQ(archiveFiles(), (std::vector<std::string>{session().prefix + "Pelko.wav", session().prefix + "log.txt",
                                                      session().prefix + "score.json"}));
  const render::ScoreParse score = render::readScoreFile(session().scoreFile());
  EXPECT_TRUE(score.score) << "the score is kept beside the log: " << score.error;
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
  EXPECT_EQ(fakes.calls().size(), 59u);
  EXPECT_EQ(fakes.calls().front().sampleDataPath, dataPath());
  EXPECT_NE(err.str().find("group 1 of 8 mixed (12/84 steps, about 00:22 left)\n"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("final mix written (84/84 steps"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("composed 5 phrases (session id "), std::string::npos) << err.str();
}

TEST_F(ComposeCommand, QuietPrintsOnlyThePaths) {
  request.quiet = true;
  ASSERT_EQ(compose(), kExitOk) << err.str();
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(out.str(), session().finalMix() + "\n" + session().logFile() + "\n");
}

TEST_F(ComposeCommand, TheSessionIdIsTheOneGiven) {
  request.sessionId = 777u;
  ASSERT_EQ(compose(), kExitOk) << err.str();
  const test::Bytes log = test::readFileBytes(session().logFile());
  EXPECT_NE(std::string(log.begin(), log.end()).find("777"), std::string::npos);
}

// Refusals before anything is planned or rendered.
using ComposeRefusal = ComposeCommand;

TEST_F(ComposeRefusal, AMissingSampleDataFileNamesItAndItsBuilder) {
  request.sampleDataPath = folder().file("bank/none.dat");
  EXPECT_EQ(compose(), kExitNoSampleData);
  EXPECT_EQ(err.str(), "brisolt compose: the sample data file '" + request.sampleDataPath +
                           "' is missing; build it with build/bin/brisolt-make-bank (or name another sample data "
                           "file with --data)\n");
  EXPECT_TRUE(fakes.calls().empty());
  EXPECT_EQ(out.str(), "");
}

TEST_F(ComposeRefusal, AShortSampleDataFileIsRefused) {
  test::writeSyntheticBank(dataPath(), {.markedBytes = 2, .length = 1000});
  EXPECT_EQ(compose(), kExitNoSampleData);
  EXPECT_NE(err.str().find("holds 1000 bytes"), std::string::npos) << err.str();
}

TEST_F(ComposeRefusal, AnArchiveThatCannotBeMadeIsRefused) {
  test::writeFileBytes(folder().file("plain"), {1});
  request.archiveFolder = folder().file("plain/Archive/");
  EXPECT_EQ(compose(), kExitArchiveNotWritable);
  EXPECT_NE(err.str().find("choose another folder with --archive"), std::string::npos) << err.str();
}

TEST_F(ComposeRefusal, ANameTakenInTheArchiveMovesTheSessionOnAndLeavesItAlone) {
  platform::createFolder(request.archiveFolder);
  platform::createFolder(session().logFile());  // someone else's thing where the log would go
  EXPECT_EQ(compose(), kExitOk) << err.str();
  const Session next{request.archiveFolder, sessionPrefix(kNow + 1)};
  EXPECT_NE(out.str().find(next.logFile()), std::string::npos) << out.str();
  EXPECT_TRUE(std::filesystem::is_directory(session().logFile())) << "the taken name is left alone";
}

TEST_F(ComposeRefusal, TooLittleRoomGivesTheWindowsMessage) {
  environment.freeBytes = [](const std::string&) { return std::optional<std::uint64_t>{100ull << 20}; };
  EXPECT_EQ(compose(), kExitNoDiskSpace);
  EXPECT_NE(err.str().find("brisolt compose: Not enough space on disk.\nFree: 100 MB\nNeed: "),
            std::string::npos)
      << err.str();
  EXPECT_FALSE(test::fileExists(request.archiveFolder)) << "the refusal left the archive folder it made";
}

// Runs that stop part-way remove the session's files from the archive too.
using ComposeStop = ComposeCommand;

TEST_F(ComposeStop, AFailedRenderLeavesNoFileOfTheSession) {
  fakes.setTwist([](const test::RecordedCall& call, render::VoiceResult result) {
    if (call.letter != 'e') return result;
    platform::deleteFile(result.paths.front());
    return render::VoiceResult{};
  });
  EXPECT_EQ(compose(), kExitFailure);
  EXPECT_NE(err.str().find("rendering failed"), std::string::npos) << err.str();
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
}

TEST_F(ComposeStop, CtrlCCancelsTheMixInProgressAndCleansUp) {
  // The signal comes while group 4 renders; the mixer's next pump hands it on.
  fakes.setTwist([](const test::RecordedCall& call, render::VoiceResult result) {
    if (call.letter == 'a') std::raise(SIGINT);
    return result;
  });
  EXPECT_EQ(compose(), kExitCancelled);
  EXPECT_NE(err.str().find("cancelled; the unfinished session's files were removed"), std::string::npos)
      << err.str();
  EXPECT_EQ(fakes.calls().size(), 31u) << "rendering went on past the interrupted group";
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
  EXPECT_FALSE(mixer.cancelRequested()) << "the mixer is left ready for the next run";
}

}  // namespace
}  // namespace brisolt
