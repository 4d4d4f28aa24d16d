// A shared library opened at run time by its soname (dlopen), closed with the
// handle, and its functions looked up by name.
#pragma once

#include <string>

namespace brisolt::platform {

class SharedLibrary {
 public:
  // Opens `soname` with every symbol bound now; see loaded() and error().
  explicit SharedLibrary(const std::string& soname);
  ~SharedLibrary();
  SharedLibrary(SharedLibrary&& other) noexcept;
  SharedLibrary& operator=(SharedLibrary&& other) noexcept;
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  // The loader's own words when the library could not be opened.
  const std::string& error() const { return error_; }
  const std::string& soname() const { return soname_; }

  // The address of the function `name`, or nullptr when the library (or a
  // library it depends on) has none.
  void* symbol(const char* name) const;

  // Sets `function` to the function `name`; false when it is missing.
  template <typename Function>
  bool bind(Function*& function, const char* name) const {
    function = reinterpret_cast<Function*>(symbol(name));
    return function != nullptr;
  }

 private:
  void close();

  void* handle_ = nullptr;
  std::string soname_;
  std::string error_;
};

}  // namespace brisolt::platform
