// A final file written under a name of its own and put in place only when it
// is complete, so that a final name never holds a partial file: not after a
// full disk, not after a kill.
//
//   FileInPlace mix = FileInPlace::create(folder + "Pelko.wav");
//   mix.file().write(...);
//   if (mix.commit() != CommitResult::kCommitted) ...  // otherwise nothing at the final name
#pragma once

#include <string>

#include "platform/files/file_handle.h"

namespace brisolt::platform {

enum class CommitResult {
  kCommitted,  // the file now stands under its final name
  kNotOpen,    // nothing was being written (failed create, or committed already)
  kExists,     // the final name was taken and replacing was not allowed; the work is removed
  kFailed,     // the rename failed (see the error number); the work is removed
};

enum class Replace { kAllowed, kNever };

// Owns "<final>.partial-<pid>" (see owned_names.h) from its exclusive
// creation, without following links, to the rename over the final name.
// Destroyed without a commit, it removes the partial file.
class FileInPlace {
 public:
  FileInPlace() = default;
  ~FileInPlace();
  FileInPlace(FileInPlace&& other) noexcept;
  FileInPlace& operator=(FileInPlace&& other) noexcept;
  FileInPlace(const FileInPlace&) = delete;
  FileInPlace& operator=(const FileInPlace&) = delete;

  // Creates the partial file beside `finalPath`. On failure the result is not
  // valid and `failure`, when given, says why (the final name is untouched).
  static FileInPlace create(const std::string& finalPath, OpenFailure* failure = nullptr);

  bool isValid() const { return file_.isValid(); }
  explicit operator bool() const { return isValid(); }
  // The open partial file; the invalid handle when not valid.
  File& file() { return file_; }
  const std::string& finalPath() const { return finalPath_; }
  const std::string& partialPath() const { return partialPath_; }

  // Closes the file and renames it to the final name (replacing what is
  // there, a link included, unless `replace` is kNever). A link at the final
  // name is replaced as a name; its target is never written.
  CommitResult commit(Replace replace = Replace::kAllowed);
  int commitError() const { return commitError_; }

  // Closes and removes the partial file now; the final name stays untouched.
  void abandon();

 private:
  File file_;
  std::string finalPath_;
  std::string partialPath_;
  int commitError_ = 0;
};

}  // namespace brisolt::platform
