// Where the command line looks for the sample data file, and how to build it.
#include "app/settings/sample_data_search.h"

#include <unistd.h>

namespace brisolt {
namespace {

constexpr const char* kMakeBankProgram = "brisolt-make-bank";

std::string makeBankProgram(const std::string& folder) {
  if (folder.empty()) return kMakeBankProgram;
  const std::string beside = folder + "/" + kMakeBankProgram;
  return ::access(beside.c_str(), X_OK) == 0 ? beside : std::string(kMakeBankProgram);
}

}  // namespace

SampleDataSearch searchSampleData(const AppFolders& folders, const std::string& makeBankFolder) {
  SampleDataSearch search;
  search.searched = folders.sampleDataCandidates;
  search.path = firstExistingFile(search.searched);
  search.found = !search.path.empty();
  if (!search.found && !search.searched.empty()) {
    // An installed copy's second place is the user's own data folder.
    search.path = folders.installed && search.searched.size() > 1 ? search.searched[1] : search.searched.front();
  }
  search.makeBankCommand = makeBankCommandFor(search.path, makeBankFolder);
  return search;
}

std::string makeBankCommandFor(const std::string& path, const std::string& makeBankFolder) {
  return makeBankProgram(makeBankFolder) + " -o '" + path + "'";
}

std::string searchedPlacesText(const SampleDataSearch& search) {
  std::string text = "Looked for it in:";
  for (const std::string& place : search.searched) text += "\n  " + place;
  return text;
}

}  // namespace brisolt
