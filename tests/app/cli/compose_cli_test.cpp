// `brisolt compose` run as a user runs it: the built executable on a
// synthetic bank, its output, exit statuses, Ctrl-C, and the files it leaves
// in the archive and the temporary folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

struct Outcome {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

// Runs the executable with `arguments`; every line it writes to stderr is
// handed to `onErrorLine` with its process id as it comes.
Outcome runBrisolt(const std::vector<std::string>& arguments, const std::string& outFile,
                   const std::function<void(const std::string&, pid_t)>& onErrorLine = {}) {
  int errPipe[2];
  if (::pipe(errPipe) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(errPipe[1], STDERR_FILENO);
    ::close(errPipe[0]);
    std::vector<char*> argv{const_cast<char*>(BRISOLT_EXECUTABLE)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(BRISOLT_EXECUTABLE, argv.data());
    ::_exit(127);
  }
  ::close(errPipe[1]);
  Outcome run;
  FILE* err = ::fdopen(errPipe[0], "r");
  char* line = nullptr;
  std::size_t capacity = 0;
  while (::getline(&line, &capacity, err) > 0) {
    run.err += line;
    if (onErrorLine) onErrorLine(line, child);
  }
  std::free(line);
  std::fclose(err);
  int status = 0;
  ::waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  const test::Bytes out = test::readFileBytes(outFile);
  run.out.assign(out.begin(), out.end());
  return run;
}

class ComposeCli : public test::TempFolderTest {
 protected:
  ComposeCli() {
    platform::createFolder(folder().file("bank"));
    test::writeSyntheticBank(dataPath());
  }
  Outcome compose(std::vector<std::string> arguments, const std::string& archive = "Archive",
                  const std::function<void(const std::string&, pid_t)>& onErrorLine = {}) {
    arguments.insert(arguments.begin(), {"compose", "--data", dataPath(), "--archive", folder().file("bank/" + archive)});
    return runBrisolt(arguments, folder().file("bank/stdout.txt"), onErrorLine);
  }
  std::string dataPath() const { return folder().file("bank/Data.dat"); }
  std::vector<std::string> archiveFiles(const std::string& archive = "Archive") const {
    return platform::listFiles(folder().file("bank/" + archive), "");
  }
  std::vector<std::string> temporaryFiles() const { return platform::listFiles(folder().path(), ""); }
};

TEST_F(ComposeCli, TheSameSessionIdComposesTheSameBytes) {
  const Outcome first = compose({"--session-id", "31415", "--quiet", "--scale", "Blues", "--motif", "K"}, "One");
  const Outcome second = compose({"--session-id", "31415", "--quiet", "--scale", "Blues", "--motif", "K"}, "Two");
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(first.err, "");
  const std::string firstMix = first.out.substr(0, first.out.find('\n'));
  const std::string secondMix = second.out.substr(0, second.out.find('\n'));
  ASSERT_TRUE(firstMix.ends_with("_Pelko.wav")) << first.out;
  EXPECT_EQ(archiveFiles("One").size(), 2u);
  const test::Bytes a = test::readFileBytes(firstMix);
  // 80 bars and 3 s of lead-in and tail, less what making them even cut off.
  EXPECT_GE(a.size(), 44u + 14244300u - 2u);
  EXPECT_LE(a.size(), 44u + 14244300u);
  EXPECT_TRUE(a == test::readFileBytes(secondMix)) << "session 31415 composed twice differs";
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
}

TEST_F(ComposeCli, WithoutATerminalProgressIsOneLinePerMix) {
  const Outcome run = compose({});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find('\r'), std::string::npos);
  EXPECT_NE(run.err.find("brisolt compose: group 8 of 8 mixed (82/84 steps"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;
}

TEST_F(ComposeCli, BadOptionsGiveStatusTwoAndWriteNothing) {
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--phrases", "4"}, {"--session-id", "-3"}, {"--key", "H"}, {"--loud"}}) {
    const Outcome run = compose(bad);
    EXPECT_EQ(run.status, 2) << bad.front() << ": " << run.err;
    EXPECT_NE(run.err, "") << bad.front();
    EXPECT_TRUE(archiveFiles().empty()) << bad.front();
  }
}

TEST_F(ComposeCli, AMissingBankNamesItsBuilder) {
  platform::deleteFile(dataPath());
  const Outcome run = compose({});
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("'" + dataPath() + "' is missing; build it with "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("/brisolt-make-bank -o '" + dataPath() + "'"), std::string::npos) << run.err;
}

TEST_F(ComposeCli, CtrlCCancelsWithStatus130AndLeavesNothing) {
  bool sent = false;
  const Outcome run = compose({}, "Archive", [&](const std::string& line, pid_t pid) {
    if (!sent && line.find("group 2 of 8 mixed") != std::string::npos) {
      ::kill(pid, SIGINT);
      sent = true;
    }
  });
  ASSERT_TRUE(sent) << run.err;
  EXPECT_EQ(run.status, 130) << run.err;
  EXPECT_NE(run.err.find("cancelled; the unfinished session's files were removed"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
}

}  // namespace
}  // namespace brisolt
