// brisolt-measure: runs one command and reports what it cost: wall time, CPU
// time, peak memory and the bytes it read and wrote through system calls.
//
//   brisolt-measure [-o REPORT] -- brisolt compose --quiet
//   wall_s=1.234 user_s=0.456 sys_s=0.789 peak_kb=5120 read_bytes=... written_bytes=... status=0
//
// The report line goes to REPORT (default: stderr), so the command's own
// output can be redirected apart from it.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

struct IoCounts {
  unsigned long long read = 0;     // rchar: bytes handed over by read-like calls
  unsigned long long written = 0;  // wchar: bytes handed to write-like calls
};

// /proc/<pid>/io of a child that has ended but is not yet reaped.
IoCounts ioCountsOf(pid_t pid) {
  IoCounts counts;
  std::ifstream io("/proc/" + std::to_string(pid) + "/io");
  std::string name;
  unsigned long long value = 0;
  while (io >> name >> value) {
    if (name == "rchar:") counts.read = value;
    if (name == "wchar:") counts.written = value;
  }
  return counts;
}

double seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const char* reportPath = nullptr;
  if (first + 1 < argc && std::strcmp(argv[first], "-o") == 0) {
    reportPath = argv[first + 1];
    first += 2;
  }
  if (first < argc && std::strcmp(argv[first], "--") == 0) ++first;
  if (first >= argc) {
    std::fprintf(stderr, "usage: brisolt-measure [-o REPORT] [--] command [arguments...]\n");
    return 2;
  }
  FILE* report = reportPath ? std::fopen(reportPath, "w") : stderr;
  if (!report) {
    std::perror("brisolt-measure: report");
    return 1;
  }

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child < 0) {
    std::perror("brisolt-measure: fork");
    return 1;
  }
  if (child == 0) {
    ::execvp(argv[first], argv + first);
    std::fprintf(stderr, "brisolt-measure: cannot run '%s': %s\n", argv[first], std::strerror(errno));
    ::_exit(127);
  }

  siginfo_t info{};
  ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT);  // ended, not reaped: /proc still has it
  const auto end = std::chrono::steady_clock::now();
  const IoCounts io = ioCountsOf(child);
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);

  std::fprintf(report, "wall_s=%.3f user_s=%.3f sys_s=%.3f peak_kb=%ld read_bytes=%llu written_bytes=%llu status=%d\n",
              std::chrono::duration<double>(end - start).count(), seconds(usage.ru_utime), seconds(usage.ru_stime),
              usage.ru_maxrss, io.read, io.written, WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  if (report != stderr) std::fclose(report);
  return 0;
}
