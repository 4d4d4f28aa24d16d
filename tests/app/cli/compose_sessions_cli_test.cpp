// Sessions of `brisolt compose` that never collide or leak, tried on the built
// executable with a synthetic bank: a run ended by TERM, HUP, a second Ctrl-C
// or the file-size limit removes everything of its session and exits with
// 128 + the signal, during the render or the stereo rendition; what a
// SIGKILL leaves the next run sweeps; ten runs
// started at once into one archive on one sample data file all succeed, each
// with its own files.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "rendition/soundfont_locator.h"
#include "tests/support/file_bytes.h"
#include "tests/support/program_run.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

constexpr const char* kPhrases = "30";

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string textOf(const std::string& path) {
  const test::Bytes bytes = test::readFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

class ComposeSessions : public test::TempFolderTest {
 protected:
  ComposeSessions() {
    platform::createFolder(folder().file("bank"));
    test::writeSyntheticBank(dataPath());
  }
  test::ProgramLaunch launch(const std::vector<std::string>& extra, const std::string& archive,
                             const std::string& outFile) const {
    std::vector<std::string> arguments{"compose", "--data", dataPath(), "--archive", archivePath(archive), "--no-hifi"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return {BRISOLT_EXECUTABLE, arguments, folder().file("bank/" + outFile)};
  }
  // A 30-phrase compose through the temporary folder (the file engine), with
  // `onErrorLine` watching its progress lines.
  test::ProgramRun composeLong(const std::function<void(const std::string&, pid_t)>& onErrorLine,
                               std::uint64_t fileSizeLimit = 0) const {
    test::ProgramLaunch run = launch({"--phrases", kPhrases, "--engine", "files"}, "Archive", "long.txt");
    run.fileSizeLimit = fileSizeLimit;
    return test::runProgram(run, onErrorLine);
  }
  // The next run, a short one into the same archive.
  test::ProgramRun composeNext() const {
    return test::runProgram(launch({"--phrases", "5", "--quiet"}, "Archive", "next.txt"));
  }
  std::string dataPath() const { return folder().file("bank/Data.dat"); }
  std::string archivePath(const std::string& archive) const { return folder().file("bank/" + archive + "/"); }
  std::vector<std::string> archiveFiles(const std::string& archive = "Archive") const {
    return platform::listFiles(archivePath(archive), "");
  }
  std::vector<std::string> temporaryFiles() const { return platform::listFiles(folder().path(), ""); }

  // After the next run, the archive holds that run's mix, log and score and
  // nothing else; the temporary folder holds nothing.
  void expectOnlyTheNextRunsFiles() const {
    const test::ProgramRun next = composeNext();
    ASSERT_EQ(next.status, 0) << next.err;
    const std::vector<std::string> printed = linesOf(next.out);
    ASSERT_EQ(printed.size(), 2u) << next.out;
    std::vector<std::string> expected;
    for (const std::string& path : printed) expected.push_back(path.substr(archivePath("Archive").size()));
    const std::string& log = expected.back();  // <prefix>log.txt
    expected.push_back(log.substr(0, log.size() - std::string("log.txt").size()) + "score.json");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(archiveFiles(), expected);
    EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
  }
};

struct Ending {
  const char* name;
  int signal;
  int times;  // sent back to back
  const char* said;
};

class ComposeEnding : public ComposeSessions, public ::testing::WithParamInterface<Ending> {};

TEST_P(ComposeEnding, RemovesEverythingOfTheSessionAndExitsWith128PlusTheSignal) {
  const Ending ending = GetParam();
  bool sent = false;
  const test::ProgramRun run = composeLong([&](const std::string& line, pid_t pid) {
    // Mid-render: the first group mixed into its stem, the second's voice files in the making.
    if (sent || line.find("group 1 of 8 mixed") == std::string::npos) return;
    for (int k = 0; k < ending.times; ++k) ::kill(pid, ending.signal);
    sent = true;
  });
  ASSERT_TRUE(sent) << run.err;
  EXPECT_EQ(run.status, 128 + ending.signal) << run.err;
  EXPECT_NE(run.err.find(std::string(ending.said) + "; the unfinished session's files were removed"), std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "") << "no path is printed for a piece that was not made";
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
  expectOnlyTheNextRunsFiles();
}

INSTANTIATE_TEST_SUITE_P(Signals, ComposeEnding,
                         ::testing::Values(Ending{"Term", SIGTERM, 1, "stopped by SIGTERM"},
                                           Ending{"HangUp", SIGHUP, 1, "stopped by SIGHUP"},
                                           Ending{"SecondCtrlC", SIGINT, 2, "cancelled"}),
                         [](const ::testing::TestParamInfo<Ending>& param) { return std::string(param.param.name); });

TEST_F(ComposeSessions, ASignalDuringTheStereoRenditionStopsItAtItsNextBlock) {
  if (rendition::findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed (fluid-soundfont-gm)";
  const test::ProgramLaunch launched{BRISOLT_EXECUTABLE,
                                     {"compose", "--data", dataPath(), "--archive", archivePath("Archive"), "--phrases",
                                      "20", "--hifi"},
                                     folder().file("bank/hifi.txt")};
  bool sent = false;
  const test::ProgramRun run = test::runProgram(launched, [&](const std::string& line, pid_t pid) {
    if (sent || line.find("stereo rendition 25 %") == std::string::npos) return;
    ::kill(pid, SIGTERM);
    sent = true;
  });
  ASSERT_TRUE(sent) << run.err;
  EXPECT_EQ(run.status, 128 + SIGTERM) << run.err;
  EXPECT_EQ(run.err.find("stereo rendition 75 %"), std::string::npos) << "the rendition went on: " << run.err;
  EXPECT_NE(run.err.find("stopped by SIGTERM; the unfinished session's files were removed"), std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{}) << "nor the rendition's temporary file";
}

TEST_F(ComposeSessions, AKilledRunsLeftoversAreSweptByTheNextRun) {
  bool sent = false;
  const test::ProgramRun run = composeLong([&](const std::string& line, pid_t pid) {
    if (sent || line.find("group 1 of 8 mixed") == std::string::npos) return;
    ::kill(pid, SIGKILL);
    sent = true;
  });
  ASSERT_TRUE(sent) << run.err;
  EXPECT_EQ(run.status, 128 + SIGKILL);
  // Nothing could clean up: the log and its mark, the stems and voice files.
  EXPECT_GE(archiveFiles().size(), 2u);
  EXPECT_GE(temporaryFiles().size(), 1u) << "the killed run left temporary files for the sweep";
  expectOnlyTheNextRunsFiles();
}

TEST_F(ComposeSessions, AFileSizeLimitEndsTheRunWith153AndNoShortMix) {
  // The log fits; the first stem does not.
  const test::ProgramRun run = composeLong({}, 1u << 20);
  EXPECT_EQ(run.status, 128 + SIGXFSZ) << run.err;
  EXPECT_NE(run.err.find("stopped by SIGXFSZ"), std::string::npos) << run.err;
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
}

TEST_F(ComposeSessions, TenRunsAtOnceIntoOneArchiveEachMakeTheirOwnSession) {
  constexpr int kRuns = 10;
  constexpr int kFirstId = 4100;
  std::vector<pid_t> started;
  for (int run = 0; run < kRuns; ++run) {
    const std::string id = std::to_string(kFirstId + run);
    started.push_back(test::startProgram(launch({"--phrases", "5", "--quiet", "--session-id", id}, "Shared",
                                                "out-" + id + ".txt"),
                                         folder().file("bank/err-" + id + ".txt")));
  }
  std::vector<std::string> mixes;
  for (int run = 0; run < kRuns; ++run) {
    const std::string id = std::to_string(kFirstId + run);
    const int status = test::waitForProgram(started[static_cast<std::size_t>(run)]);
    ASSERT_EQ(status, 0) << "run " << id << ": " << textOf(folder().file("bank/err-" + id + ".txt"));
    const std::vector<std::string> printed = linesOf(textOf(folder().file("bank/out-" + id + ".txt")));
    ASSERT_EQ(printed.size(), 2u) << id;
    const std::string log = textOf(printed[1]);
    EXPECT_NE(log.find("Session ID: " + id + "\r"), std::string::npos) << printed[1] << " does not name " << id;
    mixes.push_back(printed[0]);
  }
  EXPECT_EQ(archiveFiles("Shared").size(), 3u * kRuns) << "a mix, a log and a score each, nothing more";
  std::vector<std::string> distinct = mixes;
  std::sort(distinct.begin(), distinct.end());
  EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end()) << "two runs shared a session";

  for (int run = 0; run < kRuns; ++run) {
    const std::string id = std::to_string(kFirstId + run);
    const test::ProgramRun solo =
        test::runProgram(launch({"--phrases", "5", "--quiet", "--session-id", id}, "Solo-" + id, "solo.txt"));
    ASSERT_EQ(solo.status, 0) << solo.err;
    const std::string soloMix = linesOf(solo.out).at(0);
    EXPECT_TRUE(test::readFileBytes(mixes[static_cast<std::size_t>(run)]) == test::readFileBytes(soloMix))
        << "the mix of session id " << id << " made beside nine others differs from its solo render";
  }
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
}

}  // namespace
}  // namespace brisolt
