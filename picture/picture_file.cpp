// Writing a picture through a file put in place when complete.
#include "picture/picture_file.h"

#include <cstring>

#include "platform/files/file_in_place.h"

namespace brisolt::picture {

std::string writePictureFile(const std::string& svg, const std::string& path) {
  platform::OpenFailure failure;
  platform::FileInPlace file = platform::FileInPlace::create(path, &failure);
  if (!file) {
    return "cannot create the picture '" + path + "': " + platform::describeOpenFailure(failure) +
           "; is its folder there and writable?";
  }
  const auto size = static_cast<std::uint32_t>(svg.size());
  if (file.file().write(svg.data(), size) != size) {
    return "could not write all of the picture '" + path + "'; is the disk full?";
  }
  if (file.commit() != platform::CommitResult::kCommitted) {
    return "could not put the picture in place at '" + path + "': " + std::strerror(file.commitError());
  }
  return {};
}

}  // namespace brisolt::picture
