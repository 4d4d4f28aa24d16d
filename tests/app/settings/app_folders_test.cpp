#include "app/settings/app_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

FolderEnvironment environmentOf(const std::string& exeFolder, bool writable, std::map<std::string, std::string> vars) {
  FolderEnvironment environment;
  environment.exeFolder = exeFolder;
  environment.programName = "brisolt";
  environment.variable = [vars](const std::string& name) -> std::optional<std::string> {
    const auto found = vars.find(name);
    if (found == vars.end()) return std::nullopt;
    return found->second;
  };
  environment.canWrite = [writable](const std::string&) { return writable; };
  environment.tempFolder = "/tmp/";
  return environment;
}

TEST(AppFolders, BesideAWritableExecutableEverythingStaysThere) {
  const AppFolders folders = resolveAppFolders(environmentOf("/A/B", true, {{"HOME", "/home/u"}}));
  EXPECT_FALSE(folders.installed);
  EXPECT_EQ(folders.settingsFile, "/A/B/Brisolt.INI");
  EXPECT_EQ(folders.archiveFolder, "/A/B/Archive/");
  EXPECT_EQ(folders.sampleDataCandidates, std::vector<std::string>{"/A/B/Data.dat"});
  EXPECT_EQ(folders.helpPageCandidates.front(), "/A/B/brisolt.html");
}

TEST(AppFolders, ALongProgramPathIsKeptWhole) {
  // Far past the 128 characters that once cut the path short.
  const std::string deep = "/srv/" + std::string(150, 'p') + "/and/" + std::string(90, 'q');
  const AppFolders folders = resolveAppFolders(environmentOf(deep, true, {}));
  EXPECT_EQ(folders.exeFolder, deep);
  EXPECT_EQ(folders.settingsFile, deep + "/Brisolt.INI");
  EXPECT_EQ(folders.archiveFolder, deep + "/Archive/");
}

TEST(AppFolders, AnInstalledCopyUsesTheXdgFolders) {
  const AppFolders folders = resolveAppFolders(environmentOf(
      "/usr/local/bin", false, {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}}));
  EXPECT_TRUE(folders.installed);
  EXPECT_EQ(folders.settingsFolder, "/cfg/brisolt");
  EXPECT_EQ(folders.settingsFile, "/cfg/brisolt/Brisolt.INI");
  EXPECT_EQ(folders.archiveFolder, "/data/brisolt/Archive/");
  EXPECT_EQ(folders.sampleDataCandidates,
            (std::vector<std::string>{"/usr/local/bin/Data.dat", "/data/brisolt/Data.dat",
                                      "/usr/local/share/brisolt/Data.dat"}));
  EXPECT_EQ(folders.helpPageCandidates,
            (std::vector<std::string>{"/usr/local/bin/brisolt.html", "/usr/local/share/brisolt/brisolt.html"}));
}

TEST(AppFolders, AnInstalledLayoutUsesTheXdgFoldersEvenWhenWritable) {
  // Root can write /usr/local/bin; the help page in share/brisolt still says
  // this copy was installed.
  FolderEnvironment environment = environmentOf("/usr/local/bin", true, {{"HOME", "/root"}});
  environment.fileExists = [](const std::string& path) { return path == "/usr/local/share/brisolt/brisolt.html"; };
  const AppFolders folders = resolveAppFolders(environment);
  EXPECT_TRUE(folders.installed);
  EXPECT_EQ(folders.settingsFile, "/root/.config/brisolt/Brisolt.INI");
}

TEST(AppFolders, XdgFoldersDefaultBelowHomeAndIgnoreRelativeValues) {
  const AppFolders folders =
      resolveAppFolders(environmentOf("/opt/x/bin", false, {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "relative"}}));
  EXPECT_EQ(folders.settingsFile, "/home/u/.config/brisolt/Brisolt.INI");
  EXPECT_EQ(folders.archiveFolder, "/home/u/.local/share/brisolt/Archive/");
}

TEST(AppFolders, WithoutAHomeTheFilesStayBesideTheExecutable) {
  const AppFolders folders = resolveAppFolders(environmentOf("/usr/bin", false, {}));
  EXPECT_FALSE(folders.installed);
  EXPECT_EQ(folders.settingsFile, "/usr/bin/Brisolt.INI");
}

TEST(AppFolders, AnUnknownFolderMeansTheCurrentOne) {
  const AppFolders folders = resolveAppFolders(environmentOf("", true, {}));
  EXPECT_EQ(folders.settingsFile, "Brisolt.INI");
  EXPECT_EQ(folders.archiveFolder, "Archive/");
}

class AppFolderFiles : public test::TempFolderTest {};

TEST_F(AppFolderFiles, TheFirstExistingCandidateWins) {
  test::writeFileBytes(folder().file("second"), {1});
  test::writeFileBytes(folder().file("third"), {1});
  std::filesystem::create_directory(folder().file("first"));  // a folder is not a file
  EXPECT_EQ(firstExistingFile({folder().file("first"), folder().file("second"), folder().file("third")}),
            folder().file("second"));
  EXPECT_EQ(firstExistingFile({folder().file("none")}), "");
}

TEST_F(AppFolderFiles, FreeSpaceIsAskedOfTheNearestFolderThatExists) {
  EXPECT_EQ(nearestExistingFolder(folder().file("a/b/Archive/")), folder().path().substr(0, folder().path().size() - 1));
  EXPECT_EQ(nearestExistingFolder(folder().path()), folder().path());
}

TEST(AppFoldersOfTheProgram, AreBesideTheTestExecutable) {
  // The test runs from the build tree, which can be written.
  const AppFolders folders = programFolders();
  EXPECT_FALSE(folders.installed);
  EXPECT_EQ(folders.settingsFile, folders.exeFolder + "/Brisolt.INI");
  EXPECT_FALSE(folders.exeFolder.empty());
}

}  // namespace
}  // namespace brisolt
