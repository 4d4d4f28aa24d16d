// Where the command line looks for the sample data file Data.dat, and the
// command that builds it where the program looks for it.
#pragma once

#include <string>
#include <vector>

#include "app/settings/app_folders.h"

namespace brisolt {

struct SampleDataSearch {
  std::string path;                   // the file found; when none was, where the command builds it
  std::vector<std::string> searched;  // every place looked at, in order
  bool found = false;
  std::string makeBankCommand;  // writes the sample data file at `path`
};

// Looks through folders.sampleDataCandidates. When none is there, `path` is
// where the user may build it: beside a writable executable, or in the user's
// data folder for an installed copy. `makeBankFolder` is the folder of
// brisolt-make-bank (the executable's), empty for a lookup through PATH.
SampleDataSearch searchSampleData(const AppFolders& folders, const std::string& makeBankFolder);

// The command that writes the sample data file at `path`: brisolt-make-bank
// from `makeBankFolder` when it is there, else as found through PATH.
std::string makeBankCommandFor(const std::string& path, const std::string& makeBankFolder);

// "Looked for it in:" and the searched paths, one an indented line.
std::string searchedPlacesText(const SampleDataSearch& search);

}  // namespace brisolt
