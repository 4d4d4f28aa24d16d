// The media commands the program sends: the text each one is spelled as in
// logs and test output, and which hand-made commands the player refuses.
#include "platform/media/media_command.h"

#include <gtest/gtest.h>

#include <sstream>

namespace brisolt::platform {
namespace {

struct Spelled {
  MediaCommand command;
  const char* text;
};

TEST(MediaCommand, EveryCommandTheProgramSendsHasItsText) {
  const Spelled cases[] = {
      {MediaCommand::open("/tmp/240131_142507_Pelko.wav", "lv"),
       "open /tmp/240131_142507_Pelko.wav type waveaudio alias lv wait"},
      {MediaCommand::setTimeFormat("lv"), "set lv time format MS wait"},
      {MediaCommand::statusLength("lv"), "status lv length wait"},
      {MediaCommand::statusPosition("lv"), "status lv position wait"},
      {MediaCommand::play("lv"), "play lv notify"},
      {MediaCommand::pause("lv"), "pause lv"},
      {MediaCommand::stop("lv"), "stop lv wait"},
      {MediaCommand::seek("lv", 128501), "seek lv to 128501"},
      {MediaCommand::seekAndWait("lv", 501), "seek lv to 501 wait"},
      {MediaCommand::close("lv"), "close lv wait"},
      {MediaCommand::closeAll(), "close all wait"},
  };
  for (const Spelled& expected : cases) {
    EXPECT_EQ(commandText(expected.command), expected.text);
    EXPECT_TRUE(isValid(expected.command)) << expected.text;
    std::ostringstream shown;
    shown << expected.command;
    EXPECT_EQ(shown.str(), expected.text) << "logs and test output show the same text";
  }
}

TEST(MediaCommand, OpenKeepsThePathAsGiven) {
  const MediaCommand open = MediaCommand::open("/home/a b/My  Music.wav", "lv");
  EXPECT_EQ(open.verb, MediaVerb::kOpen);
  EXPECT_EQ(open.path, "/home/a b/My  Music.wav");
  EXPECT_EQ(open.alias, "lv");
  EXPECT_EQ(commandText(open), "open /home/a b/My  Music.wav type waveaudio alias lv wait");
}

TEST(MediaCommand, RefusesCommandsTheMakersNeverMake) {
  MediaCommand playAndWait = MediaCommand::play("lv");
  playAndWait.completion = Completion::kWait;
  MediaCommand stopAndNotify = MediaCommand::stop("lv");
  stopAndNotify.completion = Completion::kNotify;
  MediaCommand closeAllOnAlias = MediaCommand::closeAll();
  closeAllOnAlias.alias = "lv";
  const MediaCommand refused[] = {
      playAndWait,           stopAndNotify,        closeAllOnAlias, MediaCommand::open("", "lv"),
      MediaCommand::open("x.wav", "all"), MediaCommand::open("x.wav", ""), MediaCommand::seek("", 5),
      MediaCommand::pause("all"),
  };
  for (const MediaCommand& command : refused) EXPECT_FALSE(isValid(command)) << "accepted: '" << command << "'";
}

}  // namespace
}  // namespace brisolt::platform
