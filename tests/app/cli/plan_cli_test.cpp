// `brisolt plan` run as a user runs it: the built executable with its
// command line, its output, its exit status and the files it leaves.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "tests/compose/scratch_folder.h"
#include "tests/support/shell_command.h"

namespace brisolt {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the brisolt executable with the arguments (already quoted for the shell).
Outcome runBrisolt(const std::string& arguments, const std::string& scratch) {
  const std::string errFile = scratch + "stderr.txt";
  const std::string command = std::string("'") + BRISOLT_EXECUTABLE + "' " + arguments + " 2>'" + errFile + "'";
  const test::ShellRun shell = test::runShell(command);
  Outcome run;
  run.status = shell.status;
  run.out = shell.out;
  std::ifstream in(errFile);
  run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::filesystem::remove(errFile);
  return run;
}

class PlanCli : public ::testing::Test {
 protected:
  Outcome plan(const std::string& arguments) {
    return runBrisolt("plan --archive '" + archive() + "' " + arguments, folder.prefix());
  }
  std::string archive() const { return folder.prefix() + "Archive"; }

  testing::ScratchFolder folder{"plan_cli"};
};

TEST_F(PlanCli, VersionPrintsTheProgramAndItsVersion) {
  for (const char* flag : {"--version", "-V"}) {
    const Outcome run = runBrisolt(flag, folder.prefix());
    EXPECT_EQ(run.status, 0) << flag << ": " << run.err;
    EXPECT_EQ(run.out, "brisolt 2.1.0\n") << flag;
  }
}

TEST_F(PlanCli, AStandardOutputThatRefusesWritesIsAFailureWithAMessage) {
  // /dev/full takes the open and refuses every write (no space left).
  for (const std::string& arguments : {std::string("plan --session-id 3"), std::string("plan --format json"),
                                       std::string("--version"), std::string("plan --help")}) {
    const Outcome run = runBrisolt(arguments + " >/dev/full", folder.prefix());
    EXPECT_EQ(run.status, 1) << arguments << ": " << run.err;
    // The reason is named when the failure shows at the end; output that
    // filled its buffer before failed earlier, its reason gone with it.
    EXPECT_EQ(run.err.rfind("brisolt: could not write to standard output", 0), 0u) << arguments << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one line: " << run.err;
  }
  const Outcome closed = runBrisolt("plan --session-id 3 >&-", folder.prefix());
  EXPECT_EQ(closed.status, 1) << "a closed standard output: " << closed.err;
  EXPECT_NE(closed.err.find("brisolt: could not write to standard output"), std::string::npos) << closed.err;
}

TEST_F(PlanCli, ShortHelpWorksOnEverySubcommand) {
  for (const char* command : {"compose", "plan", "play"}) {
    const Outcome run = runBrisolt(std::string(command) + " -h", folder.prefix());
    EXPECT_EQ(run.status, 0) << command << ": " << run.err;
    EXPECT_NE(run.out.find(std::string("brisolt ") + command), std::string::npos) << command << ":\n" << run.out;
  }
}

TEST_F(PlanCli, AnUnknownSubcommandGetsTheNearestNameAndWhereTheListIs) {
  Outcome run = runBrisolt("composee", folder.prefix());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "brisolt: 'composee' is not a brisolt command. Did you mean 'compose'? See 'brisolt --help'.\n");
  run = runBrisolt("plya x.wav", folder.prefix());
  EXPECT_NE(run.err.find("Did you mean 'play'?"), std::string::npos) << "a swap of two letters is one slip: " << run.err;
  run = runBrisolt("frobnicate", folder.prefix());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "brisolt: 'frobnicate' is not a brisolt command. See 'brisolt --help'.\n");
}

TEST_F(PlanCli, FlatKeyNamesPlanTheSameKeyAsTheirSharps) {
  const Outcome flat = plan("--session-id 8 --format json --key Bb");
  const Outcome sharp = plan("--session-id 8 --format json --key 'A#'");
  ASSERT_EQ(flat.status, 0) << flat.err;
  ASSERT_EQ(sharp.status, 0) << sharp.err;
  EXPECT_EQ(nlohmann::json::parse(flat.out)["keyDisplayName"], "A#");
  EXPECT_EQ(flat.out, sharp.out);
  for (const auto& [flatName, sharpName] : {std::pair{"Db", "C#"}, {"Eb", "D#"}, {"Gb", "F#"}, {"Ab", "G#"}}) {
    const Outcome run = plan(std::string("--format json --key ") + flatName);
    ASSERT_EQ(run.status, 0) << flatName << ": " << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["keyDisplayName"], sharpName) << flatName;
  }
}

TEST_F(PlanCli, HelpDescribesEveryOption) {
  const Outcome run = runBrisolt("plan --help", folder.prefix());
  EXPECT_EQ(run.status, 0);
  for (const char* option : {"--key", "--scale", "--motif", "--phrase-mode", "--phrases", "--session-id", "--archive",
                             "--format", "--log"}) {
    EXPECT_NE(run.out.find(option), std::string::npos) << option << " missing from:\n" << run.out;
  }
}

// The help of the text options comes from the table of command options: each
// option finds its own paragraph, joined into one line, and compose's export
// formats are filled in.
TEST_F(PlanCli, OptionHelpComesWholeFromTheTableOfCommandOptions) {
  const Outcome planHelp = runBrisolt("plan --help", folder.prefix());
  const Outcome composeHelp = runBrisolt("compose --help", folder.prefix());
  ASSERT_EQ(planHelp.status, 0);
  ASSERT_EQ(composeHelp.status, 0);
  EXPECT_NE(planHelp.out.find("the clock; the log records it"), std::string::npos) << planHelp.out;
  EXPECT_NE(planHelp.out.find("json|svg|text"), std::string::npos) << planHelp.out;
  EXPECT_NE(composeHelp.out.find("the clock; the same id and settings give the same audio"), std::string::npos)
      << composeHelp.out;
  EXPECT_NE(composeHelp.out.find(".wav, .flac"), std::string::npos) << "the formats replace their placeholder";
  EXPECT_EQ(composeHelp.out.find("{formats}"), std::string::npos) << composeHelp.out;
  EXPECT_NE(composeHelp.out.find("FILE.svg"), std::string::npos) << composeHelp.out;
}

TEST_F(PlanCli, ADefaultRunPrintsAPlanAndLeavesNoFile) {
  const Outcome run = plan("");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Planned 5 phrases (80 bars"), std::string::npos) << run.out.substr(0, 300);
  EXPECT_NE(run.out.find(" in C Major, tempo 60."), std::string::npos) << run.out.substr(0, 300);
  EXPECT_EQ(run.out.find("Log file:"), std::string::npos) << "no log was asked for";
  EXPECT_FALSE(std::filesystem::exists(archive())) << "plan made the archive folder though it keeps nothing";
}

TEST_F(PlanCli, WithLogItKeepsOneLogInTheArchiveAndNamesIt) {
  const Outcome run = plan("--log");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Log file:    " + archive() + "/"), std::string::npos) << run.out.substr(0, 400);
  int logs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(archive())) {
    logs += entry.path().filename().string().ends_with("_log.txt");
  }
  EXPECT_EQ(logs, 1);
}

TEST_F(PlanCli, TheSameSessionIdGivesTheSamePlanInTwoRuns) {
  const std::string arguments = "--session-id 4242 --format json --key 'C#' --scale 'Jazz' --motif K --phrases 20";
  const Outcome first = plan(arguments);
  const Outcome second = plan(arguments);
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(second.status, 0) << second.err;
  auto a = nlohmann::ordered_json::parse(first.out);
  auto b = nlohmann::ordered_json::parse(second.out);
  EXPECT_EQ(a["sessionId"], 4242);
  // The log's name carries the second in which each run started; all else matches.
  a.erase("logFile");
  b.erase("logFile");
  EXPECT_EQ(a.dump(), b.dump());
  EXPECT_EQ(a["keyDisplayName"], "C#");
  EXPECT_EQ(a["barCount"], 320);
}

TEST_F(PlanCli, BadValuesAreNamedOnOneLineWithStatusTwoAndNothingWritten) {
  const struct {
    const char* arguments;
    const char* message;
  } cases[] = {
      {"--key H", "brisolt plan: --key \"H\" is not a key signature; use 1..12 or one of C, C#"},
      {"--scale Dorian", "brisolt plan: --scale \"Dorian\" is not a scale; use 0..11 or one of \"Major\""},
      {"--motif M", "brisolt plan: --motif \"M\" is not a motif mode; use one letter A..L"},
      {"--phrase-mode 0", "brisolt plan: --phrase-mode \"0\" is not a phrase mode; use one letter A..L"},
      {"--phrases 95", "brisolt plan: --phrases \"95\" is not a phrase count; use a whole number 5..90"},
      {"--session-id soon", "brisolt plan: --session-id \"soon\" is not a session id; use a whole number 0..4294967295"},
      {"--format xml", "brisolt plan: --format \"xml\" is not a format; use json, svg or text"},
  };
  for (const auto& bad : cases) {
    const Outcome run = plan(bad.arguments);
    EXPECT_EQ(run.status, 2) << bad.arguments;
    EXPECT_TRUE(run.err.starts_with(bad.message)) << bad.arguments << " said: " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "") << bad.arguments;
    EXPECT_FALSE(std::filesystem::exists(archive())) << bad.arguments << " created the archive";
  }
}

TEST_F(PlanCli, AnArchiveThatCannotBeCreatedForTheLogFailsWithItsPath) {
  std::ofstream(folder.prefix() + "file") << "x";
  const Outcome run = runBrisolt("plan --log --archive '" + folder.prefix() + "file/Archive'", folder.prefix());
  EXPECT_EQ(run.status, 4);
  EXPECT_NE(run.err.find(folder.prefix() + "file/Archive/"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace brisolt
