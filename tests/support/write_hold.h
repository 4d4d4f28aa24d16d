// Stands for another program writing a file: while a WriteHold is alive it
// holds the file's write lock, as a writer's handle does, without changing a
// byte of it (a writer's handle would empty the file first).
#pragma once

#include <string>

namespace brisolt::test {

class WriteHold {
 public:
  explicit WriteHold(const std::string& path);
  ~WriteHold();
  WriteHold(const WriteHold&) = delete;
  WriteHold& operator=(const WriteHold&) = delete;

  bool held() const { return descriptor_ >= 0; }

 private:
  int descriptor_ = -1;
};

}  // namespace brisolt::test
