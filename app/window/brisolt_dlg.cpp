// CBrisoltDlg: the main window's logic.
#include "app/window/brisolt_dlg.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "app/window/hot_spots.h"
#include "app/window/key_filter.h"
#include "app/window/sound_output_probe.h"
#include "app/window/status_line.h"
#include "app/settings/settings_file.h"
#include "platform/files/file_system.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"
#include "platform/window/pictures/face_layout.h"
#include "playback/keyboard_display.h"
#include "playback/window_playback.h"

namespace brisolt {
namespace {

namespace control = platform::control;
namespace picture = platform::picture;
namespace layout = platform::layout;
using platform::Rect;
using platform::Rgb;

constexpr Rgb kBarBackground{150, 149, 147};
constexpr Rgb kBarColour{255, 0, 0};
constexpr platform::TextStripColours kTextStripColours{{255, 255, 255}, {77, 84, 87}};
constexpr platform::Size kDigitControl{20, 35};
constexpr const char* kHelpCaption = "Brisolt - Help";

template <std::size_t N>
void createDigits(platform::DialogWindow& window, const std::array<platform::ControlId, N>& controls,
                  const std::array<int, N>& lefts) {
  for (std::size_t i = 0; i < N; ++i) {
    window.createPictureControl(controls[i], {lefts[i], layout::kDigitTop, kDigitControl.width, kDigitControl.height},
                                picture::kDigits[0], false);
  }
}

}  // namespace

DialogServices programDialogServices(platform::DialogWindow& window, compose::Composer& composer,
                                     platform::AudioBackend& audio) {
  return DialogServices{window,
                        composer,
                        audio::programFileMixer(),
                        audio,
                        systemFolderEnvironment,
                        programRender(composer, audio::programFileMixer()),
                        programPlayback(),
                        openWithXdgOpen,
                        platform::freeBytes,
                        systemWallClock()};
}

CBrisoltDlg::CBrisoltDlg(DialogServices services)
    : CDialogSK(services.window),
      services_(std::move(services)),
      panel_(services_.window, settings_),
      player_(services_.audio, playback::notificationsTo(services_.window)) {
  playback_ = services_.playback(PlaybackContext{state_, services_.window, player_, services_.composer, services_.mixer,
                                                 [this] { runAction(HotSpotAction::kCompose); },
                                                 [this] { generate_->showRemainingTime(false); },
                                                 [this](const std::string& prefix) {
                                                   return generate_ ? generate_->sessionMidi(prefix) : nullptr;
                                                 }});
  generate_ = std::make_unique<GenerateCommand>(GenerateContext{services_.window, state_, settings_, folders_,
                                                                services_.composer, services_.mixer, player_,
                                                                *playback_, services_.render, services_.freeBytes,
                                                                services_.clock});
}

CBrisoltDlg::~CBrisoltDlg() { destroyWindow(); }

void CBrisoltDlg::onInitDialog() {
  auto& window = services_.window;
  CDialogSK::onInitDialog();

  // The splash first, on screen for at least five seconds of the start-up.
  splash_.create(window, picture::kSplash);
  splash_.show();
  const auto splashStart = services_.clock();

  // Folders: the executable's folder whole, whatever its length; the help
  // page, the settings file, the archive and the temporary folder from it.
  folders_ = resolveAppFolders(services_.environment());
  state_.exeFolder = folders_.exeFolder;
  state_.archiveFolder = folders_.archiveFolder;

  window.createProgressControl(control::kGenerationBar, layout::kProgress, false);
  window.setProgressBackgroundColour(control::kGenerationBar, kBarBackground);
  window.setProgressBarColour(control::kGenerationBar, kBarColour);

  window.waitUntil(splashStart + kSplashTime);
  splash_.hide();

  window.setCaption(kWindowCaption);
  window.setIcon(picture::kIcon);
  enableEasyMove(false);
  setBitmap(picture::kFace);
  setStyle(kSizedToBitmap);

  placeControls();

  state_.autoPlay = true;
  state_.currentPhrase = 0;
  state_.sessionPrefix.clear();
  state_.musicFile.clear();
  state_.appState = playback::kIdle;
  state_.sessionUnsaved = false;
  state_.logUnsaved = false;
  infoPage_ = 0;

  settings_.phraseCount = CompositionSettings::kFewestPhrases;
  panel_.load(readSettingsFile(folders_.settingsFile));
  initialised_ = true;
}

void CBrisoltDlg::placeControls() {
  auto& window = services_.window;
  panel_.createControls();
  // The lit buttons and the COMPOSE labels cover their hot spots.
  const platform::Rect compose = hotSpotPlace(HotSpotAction::kCompose);
  window.createPictureControl(control::kRecordLit, hotSpotPlace(HotSpotAction::kRecord), picture::kRecordLit, false);
  window.createPictureControl(control::kPlayLit, hotSpotPlace(HotSpotAction::kPlay), picture::kPlayLit, false);
  window.createPictureControl(control::kPauseLit, hotSpotPlace(HotSpotAction::kPause), picture::kPauseLit, false);
  window.createPictureControl(control::kStopLit, hotSpotPlace(HotSpotAction::kStop), picture::kStopLit, true);
  window.createPictureControl(control::kComposeLabel, compose, picture::kCompose, true);
  window.createPictureControl(control::kDoneLabel, compose, picture::kDone, false);
  window.createPictureControl(control::kWorkingLabel, compose, picture::kWorking, false);
  window.createPictureControl(control::kComposeDottedLabel, compose, picture::kComposeDotted, false);
  window.createProgressControl(control::kPositionBar, layout::kProgress, false);
  window.setProgressBackgroundColour(control::kPositionBar, kBarBackground);
  createDigits(window, control::kCurrentTime, layout::kCurrentTimeDigits);
  createDigits(window, control::kCurrentPhrase, layout::kCurrentPhraseDigits);
  window.createPictureControl(control::kRemainingTimeLabel, layout::kRemainingTime, picture::kRemainingTime, false);
  window.createPictureControl(control::kInfoPanel, layout::kInfoPanel, picture::kInfoPages[0], true);
  window.createTextStrip(control::kTextStrip, layout::kTextStrip, kTextStripColours, true);
  playback::createKeyControls(window);
}

void CBrisoltDlg::destroyWindow() {
  if (destroyed_ || !initialised_) return;
  destroyed_ = true;
  player_.send(platform::MediaCommand::closeAll());
  playback_->cleanupArchive();
  saveSettings();
}

int CBrisoltDlg::saveSettings() {
  std::error_code ignored;
  if (!folders_.settingsFolder.empty()) std::filesystem::create_directories(folders_.settingsFolder, ignored);
  return saveSettingsFile(folders_.settingsFile, settings_);
}

void CBrisoltDlg::onLeftButtonDown(int x, int y) { handleClick(x, y); }

void CBrisoltDlg::handleClick(int x, int y) {
  if (layout::kTextStrip.contains(x, y) && state_.appState == playback::kIdle) {
    askForSessionId();
    return;
  }
  bool pastGate = false;
  for (const HotSpot& spot : hotSpotTable()) {
    if (spot.idleOnly && !pastGate) {
      if (state_.appState != playback::kIdle) return;
      pastGate = true;
    }
    if (!spot.place.contains(x, y)) continue;
    act(spot.action);
    if (spot.stops) return;
  }
  CDialogSK::onLeftButtonDown(x, y);
}

void CBrisoltDlg::runAction(HotSpotAction action) {
  if (worksOnlyWhileIdle(action) && state_.appState != playback::kIdle) return;
  act(action);
}

void CBrisoltDlg::act(HotSpotAction action) {
  auto& window = services_.window;
  switch (action) {
    case HotSpotAction::kPhraseBack: playback_->seekPhrase(-1); break;
    case HotSpotAction::kPhraseForward: playback_->seekPhrase(+1); break;
    case HotSpotAction::kInfoPrevious: stepInfoPage(-1); break;
    case HotSpotAction::kInfoNext: stepInfoPage(+1); break;
    case HotSpotAction::kExit:
      if (state_.appState == playback::kGenerating) generate_->cancel();
      if (state_.appState == playback::kPlaying) playback_->stopPlayback();
      window.endDialog(1);
      break;
    case HotSpotAction::kStop:
      window.showControl(control::kStopLit);
      window.repaintNow();
      if (state_.appState == playback::kGenerating) {
        generate_->cancel();
        generate_->showRemainingTime(false);
      }
      playback_->stopPlayback();
      break;
    case HotSpotAction::kPlay: playback_->play(); break;
    case HotSpotAction::kPause: playback_->togglePause(); break;
    case HotSpotAction::kRecord: playback_->saveSession(); break;
    case HotSpotAction::kHelp: openHelp(); break;
    case HotSpotAction::kAbout: showAbout(); break;
    case HotSpotAction::kKeySignatureDown: panel_.stepKeySignature(-1); break;
    case HotSpotAction::kKeySignatureUp: panel_.stepKeySignature(+1); break;
    case HotSpotAction::kScaleDown: panel_.stepScale(-1); break;
    case HotSpotAction::kScaleUp: panel_.stepScale(+1); break;
    case HotSpotAction::kMotifModeDown: panel_.stepMotifMode(-1); break;
    case HotSpotAction::kMotifModeUp: panel_.stepMotifMode(+1); break;
    case HotSpotAction::kPhraseModeDown: panel_.stepPhraseMode(-1); break;
    case HotSpotAction::kPhraseModeUp: panel_.stepPhraseMode(+1); break;
    case HotSpotAction::kPhraseCountUp: panel_.stepPhraseCount(+1, false); break;
    case HotSpotAction::kPhraseCountDown: panel_.stepPhraseCount(-1, false); break;
    case HotSpotAction::kCompose:
      // Play follows: it plays the new piece, or after a refusal the last one
      // (or offers to compose).
      if (generate_->generate() != kGenerateBusy && state_.autoPlay) runAction(HotSpotAction::kPlay);
      break;
  }
}

int CBrisoltDlg::stepInfoPage(int delta) {
  if ((delta < 0 && infoPage_ == 0) || (delta > 0 && infoPage_ == kLastInfoPage)) return kStepRefused;
  infoPage_ += delta;
  services_.window.freeControlPicture(control::kInfoPanel);
  services_.window.setControlPicture(control::kInfoPanel, picture::kInfoPages.at(static_cast<std::size_t>(infoPage_)));
  return kStepped;
}

void CBrisoltDlg::openHelp() {
  const std::string page = firstExistingFile(folders_.helpPageCandidates);
  std::optional<std::string> problem;
  if (page.empty()) {
    std::string looked;
    for (const std::string& path : folders_.helpPageCandidates) looked += "\n  " + path;
    problem = "The help page was not found. Looked for:" + looked;
  } else {
    problem = services_.openUrl(helpPageUrl(page));
  }
  if (problem) {
    services_.window.showMessageBox(
        {kHelpCaption, *problem, platform::MessageBoxIcon::kWarning, platform::MessageBoxButtons::kOk});
  }
}

void CBrisoltDlg::showAbout() { services_.window.showAbout({kAboutCaption, picture::kAbout, kAboutLine}); }

void CBrisoltDlg::plusOrMinus(int direction) {
  if (state_.appState == playback::kPlaying || state_.appState == playback::kPaused) {
    playback_->seekPhrase(direction);
  } else if (state_.appState == playback::kIdle) {
    panel_.stepPhraseCount(direction, false);
  }
}

void CBrisoltDlg::seekWhilePlaying(int direction) {
  if (state_.appState == playback::kPlaying || state_.appState == playback::kPaused)
    runAction(direction < 0 ? HotSpotAction::kPhraseBack : HotSpotAction::kPhraseForward);
}

void CBrisoltDlg::playOrPause() {
  if (state_.appState == playback::kIdle) runAction(HotSpotAction::kPlay);
  else if (state_.appState == playback::kPlaying || state_.appState == playback::kPaused)
    runAction(HotSpotAction::kPause);
}

namespace {

// Session ids are the 32-bit seeds the logs record.
std::optional<std::string> sessionIdProblem(const std::string& digits) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size())
    return "Not a session id: " + digits + ". A log's \"Session ID:\" line has one, from 0 to 4294967295.";
  return std::nullopt;
}

}  // namespace

void CBrisoltDlg::askForSessionId() {
  if (state_.appState != playback::kIdle) return;
  const auto digits = services_.window.askForNumber(
      {kSessionEntryCaption,
       "The session id of a piece, as its log shows it (\"Session ID: ...\"). The next COMPOSE makes that piece "
       "again with the settings shown. Enter to use it, Esc to leave.",
       10, sessionIdProblem});
  if (!digits) return;
  const auto id = static_cast<std::uint32_t>(std::stoul(*digits));
  generate_->useSessionId(id);
  services_.window.setControlText(control::kTextStrip, nextSessionStatus(id));
}

void CBrisoltDlg::onKeyDown(platform::KeyPress key) {
  switch (filterKey(key)) {
    case KeyAction::kSwallow: return;
    case KeyAction::kCompose: runAction(HotSpotAction::kCompose); return;
    case KeyAction::kPlus: plusOrMinus(+1); return;
    case KeyAction::kMinus: plusOrMinus(-1); return;
    case KeyAction::kExit: runAction(HotSpotAction::kExit); return;
    case KeyAction::kAbout: runAction(HotSpotAction::kAbout); return;
    case KeyAction::kPlayPause: playOrPause(); return;
    case KeyAction::kPhraseBack: seekWhilePlaying(-1); return;
    case KeyAction::kPhraseForward: seekWhilePlaying(+1); return;
    case KeyAction::kSessionEntry: askForSessionId(); return;
    case KeyAction::kToggleHiFi: settings_.hifi = !settings_.hifi; return;  // kept in Brisolt.INI at exit
    case KeyAction::kNone: CDialogSK::onKeyDown(key); return;
  }
}

void CBrisoltDlg::onTimer(platform::TimerId timer) {
  if (timer == platform::timer::kPlayback) playback_->onPlaybackTimer();
}

void CBrisoltDlg::onMediaNotification(platform::MediaNotification flag) {
  // A piece that fails to play: say why, when the reason is that there is
  // no sound output at all.
  if (flag == platform::MediaNotification::kFailure && !state_.musicFile.empty()) {
    if (const auto problem = soundOutputProblem(services_.audio))
      services_.window.setControlText(control::kTextStrip, noSoundStatus(*problem, state_.musicFile));
  }
  playback_->onMediaNotification(flag);
}

void CBrisoltDlg::onCloseRequest() {
  // Closing the window while a piece is made cancels it, as EXIT does, so
  // the window does not linger until the render ends.
  if (state_.appState == playback::kGenerating) generate_->cancel();
  CDialogSK::onCloseRequest();
}

}  // namespace brisolt
