// Reading the render schedule, and the shape of the schedule built in.
#include "render/voice_schedule.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace brisolt::render {
namespace {

TEST(VoiceScheduleFile, ReadsTheMelodyWithoutLetterOrStep) {
  const auto load = parseVoiceSchedule("# calls\n1 | 8 | melody | - | -\n1 | 8 | accompaniment | J | 8\n\n2 | 1 | pulse | 0 | 6\n");
  ASSERT_EQ(load.error, "");
  ASSERT_EQ(load.schedule.calls.size(), 3u);
  const auto& melody = load.schedule.calls[0];
  EXPECT_EQ(melody.renderer, Renderer::kMelody);
  EXPECT_EQ(melody.letter, '\0');
  EXPECT_EQ(melody.step, 0);
  const auto& pulse = load.schedule.calls[2];
  EXPECT_EQ(pulse.letter, '0') << "the digit 0 is a voice letter, not an empty one";
  EXPECT_EQ(pulse.stem, 1);
  EXPECT_EQ(load.schedule.groupCount(), 2);
}

TEST(VoiceScheduleFile, RejectsMalformedRowsNamingTheLine) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"2 | 1 | ensemble | O | 8\n", "Line 1 of voice_schedule.txt: group \"2\" must be 1"},
      {"1 | 8 | melody | - | -\n3 | 2 | ensemble | 1 | 8\n", "Line 2 of voice_schedule.txt: group \"3\" must be 1 or 2"},
      {"1 | 8 | ensemble | O | 8\n2 | 1 | ensemble | P | 8\n1 | 8 | ensemble | Q | 8\n", "group \"1\" must be 2 or 3"},
      {"1 | 8 | ensemble | O | 8\n1 | 7 | ensemble | P | 8\n", "group 1 is mixed into stem 8, not 7"},
      {"1 | 9 | ensemble | O | 8\n", "stem \"9\" must be a number from 1 to 8"},
      {"1 | 8 | melody | J | -\n", "the melody call takes no voice and no step"},
      {"1 | 8 | ensemble | - | 8\n", "voice \"-\" must be one letter or digit"},
      {"1 | 8 | ensemble | O | 0\n", "step \"0\" must be a number from 1 to 9"},
      {"1 | 8 | harmony | a | 8\n", "renderer \"harmony\" must be melody, ensemble"},
      {"1 | 8 | ensemble | O\n", "row of 4 columns"},
  };
  for (const auto& [text, expected] : cases) {
    const auto load = parseVoiceSchedule(text);
    EXPECT_NE(load.error.find(expected), std::string::npos)
        << "input:\n" << text << "\nexpected an error with: " << expected << "\ngot: " << load.error;
    EXPECT_TRUE(load.schedule.calls.empty()) << "a failed read keeps no calls";
  }
}

TEST(BuiltinSchedule, MakesFiftyNineCallsInEightGroups) {
  const VoiceSchedule& schedule = builtinVoiceSchedule();
  ASSERT_EQ(schedule.calls.size(), 59u);
  EXPECT_EQ(schedule.groupCount(), 8);
  EXPECT_EQ(schedule.calls.front().renderer, Renderer::kMelody) << "the melody is rendered first";
  int withLetter = 0;
  int files = 0;
  for (const auto& call : schedule.calls) {
    if (call.letter != '\0') ++withLetter;
    files += filesPerCall(call.renderer);
  }
  EXPECT_EQ(withLetter, 58);
  EXPECT_EQ(files, 64);
}

TEST(BuiltinSchedule, EveryGroupYieldsEightFilesIntoItsOwnStem) {
  std::map<int, int> filesOfGroup;
  std::map<int, std::set<int>> stemsOfGroup;
  for (const auto& call : builtinVoiceSchedule().calls) {
    filesOfGroup[call.group] += filesPerCall(call.renderer);
    stemsOfGroup[call.group].insert(call.stem);
  }
  const std::map<int, int> expectedStem{{1, 8}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {8, 7}};
  for (const auto& [group, stem] : expectedStem) {
    EXPECT_EQ(filesOfGroup[group], 8) << "group " << group;
    EXPECT_EQ(stemsOfGroup[group], std::set<int>{stem}) << "group " << group;
  }
}

TEST(BuiltinSchedule, RendersEachLowerCaseLetterAndDigitOnceAndSkipsGMXY) {
  std::map<char, int> times;
  for (const auto& call : builtinVoiceSchedule().calls) {
    if (call.letter != '\0') ++times[call.letter];
  }
  for (char c = 'a'; c <= 'z'; ++c) EXPECT_EQ(times[c], 1) << "voice " << c;
  for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(times[c], 1) << "voice " << c;
  for (char c = 'A'; c <= 'Z'; ++c) {
    const bool skipped = std::string_view("GMXY").find(c) != std::string_view::npos;
    EXPECT_EQ(times[c], skipped ? 0 : 1) << "voice " << c;
  }
}

TEST(BuiltinSchedule, KeepsTheStepsThatDifferFromTheRest) {
  std::map<char, int> step;
  for (const auto& call : builtinVoiceSchedule().calls) step[call.letter] = call.step;
  EXPECT_EQ(step['W'], 9);
  EXPECT_EQ(step['2'], 1);
  EXPECT_EQ(step['0'], 6);
  EXPECT_EQ(step['m'], 7);
  EXPECT_EQ(step['k'], 1);
  EXPECT_EQ(step['E'], 7);
}

}  // namespace
}  // namespace brisolt::render
