// A DialogWindow that draws nothing and records everything, for tests of the
// window logic. It keeps the state of every control, the caption, icon and
// face, the timers, the message boxes shown (answered from a scripted queue),
// the About boxes, splashes, waits and endDialog() calls, and a journal of
// every call in order. Tests inject clicks, keys, timer ticks, close requests
// and media notifications into its queue and deliver them.
//
// Delivery: queue*() only adds to the queue; click(), pressKey(), tickTimer()
// and requestClose() add and then deliver everything queued. Messages go to
// the handler given to runModal() (or attach()). runModal() calls
// onInitDialog(), delivers what is queued until endDialog() is called, and
// returns the result, or kNotEnded when the queue ran dry first; the handler
// stays attached either way, so a test can go on injecting. While attached,
// platform::pumpOneMessage() reaches this window's pumpOneMessage(), which
// delivers at most one queued message (a tick of a timer that no longer runs
// is dropped, not delivered).
//
// Journal lines (see calls()), one per call, with " [locked]" appended while
// redrawing is locked:
//   "background 1072"  "client 650 x 600"  "caption TEXT"  "icon 208"
//   "create picture 1119 (105, 110) 240 x 35 944 shown|hidden"
//   "picture 1119 945"  "free 1119"  "show 1061"  "hide 1061"
//   "create progress 1052 (380, 225) 205 x 15 shown|hidden"
//   "range 1052 0..84"  "position 1052 0"  "step size 1052 1"  "step 1052"
//   "background colour 1052 rgb(150, 149, 147)"  "bar colour 1052 rgb(255, 0, 0)"
//   "create text 1064 (15, 530) 300 x 15 shown|hidden"  "text 1064 TEXT"
//   "lock"  "unlock"  "repaint"  "start timer 1 100 ms"  "kill timer 1"
//   "message box [CAPTION] TEXT"  "number entry [CAPTION] PROMPT"  "about [CAPTION] LINE"
//   "splash 1073"  "splash show"  "splash hide"  "splash destroyed"  "wait"
//   "end dialog 1"
// Misuse (an id never created or of another kind, a picture the program does
// not have) changes nothing and is listed in misuses().
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/dialog_window.h"
#include "platform/window/progress_bar_model.h"

namespace brisolt::platform {

class FakeDialogWindow final : public DialogWindow {
 public:
  static constexpr int kNotEnded = -1;

  struct PictureControl {
    Rect place;
    std::optional<PictureId> picture;  // empty after freeControlPicture()
    bool visible = false;
    int swaps = 0;  // setControlPicture() calls
    int frees = 0;  // freeControlPicture() calls
  };
  struct ProgressControl {
    Rect place;
    bool visible = false;
    ProgressBarModel model;
    int steps = 0;  // stepProgress() calls
  };
  struct TextStrip {
    Rect place;
    TextStripColours colours;
    std::string text;
    // The line the strip shows: the text fitted to the strip's width
    // between its insets, at kCharacterWidth pixels a character.
    std::string shown;
    bool visible = false;
  };
  static constexpr int kCharacterWidth = 6;
  static constexpr int kTextStripInset = 3;
  struct Splash {
    PictureId picture;
    bool visible = false;
    int shows = 0;
    bool destroyed = false;
  };

  FakeDialogWindow() = default;
  ~FakeDialogWindow() override;
  FakeDialogWindow(const FakeDialogWindow&) = delete;
  FakeDialogWindow& operator=(const FakeDialogWindow&) = delete;

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

  // ---- What was recorded
  const PictureControl* pictureControl(ControlId control) const;
  const ProgressControl* progressControl(ControlId control) const;
  const TextStrip* textStrip(ControlId control) const;
  // The picture a picture control shows now (nothing when freed or unknown).
  std::optional<PictureId> pictureOf(ControlId control) const;
  std::optional<PictureId> background() const { return background_; }
  const std::string& caption() const { return caption_; }
  std::optional<PictureId> icon() const { return icon_; }
  bool isShown() const { return shown_; }  // between runModal()'s init and its return

  bool isTimerRunning(TimerId timer) const { return timers_.contains(timer); }
  std::optional<std::chrono::milliseconds> timerPeriod(TimerId timer) const;

  const std::vector<MessageBoxRequest>& messageBoxes() const { return messageBoxes_; }
  // Scripts the answer of the next message box not yet answered. Boxes
  // beyond the script are answered MessageBoxAnswer::kNone.
  void queueAnswer(MessageBoxAnswer answer) { answers_.push_back(answer); }
  std::size_t unusedAnswers() const { return answers_.size(); }
  const std::vector<AboutRequest>& aboutBoxes() const { return aboutBoxes_; }

  // Number entries: the next one not yet shown gets these keystrokes typed
  // into it (digits as digits, '\b' as Backspace, '\n' as Enter, '\x1b' as
  // Esc, anything else as a refused key), then Esc if it is still open.
  // Entries beyond the script are left with Esc.
  void queueEntryKeys(std::string keys) { entryKeys_.push_back(std::move(keys)); }
  struct EntrySeen {
    NumberEntryRequest request;
    std::vector<std::string> problems;  // every refusal it showed, in order
    std::optional<std::string> result;
  };
  const std::vector<EntrySeen>& entries() const { return entries_; }

  const std::vector<int>& endDialogCalls() const { return endDialogCalls_; }
  // The result of the first endDialog(), or nothing.
  std::optional<int> result() const;

  int lockDepth() const { return lockDepth_; }
  // Paints: repaintNow() while unlocked, and each unlock that ends locking.
  int paintCount() const { return paintCount_; }

  const std::vector<Splash>& splashes() const { return splashes_; }
  const std::vector<std::chrono::system_clock::time_point>& waits() const { return waits_; }

  const std::vector<std::string>& calls() const { return calls_; }
  void clearCalls() { calls_.clear(); }
  const std::vector<std::string>& misuses() const { return misuses_; }

  // ---- Injection and delivery
  void queueClick(int x, int y);
  void queueKey(KeyPress key);
  void queueTimerTick(TimerId timer);
  void queueClose();
  void click(int x, int y);
  void pressKey(KeyPress key);
  void tickTimer(TimerId timer);
  void requestClose();

  // Attaches the handler without running the dialog's initialisation.
  void attach(WindowEvents& events);
  // Delivers everything queued (and what handlers queue meanwhile); returns
  // how many messages were delivered.
  int dispatchPending();
  std::size_t pendingMessages() const;
  int pumpCalls() const { return pumpCalls_; }
  int pumpedMessages() const { return pumpedMessages_; }

 private:
  class FakeSplash;
  enum class MessageKind { kClick, kKey, kTimer, kMedia, kClose };
  struct Message {
    MessageKind kind = MessageKind::kClick;
    int x = 0;
    int y = 0;
    KeyPress key;
    TimerId timer;
    MediaNotification flag = MediaNotification::kSuccessful;
  };

  void record(const std::string& line);
  void misuse(const std::string& what);
  PictureControl* findPictureControl(ControlId control, const char* operation);
  ProgressControl* findProgress(ControlId control, const char* operation);
  bool knownPicture(PictureId picture, const char* operation);
  void queue(const Message& message);
  std::optional<Message> takeMessage();
  bool deliver(const Message& message);
  void installPump();

  std::optional<PictureId> background_;
  Size clientSize_;
  std::string caption_;
  std::optional<PictureId> icon_;
  std::map<ControlId, PictureControl> pictures_;
  std::map<ControlId, ProgressControl> progress_;
  std::map<ControlId, TextStrip> texts_;
  std::map<TimerId, std::chrono::milliseconds> timers_;
  std::vector<MessageBoxRequest> messageBoxes_;
  std::deque<MessageBoxAnswer> answers_;
  std::deque<std::string> entryKeys_;
  std::vector<EntrySeen> entries_;
  std::vector<AboutRequest> aboutBoxes_;
  std::vector<int> endDialogCalls_;
  std::vector<Splash> splashes_;
  std::vector<std::chrono::system_clock::time_point> waits_;
  std::vector<std::string> calls_;
  std::vector<std::string> misuses_;
  int lockDepth_ = 0;
  int paintCount_ = 0;
  bool shown_ = false;
  bool pumpInstalled_ = false;
  WindowEvents* events_ = nullptr;
  mutable std::mutex queueMutex_;
  std::deque<Message> queue_;
  int pumpCalls_ = 0;
  int pumpedMessages_ = 0;
};

}  // namespace brisolt::platform
