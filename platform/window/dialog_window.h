// The main window as the window logic sees it: a modal dialog whose face is
// a picture, with picture, progress and text controls laid over it, a timer,
// message boxes, a splash, and a message queue delivered to WindowEvents.
// Two implementations: SdlDialogWindow (the real one) and FakeDialogWindow
// (records everything, for tests). Neither asks the logic to know SDL.
//
// Rules common to both:
// - Every operation except postMediaNotification() is called on the window's
//   thread (the one that runs runModal()).
// - Controls are made by the create* operations; calling one again for an
//   existing id re-places that control. Operations on an id that was never
//   created, or of the wrong kind, do nothing (and reads give zeros).
// - Controls are drawn in the order they were first created, later ones on
//   top. A picture is drawn from the control's top-left corner and clipped to
//   the control; where it is smaller, the face shows through. Hidden controls
//   are not drawn.
// - Changes are painted when the queue runs dry, at every pumpOneMessage(),
//   and by repaintNow(). While redrawing is locked nothing is painted;
//   unlocking paints once.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/window/message_box.h"
#include "platform/window/number_entry_model.h"
#include "platform/window/splash_window.h"
#include "platform/window/window_events.h"
#include "platform/window/window_ids.h"
#include "platform/window/window_types.h"

namespace brisolt::platform {

// The two results a dialog conventionally ends with; the window logic may
// pass any other integer to endDialog() as well.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

struct ProgressRange {
  int lower = 0;
  int upper = 100;
  friend constexpr bool operator==(ProgressRange, ProgressRange) = default;
};

struct TextStripColours {
  Rgb text;
  Rgb background;
  friend constexpr bool operator==(TextStripColours, TextStripColours) = default;
};

// The About box: a caption, a picture and one line of text above an OK button.
struct AboutRequest {
  std::string caption;
  PictureId picture;
  std::string line;
  friend bool operator==(const AboutRequest&, const AboutRequest&) = default;
};

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  // ---- The face

  // The size of a picture, or nothing when there is no picture with that id.
  virtual std::optional<Size> pictureSize(PictureId picture) const = 0;
  // Draws the picture at the client origin as the window's face. False (and
  // the face unchanged) when there is no such picture.
  virtual bool setBackground(PictureId picture) = 0;
  // Sizes the client area; the face and every control are in client pixels.
  virtual void setClientSize(Size size) = 0;
  virtual Size clientSize() const = 0;
  virtual void setCaption(const std::string& text) = 0;
  // The window's icon; false when there is no such picture.
  virtual bool setIcon(PictureId picture) = 0;

  // ---- Picture controls (bitmap statics)

  virtual void createPictureControl(ControlId control, Rect place, PictureId picture, bool visible) = 0;
  // Swaps the control's image; an unknown picture leaves the control blank.
  virtual void setControlPicture(ControlId control, PictureId picture) = 0;
  // Releases the control's image; it shows nothing until the next swap.
  virtual void freeControlPicture(ControlId control) = 0;

  // ---- Every kind of control

  virtual void showControl(ControlId control) = 0;
  virtual void hideControl(ControlId control) = 0;
  virtual bool isControlVisible(ControlId control) const = 0;

  // ---- Progress controls
  // A new bar has range 0..100, position 0, step 10. The position always
  // stays within the range. Stepping past the upper end starts over at the
  // lower end.

  virtual void createProgressControl(ControlId control, Rect place, bool visible) = 0;
  virtual void setProgressRange(ControlId control, int lower, int upper) = 0;
  virtual void setProgressPosition(ControlId control, int position) = 0;
  virtual void setProgressStep(ControlId control, int step) = 0;
  virtual void stepProgress(ControlId control) = 0;
  virtual void setProgressBackgroundColour(ControlId control, Rgb colour) = 0;
  virtual void setProgressBarColour(ControlId control, Rgb colour) = 0;
  virtual ProgressRange progressRange(ControlId control) const = 0;
  virtual int progressPosition(ControlId control) const = 0;

  // ---- Read-only text strips

  virtual void createTextStrip(ControlId control, Rect place, TextStripColours colours, bool visible) = 0;
  virtual void setControlText(ControlId control, const std::string& text) = 0;

  // ---- Painting

  // Locks are counted: painting resumes when every lock is undone.
  virtual void lockRedraw() = 0;
  virtual void unlockRedraw() = 0;
  // Paints the window now (deferred to the unlock while redrawing is locked).
  virtual void repaintNow() = 0;

  // ---- Timers

  // Starts, or restarts with a new period, a timer that delivers onTimer()
  // every period. Ticks do not pile up: while one is pending no other is
  // added, and a killed timer delivers nothing more.
  virtual void startTimer(TimerId timer, std::chrono::milliseconds period) = 0;
  virtual void killTimer(TimerId timer) = 0;

  // ---- Boxes

  // Shows a modal message box over the window and returns the button pressed.
  virtual MessageBoxAnswer showMessageBox(const MessageBoxRequest& request) = 0;
  // Shows an entry for a number over the window, like a message box, until
  // Enter with digits the request's check accepts (their text) or Esc
  // (nothing). Nothing as well when no entry can be shown.
  virtual std::optional<std::string> askForNumber(const NumberEntryRequest& request) = 0;
  // Shows the About box until its OK is pressed.
  virtual void showAbout(const AboutRequest& request) = 0;

  // ---- Start-up

  // Makes a hidden splash window showing the picture; null when there is no
  // such picture.
  virtual std::unique_ptr<SplashWindow> createSplash(PictureId picture) = 0;
  // Sleeps until the wall clock reaches the deadline, keeping the windows on
  // screen painted. No message is dispatched to the handler meanwhile; what
  // arrives stays queued.
  virtual void waitUntil(std::chrono::system_clock::time_point deadline) = 0;

  // ---- The message loop

  // Calls events.onInitDialog(), shows the window and dispatches its messages
  // to events until endDialog() is called; then hides the window and returns
  // the result given to endDialog(). While it runs, platform::pumpOneMessage()
  // reaches this window's pumpOneMessage().
  virtual int runModal(WindowEvents& events) = 0;
  // Ends the dialog: runModal() returns once the message being handled is
  // done. The window keeps working until then.
  virtual void endDialog(int result) = 0;
  // Removes and dispatches at most one pending message of the main window.
  // True when one was dispatched. For long jobs that must stay responsive.
  virtual bool pumpOneMessage() = 0;
  // Queues a media notification; it arrives as onMediaNotification(flag).
  // Safe to call from any thread while the window exists.
  virtual void postMediaNotification(MediaNotification flag) = 0;
};

}  // namespace brisolt::platform
