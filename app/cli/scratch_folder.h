// A private folder in the temporary folder for files a command must write but
// not keep, removed with everything in it when the object goes.
#pragma once

#include <string>

namespace brisolt {

class ScratchFolder {
 public:
  // Makes $TMPDIR/brisolt-<purpose>-XXXXXX; check path() for empty.
  explicit ScratchFolder(const std::string& purpose);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Ends in '/'; empty when the folder could not be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace brisolt
