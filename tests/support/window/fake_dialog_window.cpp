// The recording fake of the main window.
#include "tests/support/window/fake_dialog_window.h"

#include <sstream>

#include "platform/message_pump.h"
#include "platform/window/picture_catalog.h"
#include "platform/window/text_strip_line.h"

namespace brisolt::platform {
namespace {

std::string describePlace(ControlId control, Rect place) {
  std::ostringstream out;
  out << control.value << " " << place;
  return out.str();
}

const char* shownWord(bool visible) { return visible ? "shown" : "hidden"; }

std::string colourText(Rgb colour) {
  std::ostringstream out;
  out << colour;
  return out.str();
}

}  // namespace

class FakeDialogWindow::FakeSplash final : public SplashWindow {
 public:
  FakeSplash(FakeDialogWindow& window, std::size_t index) : window_(window), index_(index) {}
  ~FakeSplash() override {
    window_.splashes_[index_].destroyed = true;
    window_.splashes_[index_].visible = false;
    window_.record("splash destroyed");
  }
  void show() override {
    auto& splash = window_.splashes_[index_];
    splash.visible = true;
    ++splash.shows;
    window_.record("splash show");
  }
  void hide() override {
    window_.splashes_[index_].visible = false;
    window_.record("splash hide");
  }
  bool isVisible() const override { return window_.splashes_[index_].visible; }

 private:
  FakeDialogWindow& window_;
  std::size_t index_;
};

FakeDialogWindow::~FakeDialogWindow() {
  if (pumpInstalled_) setMessagePump({});
}

void FakeDialogWindow::record(const std::string& line) {
  calls_.push_back(lockDepth_ > 0 && line != "lock" && line != "unlock" ? line + " [locked]" : line);
}

void FakeDialogWindow::misuse(const std::string& what) { misuses_.push_back(what); }

FakeDialogWindow::PictureControl* FakeDialogWindow::findPictureControl(ControlId control, const char* operation) {
  const auto found = pictures_.find(control);
  if (found != pictures_.end()) return &found->second;
  misuse(std::string(operation) + ": control " + std::to_string(control.value) + " is no picture control");
  return nullptr;
}

FakeDialogWindow::ProgressControl* FakeDialogWindow::findProgress(ControlId control, const char* operation) {
  const auto found = progress_.find(control);
  if (found != progress_.end()) return &found->second;
  misuse(std::string(operation) + ": control " + std::to_string(control.value) + " is no progress control");
  return nullptr;
}

bool FakeDialogWindow::knownPicture(PictureId picture, const char* operation) {
  if (findPicture(picture)) return true;
  misuse(std::string(operation) + ": the program has no picture " + std::to_string(picture.value));
  return false;
}

std::optional<Size> FakeDialogWindow::pictureSize(PictureId picture) const {
  const PictureEntry* entry = findPicture(picture);
  if (!entry) return std::nullopt;
  return entry->size;
}

bool FakeDialogWindow::setBackground(PictureId picture) {
  record("background " + std::to_string(picture.value));
  if (!knownPicture(picture, "setBackground")) return false;
  background_ = picture;
  return true;
}

void FakeDialogWindow::setClientSize(Size size) {
  std::ostringstream line;
  line << "client " << size;
  record(line.str());
  clientSize_ = size;
}

void FakeDialogWindow::setCaption(const std::string& text) {
  record("caption " + text);
  caption_ = text;
}

bool FakeDialogWindow::setIcon(PictureId picture) {
  record("icon " + std::to_string(picture.value));
  if (!knownPicture(picture, "setIcon")) return false;
  icon_ = picture;
  return true;
}

void FakeDialogWindow::createPictureControl(ControlId control, Rect place, PictureId picture, bool visible) {
  record("create picture " + describePlace(control, place) + " " + std::to_string(picture.value) + " " +
         shownWord(visible));
  if (progress_.contains(control) || texts_.contains(control)) {
    misuse("createPictureControl: control " + std::to_string(control.value) + " is already of another kind");
    return;
  }
  PictureControl& made = pictures_[control];
  made.place = place;
  made.visible = visible;
  made.picture = knownPicture(picture, "createPictureControl") ? std::optional(picture) : std::nullopt;
}

void FakeDialogWindow::setControlPicture(ControlId control, PictureId picture) {
  record("picture " + std::to_string(control.value) + " " + std::to_string(picture.value));
  PictureControl* found = findPictureControl(control, "setControlPicture");
  if (!found) return;
  ++found->swaps;
  found->picture = knownPicture(picture, "setControlPicture") ? std::optional(picture) : std::nullopt;
}

void FakeDialogWindow::freeControlPicture(ControlId control) {
  record("free " + std::to_string(control.value));
  PictureControl* found = findPictureControl(control, "freeControlPicture");
  if (!found) return;
  ++found->frees;
  found->picture.reset();
}

void FakeDialogWindow::showControl(ControlId control) {
  record("show " + std::to_string(control.value));
  if (auto p = pictures_.find(control); p != pictures_.end()) p->second.visible = true;
  else if (auto b = progress_.find(control); b != progress_.end()) b->second.visible = true;
  else if (auto t = texts_.find(control); t != texts_.end()) t->second.visible = true;
  else misuse("showControl: control " + std::to_string(control.value) + " was never created");
}

void FakeDialogWindow::hideControl(ControlId control) {
  record("hide " + std::to_string(control.value));
  if (auto p = pictures_.find(control); p != pictures_.end()) p->second.visible = false;
  else if (auto b = progress_.find(control); b != progress_.end()) b->second.visible = false;
  else if (auto t = texts_.find(control); t != texts_.end()) t->second.visible = false;
  else misuse("hideControl: control " + std::to_string(control.value) + " was never created");
}

bool FakeDialogWindow::isControlVisible(ControlId control) const {
  if (auto p = pictures_.find(control); p != pictures_.end()) return p->second.visible;
  if (auto b = progress_.find(control); b != progress_.end()) return b->second.visible;
  if (auto t = texts_.find(control); t != texts_.end()) return t->second.visible;
  return false;
}

void FakeDialogWindow::createProgressControl(ControlId control, Rect place, bool visible) {
  record("create progress " + describePlace(control, place) + " " + shownWord(visible));
  if (pictures_.contains(control) || texts_.contains(control)) {
    misuse("createProgressControl: control " + std::to_string(control.value) + " is already of another kind");
    return;
  }
  ProgressControl& made = progress_[control];
  made.place = place;
  made.visible = visible;
}

void FakeDialogWindow::setProgressRange(ControlId control, int lower, int upper) {
  record("range " + std::to_string(control.value) + " " + std::to_string(lower) + ".." + std::to_string(upper));
  if (ProgressControl* bar = findProgress(control, "setProgressRange")) bar->model.setRange(lower, upper);
}

void FakeDialogWindow::setProgressPosition(ControlId control, int position) {
  record("position " + std::to_string(control.value) + " " + std::to_string(position));
  if (ProgressControl* bar = findProgress(control, "setProgressPosition")) bar->model.setPosition(position);
}

void FakeDialogWindow::setProgressStep(ControlId control, int step) {
  record("step size " + std::to_string(control.value) + " " + std::to_string(step));
  if (ProgressControl* bar = findProgress(control, "setProgressStep")) bar->model.setStep(step);
}

void FakeDialogWindow::stepProgress(ControlId control) {
  record("step " + std::to_string(control.value));
  if (ProgressControl* bar = findProgress(control, "stepProgress")) {
    bar->model.step();
    ++bar->steps;
  }
}

void FakeDialogWindow::setProgressBackgroundColour(ControlId control, Rgb colour) {
  record("background colour " + std::to_string(control.value) + " " + colourText(colour));
  if (ProgressControl* bar = findProgress(control, "setProgressBackgroundColour")) bar->model.setBackground(colour);
}

void FakeDialogWindow::setProgressBarColour(ControlId control, Rgb colour) {
  record("bar colour " + std::to_string(control.value) + " " + colourText(colour));
  if (ProgressControl* bar = findProgress(control, "setProgressBarColour")) bar->model.setBar(colour);
}

ProgressRange FakeDialogWindow::progressRange(ControlId control) const {
  const auto found = progress_.find(control);
  return found == progress_.end() ? ProgressRange{0, 0} : found->second.model.range();
}

int FakeDialogWindow::progressPosition(ControlId control) const {
  const auto found = progress_.find(control);
  return found == progress_.end() ? 0 : found->second.model.position();
}

void FakeDialogWindow::createTextStrip(ControlId control, Rect place, TextStripColours colours, bool visible) {
  record("create text " + describePlace(control, place) + " " + shownWord(visible));
  if (pictures_.contains(control) || progress_.contains(control)) {
    misuse("createTextStrip: control " + std::to_string(control.value) + " is already of another kind");
    return;
  }
  TextStrip& made = texts_[control];
  made.place = place;
  made.colours = colours;
  made.visible = visible;
}

void FakeDialogWindow::setControlText(ControlId control, const std::string& text) {
  record("text " + std::to_string(control.value) + " " + text);
  const auto found = texts_.find(control);
  if (found == texts_.end()) {
    misuse("setControlText: control " + std::to_string(control.value) + " is no text strip");
    return;
  }
  found->second.text = text;
  const auto characterWidths = [](std::string_view utf8) {
    int characters = 0;
    for (const char byte : utf8) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return characters * kCharacterWidth;
  };
  found->second.shown = fitTextStripLine(text, found->second.place.width - 2 * kTextStripInset, characterWidths);
}

void FakeDialogWindow::lockRedraw() {
  record("lock");
  ++lockDepth_;
}

void FakeDialogWindow::unlockRedraw() {
  record("unlock");
  if (lockDepth_ == 0) {
    misuse("unlockRedraw: redrawing was not locked");
    return;
  }
  if (--lockDepth_ == 0) ++paintCount_;
}

void FakeDialogWindow::repaintNow() {
  record("repaint");
  if (lockDepth_ == 0) ++paintCount_;
}

void FakeDialogWindow::startTimer(TimerId timer, std::chrono::milliseconds period) {
  record("start timer " + std::to_string(timer.value) + " " + std::to_string(period.count()) + " ms");
  timers_[timer] = period;
}

void FakeDialogWindow::killTimer(TimerId timer) {
  record("kill timer " + std::to_string(timer.value));
  timers_.erase(timer);
}

std::optional<std::chrono::milliseconds> FakeDialogWindow::timerPeriod(TimerId timer) const {
  const auto found = timers_.find(timer);
  if (found == timers_.end()) return std::nullopt;
  return found->second;
}

MessageBoxAnswer FakeDialogWindow::showMessageBox(const MessageBoxRequest& request) {
  record("message box [" + request.caption + "] " + request.text);
  messageBoxes_.push_back(request);
  if (answers_.empty()) return MessageBoxAnswer::kNone;
  const MessageBoxAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::string> FakeDialogWindow::askForNumber(const NumberEntryRequest& request) {
  record("number entry [" + request.caption + "] " + request.prompt);
  EntrySeen seen{request, {}, std::nullopt};
  NumberEntryModel model(request);
  std::string keys;
  if (!entryKeys_.empty()) {
    keys = entryKeys_.front();
    entryKeys_.pop_front();
  }
  std::optional<EntryEnd> end;
  for (const char c : keys) {
    if (c >= '0' && c <= '9') end = model.key(EntryKey::kDigit, c);
    else if (c == '\b') end = model.key(EntryKey::kBackspace);
    else if (c == '\n') end = model.key(EntryKey::kEnter);
    else if (c == '\x1b') end = model.key(EntryKey::kEscape);
    else end = model.key(EntryKey::kOther, c);
    if (end) break;
    if (!model.problem().empty()) seen.problems.push_back(model.problem());
  }
  if (end == EntryEnd::kAccepted) seen.result = model.digits();
  entries_.push_back(seen);
  return seen.result;
}

void FakeDialogWindow::showAbout(const AboutRequest& request) {
  record("about [" + request.caption + "] " + request.line);
  knownPicture(request.picture, "showAbout");
  aboutBoxes_.push_back(request);
}

std::unique_ptr<SplashWindow> FakeDialogWindow::createSplash(PictureId picture) {
  record("splash " + std::to_string(picture.value));
  if (!knownPicture(picture, "createSplash")) return nullptr;
  splashes_.push_back({picture, false, 0, false});
  return std::make_unique<FakeSplash>(*this, splashes_.size() - 1);
}

void FakeDialogWindow::waitUntil(std::chrono::system_clock::time_point deadline) {
  record("wait");
  waits_.push_back(deadline);
}

std::optional<int> FakeDialogWindow::result() const {
  if (endDialogCalls_.empty()) return std::nullopt;
  return endDialogCalls_.front();
}

void FakeDialogWindow::installPump() {
  if (pumpInstalled_) return;
  setMessagePump([this] { pumpOneMessage(); });
  pumpInstalled_ = true;
}

void FakeDialogWindow::attach(WindowEvents& events) {
  events_ = &events;
  installPump();
}

int FakeDialogWindow::runModal(WindowEvents& events) {
  attach(events);
  events.onInitDialog();
  if (!endDialogCalls_.empty()) return endDialogCalls_.front();
  shown_ = true;
  while (endDialogCalls_.empty()) {
    const std::optional<Message> next = takeMessage();
    if (!next) return kNotEnded;
    deliver(*next);
  }
  shown_ = false;
  return endDialogCalls_.front();
}

void FakeDialogWindow::endDialog(int result) {
  record("end dialog " + std::to_string(result));
  endDialogCalls_.push_back(result);
}

void FakeDialogWindow::queue(const Message& message) {
  const std::lock_guard lock(queueMutex_);
  queue_.push_back(message);
}

std::optional<FakeDialogWindow::Message> FakeDialogWindow::takeMessage() {
  const std::lock_guard lock(queueMutex_);
  if (queue_.empty()) return std::nullopt;
  Message next = queue_.front();
  queue_.pop_front();
  return next;
}

std::size_t FakeDialogWindow::pendingMessages() const {
  const std::lock_guard lock(queueMutex_);
  return queue_.size();
}

bool FakeDialogWindow::deliver(const Message& message) {
  if (!events_) {
    misuse("a message was delivered with no handler attached");
    return false;
  }
  switch (message.kind) {
    case MessageKind::kClick: events_->onLeftButtonDown(message.x, message.y); return true;
    case MessageKind::kKey: events_->onKeyDown(message.key); return true;
    case MessageKind::kTimer:
      if (!timers_.contains(message.timer)) return false;
      events_->onTimer(message.timer);
      return true;
    case MessageKind::kMedia: events_->onMediaNotification(message.flag); return true;
    case MessageKind::kClose: events_->onCloseRequest(); return true;
  }
  return false;
}

bool FakeDialogWindow::pumpOneMessage() {
  ++pumpCalls_;
  while (const std::optional<Message> next = takeMessage()) {
    if (deliver(*next)) {
      ++pumpedMessages_;
      return true;
    }
  }
  return false;
}

int FakeDialogWindow::dispatchPending() {
  int delivered = 0;
  while (const std::optional<Message> next = takeMessage()) {
    if (deliver(*next)) ++delivered;
  }
  return delivered;
}

void FakeDialogWindow::postMediaNotification(MediaNotification flag) {
  Message message;
  message.kind = MessageKind::kMedia;
  message.flag = flag;
  queue(message);
}

void FakeDialogWindow::queueClick(int x, int y) {
  Message message;
  message.kind = MessageKind::kClick;
  message.x = x;
  message.y = y;
  queue(message);
}

void FakeDialogWindow::queueKey(KeyPress key) {
  Message message;
  message.kind = MessageKind::kKey;
  message.key = key;
  queue(message);
}

void FakeDialogWindow::queueTimerTick(TimerId timer) {
  Message message;
  message.kind = MessageKind::kTimer;
  message.timer = timer;
  queue(message);
}

void FakeDialogWindow::queueClose() {
  Message message;
  message.kind = MessageKind::kClose;
  queue(message);
}

void FakeDialogWindow::click(int x, int y) {
  queueClick(x, y);
  dispatchPending();
}

void FakeDialogWindow::pressKey(KeyPress key) {
  queueKey(key);
  dispatchPending();
}

void FakeDialogWindow::tickTimer(TimerId timer) {
  queueTimerTick(timer);
  dispatchPending();
}

void FakeDialogWindow::requestClose() {
  queueClose();
  dispatchPending();
}

const FakeDialogWindow::PictureControl* FakeDialogWindow::pictureControl(ControlId control) const {
  const auto found = pictures_.find(control);
  return found == pictures_.end() ? nullptr : &found->second;
}

const FakeDialogWindow::ProgressControl* FakeDialogWindow::progressControl(ControlId control) const {
  const auto found = progress_.find(control);
  return found == progress_.end() ? nullptr : &found->second;
}

const FakeDialogWindow::TextStrip* FakeDialogWindow::textStrip(ControlId control) const {
  const auto found = texts_.find(control);
  return found == texts_.end() ? nullptr : &found->second;
}

std::optional<PictureId> FakeDialogWindow::pictureOf(ControlId control) const {
  const PictureControl* found = pictureControl(control);
  return found ? found->picture : std::nullopt;
}

}  // namespace brisolt::platform
