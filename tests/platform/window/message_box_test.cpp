#include "platform/window/message_box.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

TEST(MessageBoxText, TabsLineUpAtEightColumnsOnEveryLine) {
  EXPECT_EQ(expandTabs("Log file:\t1_log.txt\nMusic file:\t1_Pelko.wav"),
            "Log file:       1_log.txt\nMusic file:     1_Pelko.wav");
  EXPECT_EQ(expandTabs("\tx"), "        x");
  EXPECT_EQ(expandTabs("12345678\ty"), "12345678        y");  // at a stop: a whole tab width
}

TEST(MessageBoxText, TextWithoutTabsIsUnchanged) {
  EXPECT_EQ(expandTabs("Nothing to save!"), "Nothing to save!");
  EXPECT_EQ(expandTabs(""), "");
}

}  // namespace
}  // namespace brisolt::platform
