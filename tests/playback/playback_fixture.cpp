// The fixture of the window playback tests.
#include "tests/playback/playback_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "audio/sample_bank.h"
#include "audio/wave_format.h"
#include "platform/files/file_system.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"
#include "tests/support/file_bytes.h"

namespace brisolt::playback::testing {
namespace {

namespace control = platform::control;
namespace picture = platform::picture;

constexpr std::int64_t kLeadInMilliseconds = 500;
constexpr std::int64_t kTailMilliseconds = 2500;

test::Bytes waveHeader(std::uint32_t dataBytes) {
  audio::HeaderTemplate header{};
  audio::buildHeaderTemplate(header, audio::riffSizeFor(dataBytes));
  test::Bytes bytes(header.begin(), header.end());
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(dataBytes >> shift));
  return bytes;
}

// The excerpt as the output files cut it: 2822400 bytes from lead-in + 40.
int cutExcerpt(const std::string& folder, const std::string& prefix, int phrase, int tempo) {
  audio::SampleBank bank;
  platform::File mix = platform::File::openForReading(folder + prefix + "Pelko.wav");
  char name[512];
  std::snprintf(name, sizeof name, "%s%sPelko_%.2d.wav", folder.c_str(), prefix.c_str(), phrase);
  platform::File excerpt = bank.createWaveFile(name, 16, tempo);
  const std::uint32_t offset = audio::millisecondsToBytes(469) + 40 + static_cast<std::uint32_t>(phrase - 1) * 2822400;
  bank.copyRaw(mix, excerpt, offset, 2822400);
  return 0;
}

}  // namespace

void writeMixFile(const std::string& path, const std::vector<std::uint8_t>& samples) {
  test::Bytes bytes = waveHeader(static_cast<std::uint32_t>(samples.size()));
  bytes.insert(bytes.end(), samples.begin(), samples.end());
  test::writeFileBytes(path, bytes);
}

void createPlaybackControls(platform::FakeDialogWindow& window) {
  for (std::size_t i = 0; i < control::kCurrentTime.size(); ++i) {
    window.createPictureControl(control::kCurrentTime[i], {static_cast<int>(400 + 25 * i), 320, 20, 30},
                                 picture::kDigits[0], false);
  }
  for (std::size_t i = 0; i < control::kCurrentPhrase.size(); ++i) {
    window.createPictureControl(control::kCurrentPhrase[i], {static_cast<int>(520 + 25 * i), 320, 20, 30},
                                 picture::kDigits[0], false);
  }
  window.createPictureControl(control::kStopLit, {385, 265, 25, 25}, picture::kStopLit, true);
  window.createPictureControl(control::kPlayLit, {440, 265, 25, 25}, picture::kPlayLit, false);
  window.createPictureControl(control::kPauseLit, {495, 265, 25, 25}, picture::kPauseLit, false);
  window.createPictureControl(control::kRecordLit, {550, 265, 25, 25}, picture::kRecordLit, false);
  window.createPictureControl(control::kDoneLabel, {400, 170, 160, 25}, picture::kDone, true);
  window.createPictureControl(control::kComposeDottedLabel, {400, 170, 160, 25}, picture::kComposeDotted, false);
  window.createProgressControl(control::kPositionBar, {380, 225, 205, 15}, false);
}

PlaybackFixture::PlaybackFixture()
    : archive_(folder().file("Archive/")),
      player_(backend_, notificationsTo(window_)),
      playback_(state_, window_, player_, mixer_,
                {.compose = [this] { ++composeActions_; },
                 .hideRemainingTime = [this] { ++remainingTimeHides_; },
                 .writePhraseExcerpt =
                     [this](const std::string& folder, const std::string& prefix, int phrase, int tempo) {
                       excerpts_.push_back({folder, prefix, phrase, tempo, deviceOpen()});
                       return cutExcerpt(folder, prefix, phrase, tempo);
                     }}),
      events_(playback_) {
  platform::createFolder(archive_);
  state_.exeFolder = folder().path().substr(0, folder().path().size() - 1);
  state_.archiveFolder = archive_;

  createPlaybackControls(window_);
  window_.attach(events_);
}

std::string PlaybackFixture::writeMix(const std::string& name, std::int64_t milliseconds) const {
  const std::string path = archive_ + name;
  const auto dataBytes = static_cast<std::uint32_t>(milliseconds * 44100 / 1000 / 2 * 2);
  test::writeFileBytes(path, waveHeader(dataBytes));
  std::filesystem::resize_file(path, audio::kHeaderSize + dataBytes);
  return path;
}

void PlaybackFixture::generateSession(int phrases, const std::string& prefix) {
  state_.sessionPrefix = prefix;
  state_.musicFile = writeMix(prefix + "Pelko.wav", kLeadInMilliseconds + phrases * kPhraseMilliseconds + kTailMilliseconds);
  test::writeFileBytes(archive_ + prefix + "log.txt", {'l', 'o', 'g'});
  test::writeFileBytes(archive_ + prefix + "mixer_scratch.tmp", {1, 2, 3});
  state_.plannedPhraseTotal = phrases;
  state_.sessionUnsaved = true;
  state_.logUnsaved = true;
  state_.currentPhrase = 0;
  state_.appState = kIdle;
}

void PlaybackFixture::writeOtherSession() const {
  test::writeFileBytes(archive_ + kOtherPrefix + "Pelko.wav", {1});
  test::writeFileBytes(archive_ + kOtherPrefix + "log.txt", {2});
  test::writeFileBytes(archive_ + kOtherPrefix + "Pelko_03.wav", {3});
}

std::vector<std::string> PlaybackFixture::archiveFiles() const { return platform::listFiles(archive_, ""); }

void PlaybackFixture::runFor(std::chrono::milliseconds time) {
  constexpr std::chrono::milliseconds kTick{100};
  for (std::chrono::milliseconds done{0}; done < time; done += kTick) {
    const std::chrono::milliseconds step = std::min(kTick, time - done);
    backend_.advance(step);
    window_.tickTimer(platform::timer::kPlayback);
  }
}

void PlaybackFixture::goToPhrase(int phrase) {
  window_.tickTimer(platform::timer::kPlayback);
  for (int guard = 0; playback_.shownPhrase() != phrase && guard < 200; ++guard) {
    playback_.seekPhrase(playback_.shownPhrase() < phrase ? +1 : -1);
    window_.tickTimer(platform::timer::kPlayback);
  }
}

namespace {
char digitOf(const platform::FakeDialogWindow& window, platform::ControlId id) {
  const std::optional<platform::PictureId> shown = window.pictureOf(id);
  for (std::size_t d = 0; d < picture::kDigits.size(); ++d) {
    if (shown == picture::kDigits[d]) return static_cast<char>('0' + d);
  }
  return '-';
}
}  // namespace

std::string PlaybackFixture::timeDigits() const {
  std::string digits;
  for (const platform::ControlId id : control::kCurrentTime) digits += digitOf(window_, id);
  return digits;
}

std::string PlaybackFixture::phraseDigits() const {
  std::string digits;
  for (const platform::ControlId id : control::kCurrentPhrase) digits += digitOf(window_, id);
  return digits;
}

std::int64_t PlaybackFixture::position() {
  const platform::MediaReply reply = player_.send(platform::MediaCommand::statusPosition("lv"));
  return reply.ok() ? std::stoll(reply.answer) : -1;
}

bool PlaybackFixture::deviceOpen() { return player_.send(platform::MediaCommand::statusPosition("lv")).ok(); }

}  // namespace brisolt::playback::testing
