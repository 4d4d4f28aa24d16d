// Where the command line looks for the sample data file and what it tells a
// user who has none, for a build tree and for an installed copy.
#include <gtest/gtest.h>

#include "app/settings/sample_data_search.h"
#include "platform/files/file_system.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

class SampleDataSearchTest : public test::TempFolderTest {
 protected:
  AppFolders installed() const {
    AppFolders folders;
    folders.installed = true;
    folders.sampleDataCandidates = {folder().file("bin/Data.dat"), folder().file("home/brisolt/Data.dat"),
                                    folder().file("share/brisolt/Data.dat")};
    return folders;
  }
};

TEST_F(SampleDataSearchTest, AnInstalledCopyWithoutABankIsToldToBuildItInTheUsersDataFolder) {
  const SampleDataSearch search = searchSampleData(installed(), folder().file("bin"));
  EXPECT_FALSE(search.found);
  EXPECT_EQ(search.path, folder().file("home/brisolt/Data.dat"));
  EXPECT_EQ(search.makeBankCommand, "brisolt-make-bank -o '" + folder().file("home/brisolt/Data.dat") + "'")
      << "no builder beside the executable: the one on PATH";
  EXPECT_EQ(searchedPlacesText(search), "Looked for it in:\n  " + folder().file("bin/Data.dat") + "\n  " +
                                            folder().file("home/brisolt/Data.dat") + "\n  " +
                                            folder().file("share/brisolt/Data.dat"));
}

TEST_F(SampleDataSearchTest, TheFirstBankFoundIsUsed) {
  platform::createFolder(folder().file("share"));
  platform::createFolder(folder().file("share/brisolt"));
  test::writeSyntheticBank(folder().file("share/brisolt/Data.dat"));
  const SampleDataSearch search = searchSampleData(installed(), "");
  EXPECT_TRUE(search.found);
  EXPECT_EQ(search.path, folder().file("share/brisolt/Data.dat"));
}

TEST_F(SampleDataSearchTest, ABuildTreeBuildsItBesideTheExecutable) {
  AppFolders folders;
  folders.sampleDataCandidates = {folder().file("bin/Data.dat")};
  EXPECT_EQ(searchSampleData(folders, "").path, folder().file("bin/Data.dat"));
}

}  // namespace
}  // namespace brisolt
