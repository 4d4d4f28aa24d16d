// Child processes of the built executables, watched and waited for.
#include "tests/support/program_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/file_bytes.h"

namespace brisolt::test {
namespace {

// In the child: standard output and error set up, then the program. Never returns.
[[noreturn]] void execute(const ProgramLaunch& launch, int errDescriptor) {
  const int out = ::open(launch.outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(errDescriptor, STDERR_FILENO);
  if (launch.fileSizeLimit != 0) {
    const rlimit limit{launch.fileSizeLimit, launch.fileSizeLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  std::vector<char*> argv{const_cast<char*>(launch.executable.c_str())};
  for (const std::string& argument : launch.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(launch.executable.c_str(), argv.data());
  ::_exit(127);
}

}  // namespace

ProgramRun runProgram(const ProgramLaunch& launch,
                      const std::function<void(const std::string& line, pid_t pid)>& onErrorLine) {
  int errPipe[2];
  if (::pipe(errPipe) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(errPipe[0]);
    execute(launch, errPipe[1]);
  }
  ::close(errPipe[1]);
  ProgramRun run;
  FILE* err = ::fdopen(errPipe[0], "r");
  char* line = nullptr;
  std::size_t capacity = 0;
  while (::getline(&line, &capacity, err) > 0) {
    run.err += line;
    if (onErrorLine) onErrorLine(line, child);
  }
  std::free(line);
  std::fclose(err);
  run.status = waitForProgram(child);
  const Bytes out = readFileBytes(launch.outFile);
  run.out.assign(out.begin(), out.end());
  return run;
}

pid_t startProgram(const ProgramLaunch& launch, const std::string& errFile) {
  const pid_t child = ::fork();
  if (child == 0) execute(launch, ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
  return child;
}

int waitForProgram(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace brisolt::test
