// `brisolt plan` and `brisolt compose` on a copy of the program whose folder
// holds the settings the window saved: they are their defaults, options
// still win, and the file is never written.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/support/file_bytes.h"
#include "tests/support/shell_command.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::test {
namespace {

class PlanDefaults : public TempFolderTest {
 protected:
  PlanDefaults() {
    std::filesystem::create_directories(program());
    std::filesystem::copy_file(BRISOLT_EXECUTABLE, program() + "/brisolt");
  }
  std::string program() const { return folder().path() + "program"; }
  std::string settings() const { return program() + "/Brisolt.INI"; }

  nlohmann::json plan(const std::string& arguments) {
    const std::string command =
        "'" + program() + "/brisolt' plan --log --format json --archive '" + folder().path() + "Archive' " + arguments;
    const ShellRun run = runShell(command);
    status = run.status;
    return nlohmann::json::parse(run.out, nullptr, false);
  }
  std::string logOf(const nlohmann::json& json) const {
    std::ifstream log(json.value("logFile", std::string()));
    return std::string((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  }

  int status = -1;
};

TEST_F(PlanDefaults, TheSavedSettingsAreTheDefaultsAndStayUntouched) {
  const std::string saved = "KeySignature=FG\nScale=Jazz\nMotifMode=K\nPhraseMode=C\nPhrases=20\n";
  writeFileBytes(settings(), Bytes(saved.begin(), saved.end()));
  const nlohmann::json json = plan("--session-id 11");
  ASSERT_EQ(status, 0);
  ASSERT_FALSE(json.is_discarded());
  EXPECT_EQ(json["keyDisplayName"], "F#");
  EXPECT_EQ(json["barCount"], 20 * 16);
  const std::string log = logOf(json);
  EXPECT_NE(log.find("Scale: Jazz"), std::string::npos) << log;
  EXPECT_NE(log.find("Motif Mode: K"), std::string::npos) << log;
  EXPECT_NE(log.find("Phrase Mode: C"), std::string::npos) << log;
  EXPECT_EQ(readFileBytes(settings()), Bytes(saved.begin(), saved.end())) << "plan never writes the settings file";
}

TEST_F(PlanDefaults, OptionsWinOverTheSavedSettings) {
  const std::string saved = "KeySignature=FG\nPhrases=20\n";
  writeFileBytes(settings(), Bytes(saved.begin(), saved.end()));
  const nlohmann::json json = plan("--key D --phrases 5");
  ASSERT_EQ(status, 0);
  EXPECT_EQ(json["keyDisplayName"], "D");
  EXPECT_EQ(json["barCount"], 5 * 16);
}

TEST_F(PlanDefaults, WithoutASavedFileTheDefaultsAreTheProgramsAndNoFileAppears) {
  const nlohmann::json json = plan("");
  ASSERT_EQ(status, 0);
  EXPECT_EQ(json["keyDisplayName"], "C");
  EXPECT_EQ(json["barCount"], 5 * 16);
  EXPECT_FALSE(fileExists(settings()));
}

TEST_F(PlanDefaults, ComposeTakesTheSavedSettingsAndTheDataBesideTheProgram) {
  const std::string saved = "KeySignature=GA\nScale=Blues\nMotifMode=D\nPhraseMode=L\nPhrases=5\n";
  writeFileBytes(settings(), Bytes(saved.begin(), saved.end()));
  writeSyntheticBank(program() + "/Data.dat", {.markedBytes = 64});
  const std::string command = "'" + program() + "/brisolt' compose --quiet --session-id 3 --archive '" +
                              folder().path() + "Archive' 2>&1";
  const ShellRun run = runShell(command);
  ASSERT_EQ(run.status, 0) << run.out;
  const std::string& out = run.out;
  std::istringstream paths(out);  // the final mix, then the log
  std::string finalMix, logPath;
  std::getline(paths, finalMix);
  std::getline(paths, logPath);
  std::ifstream logFile(logPath);
  const std::string log((std::istreambuf_iterator<char>(logFile)), std::istreambuf_iterator<char>());
  EXPECT_NE(log.find("Key signature: G#"), std::string::npos) << logPath << ":\n" << log;
  EXPECT_NE(log.find("Scale: Blues"), std::string::npos) << log;
  EXPECT_NE(log.find("Motif Mode: D"), std::string::npos) << log;
  EXPECT_NE(log.find("Phrase Mode: L"), std::string::npos) << log;
  EXPECT_EQ(readFileBytes(settings()), Bytes(saved.begin(), saved.end())) << "compose never writes the settings file";
}

}  // namespace
}  // namespace brisolt::test
