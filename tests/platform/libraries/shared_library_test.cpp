// Libraries opened at run time: found by soname, their functions by name, and
// a missing one told apart from a crash.
#include "platform/libraries/shared_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace brisolt::platform {
namespace {

TEST(SharedLibrary, AFunctionOfAnOpenedLibraryCanBeCalled) {
  const SharedLibrary libm("libm.so.6");
  ASSERT_TRUE(libm.loaded()) << libm.error();
  double (*cosine)(double) = nullptr;
  ASSERT_TRUE(libm.bind(cosine, "cos"));
  EXPECT_DOUBLE_EQ(cosine(0.5), std::cos(0.5));
}

TEST(SharedLibrary, AMissingLibraryIsReportedWithTheLoadersReason) {
  const SharedLibrary missing("libbrisolt-missing.so.1");
  EXPECT_FALSE(missing.loaded());
  EXPECT_NE(missing.error().find("libbrisolt-missing.so.1"), std::string::npos) << missing.error();
  EXPECT_EQ(missing.symbol("cos"), nullptr) << "a library that is not open has no functions";
}

TEST(SharedLibrary, AMissingFunctionIsNullNotACrash) {
  const SharedLibrary libm("libm.so.6");
  ASSERT_TRUE(libm.loaded()) << libm.error();
  void (*nothing)() = nullptr;
  EXPECT_FALSE(libm.bind(nothing, "brisolt_no_such_function"));
  EXPECT_EQ(nothing, nullptr);
}

TEST(SharedLibrary, MovingHandsTheLibraryOver) {
  SharedLibrary first("libm.so.6");
  ASSERT_TRUE(first.loaded()) << first.error();
  const SharedLibrary second(std::move(first));
  EXPECT_TRUE(second.loaded());
  EXPECT_NE(second.symbol("cos"), nullptr);
}

}  // namespace
}  // namespace brisolt::platform
