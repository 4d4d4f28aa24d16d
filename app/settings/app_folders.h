// Where the program finds and keeps its files: the settings file, the archive
// of sessions, the sample data and the help page. Beside the executable when
// its folder can be written (a build tree, a copied folder); in the user's
// XDG folders when it cannot (an installed copy under /usr/local, say).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brisolt {

inline constexpr const char* kSettingsFileName = "Brisolt.INI";
inline constexpr const char* kArchiveFolderName = "Archive";
inline constexpr const char* kXdgFolderName = "brisolt";

struct AppFolders {
  std::string exeFolder;       // the executable's folder, whole, without a trailing '/'
  bool installed = false;      // exeFolder cannot be written: the user's folders are used
  std::string settingsFolder;  // without a trailing '/'
  std::string settingsFile;    // settingsFolder + "/Brisolt.INI"
  std::string archiveFolder;   // ends in '/'
  std::string tempFolder;      // ends in '/'
  // Where Data.dat and the help page may be, in the order they are tried.
  std::vector<std::string> sampleDataCandidates;
  std::vector<std::string> helpPageCandidates;
};

// What the folders are made from, so tests can pose as any installation.
struct FolderEnvironment {
  std::string exeFolder;    // without a trailing '/'; empty when unknown (current folder)
  std::string programName;  // the executable's file name; the help page is programName + ".html"
  std::function<std::optional<std::string>(const std::string& name)> variable;  // the environment
  std::function<bool(const std::string& folder)> canWrite;
  std::string tempFolder;  // ends in '/'
  // Whether a file exists; the file system is asked when this is empty.
  std::function<bool(const std::string& path)> fileExists;
};

// The running program's: /proc/self/exe, getenv, access(W_OK), $TMPDIR or /tmp.
FolderEnvironment systemFolderEnvironment();

// Beside a writable executable: exeFolder + "/Brisolt.INI", exeFolder +
// "/Archive/", exeFolder + "/Data.dat". An installed copy (its folder cannot
// be written, or the installation's data folder beside it holds the help
// page, as after cmake --install, even for root) uses $XDG_CONFIG_HOME/brisolt
// (~/.config/brisolt) for the settings and $XDG_DATA_HOME/brisolt
// (~/.local/share/brisolt) for the archive, and Data.dat is also looked up
// there and in the installation's data folder (<prefix>/share/brisolt). The
// help page is looked up beside the executable, then in the data folder.
AppFolders resolveAppFolders(const FolderEnvironment& environment);

// resolveAppFolders(systemFolderEnvironment()).
AppFolders programFolders();

// The first of `paths` that is a regular file; empty when none is.
std::string firstExistingFile(const std::vector<std::string>& paths);

// `path` itself or its nearest ancestor that exists (for free-space queries
// about a folder that is yet to be made).
std::string nearestExistingFolder(const std::string& path);

}  // namespace brisolt
