// Operations on files and folders by name: delete, move, create a folder, make
// a unique temporary file, ask for free space and list files by name prefix.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brisolt::platform {

// Whether anything has the name `path`: a file, a folder, or a link even when
// what it points to is gone.
bool nameExists(const std::string& path);
// Whether `path`, its links followed, leads to something that exists.
bool fileExists(const std::string& path);

// Deletes a file. False when it does not exist or cannot be deleted. (A file
// that a handle holds open can still be deleted here, unlike on some systems.)
bool deleteFile(const std::string& path);

// Gives a file a new name, possibly in another folder or file system. Fails,
// leaving both names as they were, when `destination` already exists or
// `source` does not.
bool moveFile(const std::string& source, const std::string& destination);

// Creates one folder (not its parents). False when it could not be created,
// including when it already exists.
bool createFolder(const std::string& path);

// Creates a new, empty file with a unique name in temporaryFolder() and
// returns its full path. The name is "brisolt-<pid>-XXXXXX.tmp", so that
// removeStaleTemporaryFiles (owned_names.h) can sweep it once this process
// is gone; empty when no file could be created there. The file
// is closed again: callers reopen it by name.
std::string createTemporaryFile();

// What this program may do with a file or folder by name: read it, write
// into it (a folder: create and delete files in it), run it.
bool canRead(const std::string& path);
bool canWriteInto(const std::string& folder);
bool canRun(const std::string& path);

// Bytes free to this program on the file system that holds `folder`;
// nothing when the system cannot tell.
std::optional<std::uint64_t> freeBytes(const std::string& folder);

// The id of the file system that holds `folder` (two folders with the same id
// share their room); nothing when the system cannot tell.
std::optional<std::uint64_t> fileSystemId(const std::string& folder);

// Names (without folder) of the regular files in `folder` whose names begin
// with `prefix`, sorted by name. An empty prefix lists every file; a folder
// that cannot be read lists nothing.
std::vector<std::string> listFiles(const std::string& folder, const std::string& prefix);

// Every name in `folder` that begins with `prefix`, whatever it stands for
// (files, links, folders, FIFOs), sorted; nothing when the folder cannot be read.
std::vector<std::string> listNames(const std::string& folder, const std::string& prefix);

}  // namespace brisolt::platform
