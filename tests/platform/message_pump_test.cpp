#include "platform/message_pump.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

TEST(MessagePump, CallsTheInstalledPumpOncePerCallAndNothingAfterReset) {
  int calls = 0;
  setMessagePump([&calls] { ++calls; });
  pumpOneMessage();
  pumpOneMessage();
  EXPECT_EQ(calls, 2);

  setMessagePump({});
  pumpOneMessage();  // must not call the old pump nor crash
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace brisolt::platform
