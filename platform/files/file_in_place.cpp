// Partial files renamed into place on commit, removed otherwise.
#include "platform/files/file_in_place.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <utility>

#include "platform/files/owned_names.h"

namespace brisolt::platform {

FileInPlace::~FileInPlace() { abandon(); }

FileInPlace::FileInPlace(FileInPlace&& other) noexcept
    : file_(std::move(other.file_)),
      finalPath_(std::move(other.finalPath_)),
      partialPath_(std::exchange(other.partialPath_, {})),
      commitError_(other.commitError_) {}

FileInPlace& FileInPlace::operator=(FileInPlace&& other) noexcept {
  if (this != &other) {
    abandon();
    file_ = std::move(other.file_);
    finalPath_ = std::move(other.finalPath_);
    partialPath_ = std::exchange(other.partialPath_, {});
    commitError_ = other.commitError_;
  }
  return *this;
}

FileInPlace FileInPlace::create(const std::string& finalPath, OpenFailure* failure) {
  FileInPlace result;
  const std::string partial = partialName(finalPath, ::getpid());
  result.file_ = File::createNew(partial, failure);
  if (result.file_) {
    result.finalPath_ = finalPath;
    result.partialPath_ = partial;
  }
  return result;
}

CommitResult FileInPlace::commit(Replace replace) {
  if (!file_) return CommitResult::kNotOpen;
  file_.close();
  const int renamed = replace == Replace::kNever
                          ? ::renameat2(AT_FDCWD, partialPath_.c_str(), AT_FDCWD, finalPath_.c_str(), RENAME_NOREPLACE)
                          : ::rename(partialPath_.c_str(), finalPath_.c_str());
  if (renamed == 0) {
    partialPath_.clear();
    commitError_ = 0;
    return CommitResult::kCommitted;
  }
  commitError_ = errno;
  abandon();
  return commitError_ == EEXIST ? CommitResult::kExists : CommitResult::kFailed;
}

void FileInPlace::abandon() {
  file_.close();
  if (!partialPath_.empty()) ::unlink(std::exchange(partialPath_, {}).c_str());
}

}  // namespace brisolt::platform
