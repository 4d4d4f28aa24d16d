// The main window on SDL2: one window whose client area is the face picture,
// with the controls composed over it in software and copied to the window's
// surface. Timers are made by the message loop (no timer thread); media
// notifications travel as an SDL user event, which SDL lets any thread push.
// Works under the dummy video driver too, where nothing reaches a screen but
// every frame is still composed (see lastFrame()) and message boxes answer
// MessageBoxAnswer::kNone. Message boxes are drawn inside the window, over a
// dimmed face, by the window's own painting: they need no fonts of the
// display server.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/dialog_window.h"
#include "platform/window/message_box_model.h"
#include "platform/window/pictures/picture_library.h"
#include "platform/window/progress_bar_model.h"
#include "platform/window/timer_schedule.h"

namespace brisolt::platform {

class SdlSplashWindow;

class SdlDialogWindow final : public DialogWindow {
 public:
  // Starts SDL's video and makes the (hidden) window. The pictures must
  // outlive the window. On failure returns null with the reason in `error`.
  static std::unique_ptr<SdlDialogWindow> create(const PictureLibrary& pictures, std::string& error);
  ~SdlDialogWindow() override;
  SdlDialogWindow(const SdlDialogWindow&) = delete;
  SdlDialogWindow& operator=(const SdlDialogWindow&) = delete;

  // ---- DialogWindow
  std::optional<Size> pictureSize(PictureId picture) const override;
  bool setBackground(PictureId picture) override;
  void setClientSize(Size size) override;
  Size clientSize() const override { return clientSize_; }
  void setCaption(const std::string& text) override;
  bool setIcon(PictureId picture) override;
  void createPictureControl(ControlId control, Rect place, PictureId picture, bool visible) override;
  void setControlPicture(ControlId control, PictureId picture) override;
  void freeControlPicture(ControlId control) override;
  void showControl(ControlId control) override;
  void hideControl(ControlId control) override;
  bool isControlVisible(ControlId control) const override;
  void createProgressControl(ControlId control, Rect place, bool visible) override;
  void setProgressRange(ControlId control, int lower, int upper) override;
  void setProgressPosition(ControlId control, int position) override;
  void setProgressStep(ControlId control, int step) override;
  void stepProgress(ControlId control) override;
  void setProgressBackgroundColour(ControlId control, Rgb colour) override;
  void setProgressBarColour(ControlId control, Rgb colour) override;
  ProgressRange progressRange(ControlId control) const override;
  int progressPosition(ControlId control) const override;
  void createTextStrip(ControlId control, Rect place, TextStripColours colours, bool visible) override;
  void setControlText(ControlId control, const std::string& text) override;
  void lockRedraw() override;
  void unlockRedraw() override;
  void repaintNow() override;
  void startTimer(TimerId timer, std::chrono::milliseconds period) override;
  void killTimer(TimerId timer) override;
  MessageBoxAnswer showMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> askForNumber(const NumberEntryRequest& request) override;
  void showAbout(const AboutRequest& request) override;
  std::unique_ptr<SplashWindow> createSplash(PictureId picture) override;
  void waitUntil(std::chrono::system_clock::time_point deadline) override;
  int runModal(WindowEvents& events) override;
  void endDialog(int result) override;
  bool pumpOneMessage() override;
  void postMediaNotification(MediaNotification flag) override;

  // ---- For tests and the preview
  // How many frames have been composed so far.
  int framesPainted() const { return framesPainted_; }
  // The last frame composed (ARGB8888, client size); null before the first.
  SDL_Surface* lastFrame() const { return framesPainted_ > 0 ? frame_ : nullptr; }
  Rgb pixelAt(int x, int y) const;
  SDL_Window* sdlWindow() const { return window_; }

 private:
  friend class SdlSplashWindow;
  enum class ControlKind { kPicture, kProgress, kText };
  struct Control {
    ControlKind kind = ControlKind::kPicture;
    Rect place;
    bool visible = false;
    SDL_Surface* image = nullptr;  // picture controls; owned by the library
    ProgressBarModel progress;
    TextStripColours colours;
    std::string text;  // text strips: the line as shown, fitted to the strip
  };

  SdlDialogWindow(const PictureLibrary& pictures, SDL_Window* window, Uint32 mediaEvent);
  Control* find(ControlId control, ControlKind kind);
  const Control* find(ControlId control, ControlKind kind) const;
  Control& make(ControlId control, ControlKind kind, Rect place, bool visible);
  void changed() { dirty_ = true; }
  // Applies `change` to the progress bar `control`, if there is one, and repaints.
  template <typename Change>
  void changeProgress(ControlId control, Change change);
  void paint();
  void paintIfDirty();
  void drawControl(const Control& control);
  bool dispatchOne();
  // The pump long jobs call between notes and blocks: a message at most
  // every kJobPumpInterval, a repaint at most every kJobPaintInterval.
  void pumpFromJob();
  // Handles one SDL event; true when it became a message to the handler.
  bool handleEvent(const SDL_Event& event);
  bool isMainWindowEvent(Uint32 windowId) const;
  void repaintWindow(Uint32 windowId);
  void discardInput();
  void drawBox();
  // Runs the open box until it is answered.
  MessageBoxAnswer runBox(MessageBoxModel& model);
  // Pointer moves and left presses and releases over the main window reach
  // the box's buttons; the answer of a button released under the pointer.
  std::optional<MessageBoxAnswer> trackPointer(const SDL_Event& event, MessageBoxModel& model);
  // The entry's key for an SDL key, with the digit typed.
  std::optional<EntryEnd> entryKey(NumberEntryModel& entry, const SDL_Keysym& key);

  const PictureLibrary& pictures_;
  SDL_Window* window_ = nullptr;
  Uint32 mediaEvent_ = 0;
  SDL_Surface* frame_ = nullptr;
  Size clientSize_;
  SDL_Surface* background_ = nullptr;
  std::map<ControlId, Control> controls_;
  std::vector<ControlId> drawOrder_;
  TimerSchedule timers_;
  std::vector<SdlSplashWindow*> splashes_;
  WindowEvents* events_ = nullptr;
  bool ended_ = false;
  int result_ = kDialogCancel;
  bool dirty_ = true;
  int lockDepth_ = 0;
  int framesPainted_ = 0;
  std::chrono::steady_clock::time_point lastJobPump_{};
  std::chrono::steady_clock::time_point lastJobPaint_{};
  MessageBoxModel* box_ = nullptr;  // the box on top, while one is open
};

}  // namespace brisolt::platform
