// The soft file-size limit and the signal it would otherwise raise.
#include "tests/support/file_size_limit.h"

#include <csignal>

namespace brisolt::test {

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
  // Past the limit the kernel raises SIGXFSZ, which would end the process;
  // ignored, the write just comes up short.
  savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  getrlimit(RLIMIT_FSIZE, &saved_);
  rlimit lowered = saved_;
  lowered.rlim_cur = static_cast<rlim_t>(bytes);
  setrlimit(RLIMIT_FSIZE, &lowered);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &saved_);  // the soft limit may always go back up to the hard one
  std::signal(SIGXFSZ, savedHandler_);
}

}  // namespace brisolt::test
