// dlopen, dlsym and dlclose behind one handle.
#include "platform/libraries/shared_library.h"

#include <dlfcn.h>

#include <utility>

namespace brisolt::platform {

SharedLibrary::SharedLibrary(const std::string& soname) : soname_(soname) {
  // RTLD_LOCAL: its symbols stay out of the way of everything loaded later.
  handle_ = dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    error_ = why != nullptr ? why : soname + ": cannot be opened";
  }
}

SharedLibrary::~SharedLibrary() { close(); }

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      soname_(std::move(other.soname_)),
      error_(std::move(other.error_)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, nullptr);
    soname_ = std::move(other.soname_);
    error_ = std::move(other.error_);
  }
  return *this;
}

void* SharedLibrary::symbol(const char* name) const {
  return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

void SharedLibrary::close() {
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace brisolt::platform
