// A main window on the recording fake, with everything it is built on made observable.
#include "tests/app/window/window_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "audio/sample_bank.h"
#include "platform/message_pump.h"
#include "platform/window/picture_ids.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"

namespace brisolt::test {
namespace {

// 2024-01-31 14:25:07 UTC.
constexpr std::int64_t kStartSeconds = 1706711107;
constexpr int kFakeRenderSteps = 82;

}  // namespace

WindowTest::WindowTest() : now(std::chrono::system_clock::time_point(std::chrono::seconds{kStartSeconds})) {
  exeFolder = folder().path() + "program";
  std::filesystem::create_directories(exeFolder);
  writeSyntheticBank(exeFolder + "/Data.dat", {.markedBytes = 2});
  writeFileBytes(exeFolder + "/brisolt.html", {'<', 'p', '>'});
  environment["HOME"] = folder().path() + "home";
  // Generate asks for the MIDI file and the rendition (H is on by default);
  // without a SoundFont the rendition is refused at once, so Play plays the
  // mix and no test needs the real piano.
  setenv("BRISOLT_SOUNDFONT", (folder().path() + "no-soundfont.sf2").c_str(), 1);
}

WindowTest::~WindowTest() {
  if (dialog) dialog->destroyWindow();  // while the fixture can still watch it
  dialog.reset();
  platform::setMessagePump({});
  unsetenv("BRISOLT_SOUNDFONT");
}

void WindowTest::start() {
  DialogServices services{
      window,
      composer,
      mixer,
      audio,
      [this] {
        FolderEnvironment folders;
        folders.exeFolder = exeFolder;
        folders.programName = "brisolt";
        folders.variable = [this](const std::string& name) -> std::optional<std::string> {
          const auto found = environment.find(name);
          if (found == environment.end()) return std::nullopt;
          return found->second;
        };
        folders.canWrite = [this](const std::string&) { return exeFolderWritable; };
        folders.tempFolder = folder().path();
        return folders;
      },
      [this](const std::string& data, const std::string& prefix, render::RenderHost& host, render::Score& score) {
        return realRender ? programRender(composer, mixer)(data, prefix, host, score) : fakeRender(data, prefix, host);
      },
      [this](const PlaybackContext& context) -> std::unique_ptr<playback::PlaybackCommands> {
        return std::make_unique<RecordingPlayback>(programPlayback()(context), playbackCalls, cleanups, [this] {
          return RecordingPlayback::Cleanup{audio.latest() != nullptr, fileExists(settingsPath()), appState()};
        });
      },
      [this](const std::string& url) {
        openedUrls.push_back(url);
        return openerProblem;
      },
      [this](const std::string&) { return freeBytes; },
      [this] { return now; }};
  dialog = std::make_unique<CBrisoltDlg>(std::move(services));
  window.runModal(*dialog);
}

int WindowTest::fakeRender(const std::string& sampleDataPath, const std::string& outputPrefix,
                           render::RenderHost& host) {
  std::ifstream log(outputPrefix + "log.txt", std::ios::binary);
  const std::string logText((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  renders.push_back({sampleDataPath, outputPrefix, composer.plan(), logText});
  for (int step = 0; step < kFakeRenderSteps; ++step) {
    if (onRenderStep) {
      if (const auto result = onRenderStep(step, host)) return *result;
    }
    host.advanceProgress();
    host.showRemainingTime();
  }
  if (renderWritesMix) {
    audio::SampleBank bank;
    platform::File mix = bank.createWaveFile(outputPrefix + "Pelko.wav", 1, 60);
    const std::vector<std::uint8_t> silence(audio::predictedDataSize(1, 60), 0);
    mix.write(silence.data(), static_cast<std::uint32_t>(silence.size()));
  }
  return render::kRenderDone;
}

void WindowTest::writeSettings(const std::string& text) const {
  writeFileBytes(exeFolder + "/Brisolt.INI", Bytes(text.begin(), text.end()));
}

std::optional<int> WindowTest::pictureNumber(platform::ControlId control) const {
  const auto picture = window.pictureOf(control);
  if (!picture) return std::nullopt;
  return picture->value;
}

std::string WindowTest::digits(const std::vector<platform::ControlId>& controls) const {
  std::string text;
  for (const platform::ControlId control : controls) {
    const auto picture = window.pictureOf(control);
    char digit = '?';
    for (std::size_t d = 0; picture && d < platform::picture::kDigits.size(); ++d) {
      if (platform::picture::kDigits[d] == *picture) digit = static_cast<char>('0' + d);
    }
    text += digit;
  }
  return text;
}

std::vector<std::string> WindowTest::callsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : window.calls()) {
    if (call.starts_with(prefix)) found.push_back(call);
  }
  return found;
}

}  // namespace brisolt::test
