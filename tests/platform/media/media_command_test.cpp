// Which command strings the parser accepts, and what it makes of them.
#include "platform/media/media_command.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

struct Parsed {
  const char* text;
  MediaVerb verb;
  const char* alias;
  std::uint32_t milliseconds;
  Completion completion;
};

TEST(MediaCommand, ParsesEveryCommandTheProgramSends) {
  const Parsed cases[] = {
      {"set lv time format MS wait", MediaVerb::setTimeFormat, "lv", 0, Completion::wait},
      {"status lv length wait", MediaVerb::statusLength, "lv", 0, Completion::wait},
      {"status lv position wait", MediaVerb::statusPosition, "lv", 0, Completion::wait},
      {"play lv notify", MediaVerb::play, "lv", 0, Completion::notify},
      {"pause lv", MediaVerb::pause, "lv", 0, Completion::none},
      {"stop lv wait", MediaVerb::stop, "lv", 0, Completion::wait},
      {"seek lv to 128501", MediaVerb::seek, "lv", 128501, Completion::none},
      {"seek lv to 501 wait", MediaVerb::seek, "lv", 501, Completion::wait},
      {"close lv wait", MediaVerb::close, "lv", 0, Completion::wait},
      {"close all wait", MediaVerb::closeAll, "", 0, Completion::wait},
      {"  PLAY   LV   NOTIFY ", MediaVerb::play, "lv", 0, Completion::notify},
  };
  for (const Parsed& expected : cases) {
    SCOPED_TRACE(expected.text);
    const auto command = parseMediaCommand(expected.text);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->verb, expected.verb);
    EXPECT_EQ(command->alias, expected.alias);
    EXPECT_EQ(command->milliseconds, expected.milliseconds);
    EXPECT_EQ(command->completion, expected.completion);
  }
}

TEST(MediaCommand, OpenTakesThePathWithItsBlanksAndWithoutQuotes) {
  const auto plain = parseMediaCommand("open /tmp/240131_142507_Pelko.wav type waveaudio alias lv wait");
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(plain->verb, MediaVerb::open);
  EXPECT_EQ(plain->path, "/tmp/240131_142507_Pelko.wav");
  EXPECT_EQ(plain->alias, "lv");
  EXPECT_EQ(plain->completion, Completion::wait);

  const auto blanks = parseMediaCommand("open /home/a b/My  Music.wav type waveaudio alias LV wait");
  ASSERT_TRUE(blanks.has_value());
  EXPECT_EQ(blanks->path, "/home/a b/My  Music.wav");
  EXPECT_EQ(blanks->alias, "lv");

  const auto quoted = parseMediaCommand("open \"/a b/c.wav\" type waveaudio alias lv");
  ASSERT_TRUE(quoted.has_value());
  EXPECT_EQ(quoted->path, "/a b/c.wav");
}

TEST(MediaCommand, RefusesEverythingElse) {
  const char* refused[] = {
      "", "   ", "wait", "play", "play lv wait", "play lv notify now", "pause lv notify", "stop lv notify",
      "seek lv to", "seek lv to -5", "seek lv to 5x", "seek lv to 4294967296", "seek lv 5", "seek lv to start",
      "status lv mode wait", "status lv", "set lv time format frames", "set lv time format", "close", "stop lv now",
      "record lv", "open type waveaudio alias lv", "open x.wav type sequencer alias lv",
      "open x.wav type waveaudio alias all", "open x.wav type waveaudio lv", "open x.wav alias lv",
  };
  for (const char* text : refused) {
    EXPECT_FALSE(parseMediaCommand(text).has_value()) << "accepted: '" << text << "'";
  }
}

}  // namespace
}  // namespace brisolt::platform
