// Reading pattern files, and the two pattern strings given whole (u and O).
#include "render/voice_patterns.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brisolt::render {
namespace {

TEST(VoicePatternsFile, JoinsTheLinesOfAnEntryAndSkipsComments) {
  const auto load = parseVoicePatterns("# head\nvoice u\n00VQ\n# inside\nXV\n\nvoice 1\n+-\n");
  ASSERT_EQ(load.error, "");
  EXPECT_EQ(load.patterns.find('u'), "00VQXV");
  EXPECT_EQ(load.patterns.find('1'), "+-");
  EXPECT_EQ(load.patterns.find('2'), "") << "a voice without an entry has no string";
  EXPECT_EQ(load.patterns.letters, "u1");
}

TEST(VoicePatternsFile, AcceptsCarriageReturnsAndAMissingFinalLineFeed) {
  const auto load = parseVoicePatterns("voice s\r\n-y+Z\r\n0000\r\n\r\nvoice t\r\nY+");
  ASSERT_EQ(load.error, "");
  EXPECT_EQ(load.patterns.find('s'), "-y+Z0000");
  EXPECT_EQ(load.patterns.find('t'), "Y+");
}

struct Malformed {
  std::string text;
  std::string_view expected;  // part of the error message
};

TEST(VoicePatternsFile, RejectsMalformedEntriesNamingTheLine) {
  const Malformed cases[] = {
      {"voice a\nXX--P0\n", "Line 2 of voice_patterns.txt: 'P' at column 5"},
      {"voice a\nX\n\nvoice a\n-\n", "Line 4 of voice_patterns.txt: voice a has a second entry"},
      {"voice a\n\nvoice b\n+\n", "Line 1 of voice_patterns.txt: voice a has no pattern lines"},
      {"voice b\n", "voice b has no pattern lines"},
      {"+-+-\n", "Line 1 of voice_patterns.txt: pattern characters outside an entry"},
      {"voice a\nX\nvoice b\n+\n", "Line 3 of voice_patterns.txt: an empty line must end"},
      {"voice ab\nX\n", "expected one voice letter"},
      {"voice a\n" + std::string(101, '0') + "\n", "line of 101 characters; at most 100"},
  };
  for (const auto& [text, expected] : cases) {
    const auto load = parseVoicePatterns(text);
    EXPECT_NE(load.error.find(expected), std::string::npos)
        << "input:\n" << text << "\nexpected an error with: " << expected << "\ngot: " << load.error;
    EXPECT_EQ(load.patterns.letters, "") << "a failed read keeps no entries; got " << load.patterns.letters;
  }
}

TEST(VoicePatternsFile, AlphabetIsExactlyTheCharactersPatternsUse) {
  std::string accepted;
  for (int c = 1; c < 128; ++c) {
    if (isPatternCharacter(static_cast<char>(c))) accepted += static_cast<char>(c);
  }
  EXPECT_EQ(accepted, "+-0ABCDEFGHOQVWXYZy");
}

// FNV-1a (64 bit), to pin a whole string in one number.
std::uint64_t fnv1a(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// A given pattern string as the reference text has it: its length, some
// pieces of 100 at their offsets, everything from `tailFrom` on, and the
// FNV-1a of the whole string.
struct ReferencePattern {
  char letter;
  std::size_t size;
  std::vector<std::pair<std::size_t, std::string_view>> pieces;
  std::size_t tailFrom;
  std::string tail;
  std::uint64_t hash;
};

void PrintTo(const ReferencePattern& reference, std::ostream* out) { *out << "voice " << reference.letter; }

class GivenPatternString : public ::testing::TestWithParam<ReferencePattern> {};

TEST_P(GivenPatternString, IsTheReferenceString) {
  const ReferencePattern& reference = GetParam();
  const std::string_view pattern = builtinVoicePatterns().find(reference.letter);
  ASSERT_EQ(pattern.size(), reference.size);
  for (const auto& [offset, piece] : reference.pieces) {
    EXPECT_EQ(pattern.substr(offset, 100), piece) << "at " << offset;
  }
  EXPECT_EQ(pattern.substr(reference.tailFrom), reference.tail);
  EXPECT_EQ(fnv1a(pattern), reference.hash) << "FNV-1a of " << reference.letter << " differs from the reference";
}

// The reference values below were taken from the reference text of the two
// strings (in pieces of 100), not from our data file.
INSTANTIATE_TEST_SUITE_P(
    GivenPatterns, GivenPatternString,
    ::testing::Values(
        // The arpeggio string.
        ReferencePattern{
            'u', 1968u,
            {{0,
              "00000000000000000000000000VQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXA"},
             {1000,
              "VVVVVVVVVVV0000XXXXXXXX0000AAAAAAAA0000XXXXXXXX0000AAAAAAAA0000XXXXXXXX+Q00VV00000V00VVVVVVV00V00V00"},
             {1800,
              "AQAAVZ-Z-Z-Z-000000VQ000000AV000000QA000000AVZ-Z-Z-VQQAAQAQAVQAQAQAQAQAAQAQVQXXXXXXXXXXVVVVVVVVVVVVV"}},
            1900u, "VVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVV0000000000000000000000", 0x934cf4f2906fed88ULL},
        // The scale-step string.
        ReferencePattern{
            'O', 1967u,
            {{0,
              "-+-+-+-+-+-+-+-+-+-+WQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQ00000000000000000000"},
             {900,
              "00W0-00000-000000000000000000000-+0000+00000000000000000000+000000-+0000--0-+ZYWQBADCFE-+ZYWQBADCFE-"},
             {1000,
              "+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE0000000Q00Q00+0000000-00W00+0"}},
            1900u, std::string(67, '0'), 0xaa45cb8665611398ULL}),
    [](const ::testing::TestParamInfo<ReferencePattern>& row) {
      return std::string("Voice") + row.param.letter;
    });

}  // namespace
}  // namespace brisolt::render
