// The mark of a session still being made, and the start-up sweep of what runs
// that died left behind.
//
// From the claim of its log until the run finished or removed its files, a
// session carries "<prefix>unfinished-<pid>" in the archive folder. A run
// killed outright (SIGKILL, a power cut) cannot clean up; its mark then names
// a process that no longer exists, and the next run's sweep removes the
// session's files. Sessions of live processes, parallel runs included, are
// never touched.
#pragma once

#include <string>
#include <sys/types.h>

#include "session/generation.h"

namespace brisolt {

// "<prefix>unfinished-<pid>".
std::string unfinishedMarkName(const std::string& prefix, pid_t pid);

// Places the mark of `session` for this process when made (failing quietly: a
// run without its mark only loses the sweep after a kill) and removes it when
// lifted or destroyed.
class UnfinishedMark {
 public:
  explicit UnfinishedMark(const Session& session);
  ~UnfinishedMark();
  UnfinishedMark(const UnfinishedMark&) = delete;
  UnfinishedMark& operator=(const UnfinishedMark&) = delete;

  bool placed() const { return !path_.empty(); }
  // Removes the mark now. Called before the files of a session that did not
  // finish are removed, so that a mark never outlives its log.
  void lift();

 private:
  std::string path_;
};

// Removes every file of each session in `archiveFolder` whose mark names a
// process that no longer exists, and the mark. A sweep takes a mark by
// renaming it to its own before it deletes anything, so two runs starting
// together never both act on one session. Returns the sessions removed.
int removeAbandonedSessions(const std::string& archiveFolder);

// The start-up sweep of every run: in the temporary folder the files of
// processes that are gone; in `archiveFolder` (when it exists) the abandoned
// sessions and the partial files of processes that are gone. Returns how
// many leftovers went (a session counts once).
int sweepLeftovers(const std::string& archiveFolder);

}  // namespace brisolt
