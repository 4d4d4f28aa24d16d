// A saved phrase's excerpt of the rendition and its MIDI file: cut where the
// mix's excerpt is cut, 64 seconds long, named beside the mix's.
#include "session/phrase_exports.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <memory>
#include <vector>

#include "midi/midi_file_writer.h"
#include "platform/files/file_system.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

constexpr int kRate = 44100;
constexpr sf_count_t kPhraseFrames = 64 * kRate;

struct Closer {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

// A stereo rendition whose every frame says where it is: left counts up to
// 29999 and wraps, right is its negative.
void writeCountingRendition(const std::string& path, sf_count_t frames) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  const std::unique_ptr<SNDFILE, Closer> file(sf_open(path.c_str(), SFM_WRITE, &info));
  ASSERT_TRUE(file);
  std::vector<short> samples(static_cast<std::size_t>(frames) * 2);
  for (sf_count_t k = 0; k < frames; ++k) {
    samples[static_cast<std::size_t>(2 * k)] = static_cast<short>(k % 30000);
    samples[static_cast<std::size_t>(2 * k + 1)] = static_cast<short>(-(k % 30000));
  }
  ASSERT_EQ(sf_writef_short(file.get(), samples.data(), frames), frames);
}

std::vector<short> readAll(const std::string& path, SF_INFO& info) {
  const std::unique_ptr<SNDFILE, Closer> file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) return {};
  std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
  sf_readf_short(file.get(), samples.data(), info.frames);
  return samples;
}

using RenditionExcerpt = test::TempFolderTest;

TEST_F(RenditionExcerpt, StartsWhereTheMixsExcerptStartsAndLastsSixtyFourSeconds) {
  // The mix's excerpt of phrase 2 at tempo 60 begins 469 ms of lead-in less
  // two samples (20678 bytes) and one phrase (2822400 bytes) into its data.
  EXPECT_EQ(phraseExcerptStartByte(2, 60), 20678u + 2822400u);
  EXPECT_EQ(phraseExcerptStartByte(1, 100), 13758u - 4u) << "312 ms of lead-in at other tempos";

  const std::string folder = this->folder().path();
  writeCountingRendition(folder + "P_PelkoL.wav", 3 * kPhraseFrames);
  ASSERT_EQ(writeRenditionExcerpt(folder, "P_", 2, 60), PhraseExportResult::kWritten);
  SF_INFO info{};
  const std::vector<short> excerpt = readAll(folder + "P_PelkoL_02.wav", info);
  EXPECT_EQ(info.samplerate, kRate);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  ASSERT_EQ(info.frames, kPhraseFrames);
  const sf_count_t start = 20678 + 2822400;
  for (const sf_count_t k : {sf_count_t{0}, sf_count_t{1}, kPhraseFrames / 2, kPhraseFrames - 1}) {
    EXPECT_EQ(excerpt[static_cast<std::size_t>(2 * k)], (start + k) % 30000) << "frame " << k;
    EXPECT_EQ(excerpt[static_cast<std::size_t>(2 * k + 1)], -((start + k) % 30000)) << "frame " << k;
  }
}

TEST_F(RenditionExcerpt, ARenditionThatEndsEarlyGivesWhatThereIsAndNoRenditionNothing) {
  const std::string folder = this->folder().path();
  EXPECT_EQ(writeRenditionExcerpt(folder, "P_", 1, 60), PhraseExportResult::kNoRendition);
  EXPECT_FALSE(platform::fileExists(folder + "P_PelkoL_01.wav"));

  writeCountingRendition(folder + "P_PelkoL.wav", kPhraseFrames + kRate);
  EXPECT_EQ(writeRenditionExcerpt(folder, "P_", 1, 60), PhraseExportResult::kWritten);
  EXPECT_EQ(writeRenditionExcerpt(folder, "P_", 2, 60), PhraseExportResult::kShort);
  SF_INFO info{};
  readAll(folder + "P_PelkoL_02.wav", info);
  EXPECT_EQ(info.frames, kPhraseFrames + kRate - (20678 + 2822400));
}

TEST(MidiPhrase, HoldsTheNotesStruckInThePhraseTimedFromItsExcerpt) {
  test::TempFolder folder;
  midi::MidiPiece piece;
  const double phraseTwo = (20678.0 + 2822400.0) / kRate;
  piece.tracks = {{"melody", {{30, 1.0, 2.0, 100}, {31, phraseTwo + 0.5, phraseTwo + 1.5, 90}}}, {"3", {}}};
  ASSERT_EQ(writeMidiPhrase(piece, folder.path(), "P_", 2, 60), PhraseExportResult::kWritten);
  midi::MidiPiece expected = piece;
  expected.tracks[0].notes = {{31, 0.5, 1.5, 90}};
  const std::vector<std::uint8_t> want = midi::encodeMidiFile(expected);
  const std::vector<std::uint8_t> got = [&] {
    std::FILE* file = std::fopen(midiPhrasePath(folder.path(), "P_", 2).c_str(), "rb");
    std::vector<std::uint8_t> bytes(want.size() + 16);
    bytes.resize(file ? std::fread(bytes.data(), 1, bytes.size(), file) : 0);
    if (file) std::fclose(file);
    return bytes;
  }();
  EXPECT_EQ(got, want) << "the second note alone, half a second into the phrase";
}

}  // namespace
}  // namespace brisolt
