// A private temporary folder that removes itself.
#include "app/cli/scratch_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/paths.h"

namespace brisolt {

ScratchFolder::ScratchFolder(const std::string& purpose) {
  std::string pattern = platform::temporaryFolder() + "brisolt-" + purpose + "-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data())) path_ = std::string(name.data()) + "/";
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace brisolt
