// Where the program finds and keeps its files.
#include "app/settings/app_folders.h"


#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "audio/sample_table.h"
#include "platform/files/file_system.h"
#include "platform/paths.h"

#ifndef BRISOLT_INSTALL_DATA_FROM_BIN
#define BRISOLT_INSTALL_DATA_FROM_BIN "../share/brisolt"
#endif

namespace brisolt {
namespace {

namespace fs = std::filesystem;

// `name` in `folder`; in the current folder when `folder` is empty.
std::string inFolder(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

// An XDG base folder: the variable when it holds an absolute path, else the
// default below $HOME; empty when neither is known.
std::string xdgFolder(const FolderEnvironment& environment, const char* variable, const char* belowHome) {
  if (const auto value = environment.variable(variable); value && !value->empty() && value->front() == '/') {
    return *value;
  }
  const auto home = environment.variable("HOME");
  if (!home || home->empty()) return {};
  return *home + "/" + belowHome;
}

}  // namespace

FolderEnvironment systemFolderEnvironment() {
  FolderEnvironment environment;
  environment.exeFolder = platform::executableFolder();
  environment.programName = platform::executableName();
  if (environment.programName.empty()) environment.programName = "brisolt";
  environment.variable = [](const std::string& name) -> std::optional<std::string> {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
  };
  environment.canWrite = platform::canWriteInto;
  environment.tempFolder = platform::temporaryFolder();
  return environment;
}

AppFolders resolveAppFolders(const FolderEnvironment& environment) {
  AppFolders folders;
  folders.exeFolder = environment.exeFolder;
  folders.tempFolder = environment.tempFolder;
  const std::string dataFile(audio::kSampleDataFileName);
  const std::string helpFile = environment.programName + ".html";
  const std::string besideData = inFolder(environment.exeFolder, dataFile);
  folders.helpPageCandidates.push_back(inFolder(environment.exeFolder, helpFile));

  const std::string configHome = xdgFolder(environment, "XDG_CONFIG_HOME", ".config");
  const std::string dataHome = xdgFolder(environment, "XDG_DATA_HOME", ".local/share");
  const std::string installData =
      fs::path(inFolder(environment.exeFolder, BRISOLT_INSTALL_DATA_FROM_BIN)).lexically_normal().string();
  const std::string installedHelp = installData + "/" + helpFile;
  const bool installedLayout =
      environment.fileExists ? environment.fileExists(installedHelp) : !firstExistingFile({installedHelp}).empty();
  folders.installed = (!environment.canWrite(environment.exeFolder) || installedLayout) && !configHome.empty() &&
                      !dataHome.empty();
  if (!folders.installed) {
    folders.settingsFolder = environment.exeFolder;
    folders.archiveFolder = inFolder(environment.exeFolder, kArchiveFolderName) + "/";
    folders.sampleDataCandidates = {besideData};
  } else {
    const std::string userData = dataHome + "/" + kXdgFolderName;
    folders.settingsFolder = configHome + "/" + kXdgFolderName;
    folders.archiveFolder = userData + "/" + kArchiveFolderName + "/";
    folders.sampleDataCandidates = {besideData, userData + "/" + dataFile, installData + "/" + dataFile};
  }
  folders.helpPageCandidates.push_back(installedHelp);
  folders.settingsFile = inFolder(folders.settingsFolder, kSettingsFileName);
  return folders;
}

AppFolders programFolders() { return resolveAppFolders(systemFolderEnvironment()); }

std::string firstExistingFile(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) return path;
  }
  return {};
}

std::string nearestExistingFolder(const std::string& path) {
  fs::path folder = fs::path(path).lexically_normal();
  std::error_code error;
  while (!folder.empty() && !fs::exists(folder, error)) {
    const fs::path parent = folder.has_relative_path() ? folder.parent_path() : fs::path();
    if (parent == folder) break;
    folder = parent;
  }
  return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace brisolt
