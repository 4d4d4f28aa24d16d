// A child process with a deadline.
#include "tests/support/watched_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "tests/support/file_bytes.h"

namespace brisolt::test {
namespace {

std::string textOf(const std::string& path) {
  const Bytes bytes = readFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

WatchedRun runWatched(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratchFolder, std::chrono::milliseconds limit) {
  const std::string outPath = scratchFolder + "/watched-out.txt";
  const std::string errPath = scratchFolder + "/watched-err.txt";
  WatchedRun run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child < 0) return run;
  if (child == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) ::_exit(126);
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  for (;;) {
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    if (ended == child) break;
    if (std::chrono::steady_clock::now() - start > limit) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      run.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = textOf(outPath);
  run.err = textOf(errPath);
  ::unlink(outPath.c_str());
  ::unlink(errPath.c_str());
  return run;
}

}  // namespace brisolt::test
