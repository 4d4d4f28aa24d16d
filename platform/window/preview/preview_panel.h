// A stand-in for the window logic, for looking at the window layer: it lays
// out the main window's controls as the program does and gives the hot spots
// just enough life to be tried (settings step, pages turn, transport buttons
// light, COMPOSE runs a pretend job that pumps messages, EXIT ends).
#pragma once

#include <array>
#include <string>

#include "platform/window/dialog_window.h"

namespace brisolt::platform {

struct PreviewOptions {
  std::string screenshot;  // when set: save the window's frame here and end
  std::string scene = "idle";  // idle, playing or working
};

class PreviewPanel final : public WindowEvents {
 public:
  PreviewPanel(DialogWindow& window, PreviewOptions options) : window_(window), options_(std::move(options)) {}

  void onInitDialog() override;
  void onLeftButtonDown(int x, int y) override;
  void onKeyDown(KeyPress key) override;
  void onTimer(TimerId timer) override;
  void onMediaNotification(MediaNotification flag) override;
  void onCloseRequest() override;

  // Called with the window when a screenshot is due; set by main().
  void (*saveScreenshot)(DialogWindow& window, const std::string& path) = nullptr;

 private:
  void layOut();
  void showNumber(const std::array<ControlId, 4>& digits, int seconds);
  void showTwoDigits(ControlId tens, ControlId units, int value);
  void stepSetting(int row, int delta);
  void startPlaying();
  void stopPlaying();
  void composePretend();

  DialogWindow& window_;
  PreviewOptions options_;
  std::array<int, 4> settings_{3, 4, 1, 1};
  int phrases_ = 5;
  int page_ = 0;
  bool playing_ = false;
  bool paused_ = false;
  bool working_ = false;
  int playedTenths_ = 0;
  int ticks_ = 0;
};

}  // namespace brisolt::platform
