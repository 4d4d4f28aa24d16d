// The main window on SDL2: controls, painting, the modal loop and its pump.
#include "platform/window/sdl/sdl_dialog_window.h"

#include <algorithm>
#include <thread>

#include "platform/message_pump.h"
#include "platform/window/pictures/canvas.h"
#include "platform/window/picture_catalog.h"
#include "platform/window/sdl/about_box_face.h"
#include "platform/window/sdl/message_box_face.h"
#include "platform/window/sdl/sdl_key_map.h"
#include "platform/window/sdl/sdl_message_box.h"
#include "platform/window/sdl/sdl_splash_window.h"
#include "platform/window/sdl/text_strip_face.h"

namespace brisolt::platform {
namespace {

constexpr auto kLongestWait = std::chrono::milliseconds{250};
constexpr auto kSplashWaitSlice = std::chrono::milliseconds{20};
// A render asks for the pump thousands of times a second (once a note);
// looking at the queue and repainting that often costs more than the render
// itself. Fifty times a second keeps Stop prompt; ten repaints a second are
// enough for the bar and the digits, and leave the job the processor.
constexpr auto kJobPumpInterval = std::chrono::milliseconds{20};
constexpr auto kJobPaintInterval = std::chrono::milliseconds{100};

Uint32 mapped(const SDL_Surface* surface, Rgb colour) {
  return SDL_MapRGB(surface->format, colour.red, colour.green, colour.blue);
}

Rgb lighter(Rgb colour, int amount) {
  auto up = [amount](std::uint8_t c) { return static_cast<std::uint8_t>(std::min(255, c + amount)); };
  return {up(colour.red), up(colour.green), up(colour.blue)};
}

Rgb darker(Rgb colour, int amount) {
  auto down = [amount](std::uint8_t c) { return static_cast<std::uint8_t>(std::max(0, c - amount)); };
  return {down(colour.red), down(colour.green), down(colour.blue)};
}

void fill(SDL_Surface* surface, Rect area, Rgb colour) {
  if (area.width <= 0 || area.height <= 0) return;
  SDL_Rect rect{area.x, area.y, area.width, area.height};
  SDL_FillRect(surface, &rect, mapped(surface, colour));
}

}  // namespace

std::unique_ptr<SdlDialogWindow> SdlDialogWindow::create(const PictureLibrary& pictures, std::string& error) {
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The face is drawn by our own code into a surface; handing it to the
  // display through an OpenGL texture only adds work, and with a software
  // OpenGL (Mesa's llvmpipe, as on a virtual screen) its threads took a
  // fifth of the time of a Generate. The variable of the same name still
  // decides when it is set.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = std::string("Cannot start the display: ") + SDL_GetError() +
            ". Run Brisolt on a desktop, or set SDL_VIDEODRIVER=dummy for a run without one.";
    return nullptr;
  }
  const Uint32 mediaEvent = SDL_RegisterEvents(1);
  SDL_Window* window = SDL_CreateWindow("Brisolt", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kFaceSize.width,
                                        kFaceSize.height, SDL_WINDOW_HIDDEN);
  if (mediaEvent == static_cast<Uint32>(-1) || !window) {
    error = std::string("Cannot open the Brisolt window: ") + SDL_GetError();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  std::unique_ptr<SdlDialogWindow> made(new SdlDialogWindow(pictures, window, mediaEvent));
  if (!made->frame_) {
    error = std::string("Cannot make the window's frame: ") + SDL_GetError();
    return nullptr;
  }
  return made;
}

SdlDialogWindow::SdlDialogWindow(const PictureLibrary& pictures, SDL_Window* window, Uint32 mediaEvent)
    : pictures_(pictures), window_(window), mediaEvent_(mediaEvent) {
  setClientSize(kFaceSize);
}

SdlDialogWindow::~SdlDialogWindow() {
  if (events_) setMessagePump({});
  if (frame_) SDL_FreeSurface(frame_);
  SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// ---- The face

std::optional<Size> SdlDialogWindow::pictureSize(PictureId picture) const { return pictures_.size(picture); }

bool SdlDialogWindow::setBackground(PictureId picture) {
  SDL_Surface* found = pictures_.find(picture);
  if (!found) return false;
  background_ = found;
  changed();
  return true;
}

void SdlDialogWindow::setClientSize(Size size) {
  if (size.width <= 0 || size.height <= 0) return;
  SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, size.width, size.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!frame) return;
  if (frame_) SDL_FreeSurface(frame_);
  frame_ = frame;
  clientSize_ = size;
  SDL_SetWindowSize(window_, size.width, size.height);
  changed();
}

void SdlDialogWindow::setCaption(const std::string& text) { SDL_SetWindowTitle(window_, text.c_str()); }

bool SdlDialogWindow::setIcon(PictureId picture) {
  SDL_Surface* found = pictures_.find(picture);
  if (!found) return false;
  SDL_SetWindowIcon(window_, found);
  return true;
}

// ---- Controls

SdlDialogWindow::Control* SdlDialogWindow::find(ControlId control, ControlKind kind) {
  const auto found = controls_.find(control);
  return found != controls_.end() && found->second.kind == kind ? &found->second : nullptr;
}

const SdlDialogWindow::Control* SdlDialogWindow::find(ControlId control, ControlKind kind) const {
  const auto found = controls_.find(control);
  return found != controls_.end() && found->second.kind == kind ? &found->second : nullptr;
}

SdlDialogWindow::Control& SdlDialogWindow::make(ControlId control, ControlKind kind, Rect place, bool visible) {
  auto [it, made] = controls_.try_emplace(control);
  if (made) drawOrder_.push_back(control);
  if (made || it->second.kind != kind) it->second = Control{};
  it->second.kind = kind;
  it->second.place = place;
  it->second.visible = visible;
  changed();
  return it->second;
}

void SdlDialogWindow::createPictureControl(ControlId control, Rect place, PictureId picture, bool visible) {
  make(control, ControlKind::kPicture, place, visible).image = pictures_.find(picture);
}

void SdlDialogWindow::setControlPicture(ControlId control, PictureId picture) {
  if (Control* found = find(control, ControlKind::kPicture)) {
    found->image = pictures_.find(picture);
    changed();
  }
}

void SdlDialogWindow::freeControlPicture(ControlId control) {
  // The pictures belong to the library for the whole run; freeing only lets
  // go of the control's hold on one.
  if (Control* found = find(control, ControlKind::kPicture)) {
    found->image = nullptr;
    changed();
  }
}

void SdlDialogWindow::showControl(ControlId control) {
  if (const auto found = controls_.find(control); found != controls_.end() && !found->second.visible) {
    found->second.visible = true;
    changed();
  }
}

void SdlDialogWindow::hideControl(ControlId control) {
  if (const auto found = controls_.find(control); found != controls_.end() && found->second.visible) {
    found->second.visible = false;
    changed();
  }
}

bool SdlDialogWindow::isControlVisible(ControlId control) const {
  const auto found = controls_.find(control);
  return found != controls_.end() && found->second.visible;
}

template <typename Change>
void SdlDialogWindow::changeProgress(ControlId control, Change change) {
  if (Control* found = find(control, ControlKind::kProgress)) {
    change(found->progress);
    changed();
  }
}

void SdlDialogWindow::createProgressControl(ControlId control, Rect place, bool visible) {
  make(control, ControlKind::kProgress, place, visible);
}

void SdlDialogWindow::setProgressRange(ControlId control, int lower, int upper) {
  changeProgress(control, [&](ProgressBarModel& progress) { progress.setRange(lower, upper); });
}

void SdlDialogWindow::setProgressPosition(ControlId control, int position) {
  changeProgress(control, [&](ProgressBarModel& progress) { progress.setPosition(position); });
}

void SdlDialogWindow::setProgressStep(ControlId control, int step) {
  if (Control* found = find(control, ControlKind::kProgress)) found->progress.setStep(step);
}

void SdlDialogWindow::stepProgress(ControlId control) {
  changeProgress(control, [](ProgressBarModel& progress) { progress.step(); });
}

void SdlDialogWindow::setProgressBackgroundColour(ControlId control, Rgb colour) {
  changeProgress(control, [&](ProgressBarModel& progress) { progress.setBackground(colour); });
}

void SdlDialogWindow::setProgressBarColour(ControlId control, Rgb colour) {
  changeProgress(control, [&](ProgressBarModel& progress) { progress.setBar(colour); });
}

ProgressRange SdlDialogWindow::progressRange(ControlId control) const {
  const Control* found = find(control, ControlKind::kProgress);
  return found ? found->progress.range() : ProgressRange{0, 0};
}

int SdlDialogWindow::progressPosition(ControlId control) const {
  const Control* found = find(control, ControlKind::kProgress);
  return found ? found->progress.position() : 0;
}

void SdlDialogWindow::createTextStrip(ControlId control, Rect place, TextStripColours colours, bool visible) {
  make(control, ControlKind::kText, place, visible).colours = colours;
}

void SdlDialogWindow::setControlText(ControlId control, const std::string& text) {
  if (Control* found = find(control, ControlKind::kText)) {
    // Fitted once here, not at every repaint.
    found->text = text_strip_face::fittedLine(text, found->place, pictures_.fonts());
    changed();
  }
}

// ---- Painting

void SdlDialogWindow::lockRedraw() { ++lockDepth_; }

void SdlDialogWindow::unlockRedraw() {
  if (lockDepth_ == 0) return;
  if (--lockDepth_ == 0) paintIfDirty();
}

void SdlDialogWindow::repaintNow() {
  changed();
  paintIfDirty();
}

void SdlDialogWindow::paintIfDirty() {
  if (dirty_ && lockDepth_ == 0) paint();
}

void SdlDialogWindow::drawControl(const Control& control) {
  const Rect place = control.place;
  switch (control.kind) {
    case ControlKind::kPicture: {
      if (!control.image) return;
      SDL_Rect from{0, 0, std::min(place.width, control.image->w), std::min(place.height, control.image->h)};
      SDL_Rect to{place.x, place.y, from.w, from.h};
      SDL_BlitSurface(control.image, &from, frame_, &to);
      return;
    }
    case ControlKind::kProgress: {
      const Rgb back = control.progress.background();
      const Rgb bar = control.progress.bar();
      fill(frame_, place, darker(back, 70));
      fill(frame_, {place.x + 1, place.y + 1, place.width - 2, place.height - 2}, back);
      const int inner = place.width - 4;
      const int filled = static_cast<int>(inner * control.progress.fraction() + 0.5);
      fill(frame_, {place.x + 2, place.y + 2, filled, place.height - 4}, bar);
      fill(frame_, {place.x + 2, place.y + 2, filled, 1}, lighter(bar, 70));
      fill(frame_, {place.x + 2, place.y + place.height - 3, filled, 1}, darker(bar, 60));
      return;
    }
    case ControlKind::kText:
      text_strip_face::paint(frame_, pictures_.fonts(), place, control.colours, control.text);
      return;
  }
}

void SdlDialogWindow::paint() {
  SDL_FillRect(frame_, nullptr, mapped(frame_, {0, 0, 0}));
  if (background_) SDL_BlitSurface(background_, nullptr, frame_, nullptr);
  for (ControlId id : drawOrder_) {
    const Control& control = controls_.at(id);
    if (control.visible) drawControl(control);
  }
  if (box_) drawBox();
  if (SDL_Surface* target = SDL_GetWindowSurface(window_)) {
    SDL_BlitSurface(frame_, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window_);
  }
  ++framesPainted_;
  dirty_ = false;
}

Rgb SdlDialogWindow::pixelAt(int x, int y) const {
  if (!frame_ || x < 0 || y < 0 || x >= frame_->w || y >= frame_->h) return {};
  const auto* row = static_cast<const Uint8*>(frame_->pixels) + y * frame_->pitch;
  const Uint32 value = reinterpret_cast<const Uint32*>(row)[x];
  Rgb colour;
  SDL_GetRGB(value, frame_->format, &colour.red, &colour.green, &colour.blue);
  return colour;
}

// ---- Timers

void SdlDialogWindow::startTimer(TimerId timer, std::chrono::milliseconds period) {
  timers_.start(timer, period, TimerSchedule::Clock::now());
}

void SdlDialogWindow::killTimer(TimerId timer) { timers_.kill(timer); }

// ---- Boxes

void SdlDialogWindow::discardInput() {
  // Clicks and keys aimed at the window while a box covered it are dropped,
  // as a disabled owner window would drop them.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
}

void SdlDialogWindow::drawBox() {
  // The face dims to three quarters of its light behind the box.
  for (int y = 0; y < frame_->h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(frame_->pixels) + y * frame_->pitch);
    for (int x = 0; x < frame_->w; ++x) {
      const Uint32 p = row[x];
      row[x] = 0xFF000000u | (((p >> 1) & 0x7F7F7Fu) + ((p >> 2) & 0x3F3F3Fu));
    }
  }
  const Rect box = box_->box();
  fill(frame_, {box.x + 3, box.y + 4, box.width, box.height}, {0, 0, 0});  // its shadow
  Canvas canvas({box.width, box.height});
  if (!canvas.valid()) return;
  message_box_face::paint(canvas, pictures_.fonts(), *box_);
  SDL_Rect to{box.x, box.y, box.width, box.height};
  SDL_BlitSurface(canvas.surface(), nullptr, frame_, &to);
}

MessageBoxAnswer SdlDialogWindow::showMessageBox(const MessageBoxRequest& request) {
  if (!driverCanShowBoxes()) {
    reportUnshownBox(request);
    return MessageBoxAnswer::kNone;
  }
  // A box needs the window under it, even before the dialog shows itself.
  const bool wasHidden = (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) == 0;
  if (wasHidden) SDL_ShowWindow(window_);
  MessageBoxModel model = message_box_face::layout(request, clientSize_, pictures_.fonts());
  MessageBoxModel* const below = box_;  // a box asked for while another is open goes on top
  box_ = &model;
  paint();  // even while redrawing is locked: the box must be seen
  const MessageBoxAnswer answer = runBox(model);
  box_ = below;
  if (wasHidden) SDL_HideWindow(window_);
  discardInput();
  repaintNow();
  return answer;
}

namespace {

// The entry as a box: the prompt, the digits typed with a caret, and the
// reason the last key or Enter was refused.
MessageBoxRequest entryBox(const NumberEntryModel& entry) {
  std::string text = entry.request().prompt + "\n\n    " + entry.digits() + "_";
  if (!entry.problem().empty()) text += "\n\n" + entry.problem();
  return {entry.request().caption, text, MessageBoxIcon::kQuestion, MessageBoxButtons::kOk};
}

}  // namespace

std::optional<EntryEnd> SdlDialogWindow::entryKey(NumberEntryModel& entry, const SDL_Keysym& key) {
  if (key.sym >= SDLK_0 && key.sym <= SDLK_9) return entry.key(EntryKey::kDigit, static_cast<char>(key.sym));
  if (key.sym >= SDLK_KP_1 && key.sym <= SDLK_KP_9)
    return entry.key(EntryKey::kDigit, static_cast<char>('1' + (key.sym - SDLK_KP_1)));
  switch (key.sym) {
    case SDLK_KP_0: return entry.key(EntryKey::kDigit, '0');
    case SDLK_BACKSPACE: return entry.key(EntryKey::kBackspace);
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return entry.key(EntryKey::kEnter);
    case SDLK_ESCAPE: return entry.key(EntryKey::kEscape);
    default: return entry.key(EntryKey::kOther);
  }
}

std::optional<std::string> SdlDialogWindow::askForNumber(const NumberEntryRequest& request) {
  NumberEntryModel entry(request);
  if (!driverCanShowBoxes()) {
    reportUnshownBox(entryBox(entry));
    return std::nullopt;
  }
  MessageBoxModel model = message_box_face::layout(entryBox(entry), clientSize_, pictures_.fonts());
  MessageBoxModel* const below = box_;
  box_ = &model;
  paint();
  std::optional<EntryEnd> end;
  while (!end) {
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, 250)) continue;
    switch (event.type) {
      case SDL_KEYDOWN:
        if (!isMainWindowEvent(event.key.windowID)) break;
        end = entryKey(entry, event.key.keysym);
        model = message_box_face::layout(entryBox(entry), clientSize_, pictures_.fonts());
        changed();
        break;
      case SDL_MOUSEMOTION:
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (trackPointer(event, model)) {  // OK is Enter
          end = entry.key(EntryKey::kEnter);
          model = message_box_face::layout(entryBox(entry), clientSize_, pictures_.fonts());
        }
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE && isMainWindowEvent(event.window.windowID))
          end = EntryEnd::kCancelled;
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) repaintWindow(event.window.windowID);
        break;
      case SDL_QUIT:
        SDL_PushEvent(&event);  // the main window hears it after the entry
        end = EntryEnd::kCancelled;
        break;
      default:
        if (event.type == mediaEvent_ && events_)
          events_->onMediaNotification(static_cast<MediaNotification>(event.user.code));
        break;
    }
    if (dirty_) paint();
  }
  box_ = below;
  discardInput();
  repaintNow();
  if (end == EntryEnd::kAccepted) return entry.digits();
  return std::nullopt;
}

std::optional<MessageBoxAnswer> SdlDialogWindow::trackPointer(const SDL_Event& event, MessageBoxModel& model) {
  std::optional<MessageBoxAnswer> answer;
  if (event.type == SDL_MOUSEMOTION && isMainWindowEvent(event.motion.windowID)) {
    model.pointerMoved(event.motion.x, event.motion.y);
    changed();
  } else if (event.type != SDL_MOUSEMOTION && event.button.button == SDL_BUTTON_LEFT &&
             isMainWindowEvent(event.button.windowID)) {
    if (event.type == SDL_MOUSEBUTTONDOWN) model.buttonDown(event.button.x, event.button.y);
    if (event.type == SDL_MOUSEBUTTONUP) answer = model.buttonUp(event.button.x, event.button.y);
    changed();
  }
  return answer;
}

MessageBoxAnswer SdlDialogWindow::runBox(MessageBoxModel& model) {
  for (;;) {
    SDL_Event event;
    bool any = false;
    while (SDL_PollEvent(&event)) {
      any = true;
      switch (event.type) {
        case SDL_KEYDOWN:
          if (const auto key = boxKeyOf(event.key.keysym)) {
            if (const auto answer = model.key(*key)) return *answer;
            changed();
          }
          break;
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
          if (const auto answer = trackPointer(event, model)) return *answer;
          break;
        case SDL_WINDOWEVENT:
          if (event.window.event == SDL_WINDOWEVENT_CLOSE && isMainWindowEvent(event.window.windowID))
            return model.closeAnswer();
          if (event.window.event == SDL_WINDOWEVENT_EXPOSED) repaintWindow(event.window.windowID);
          break;
        case SDL_QUIT:
          SDL_PushEvent(&event);  // the main window hears it after the box
          return model.closeAnswer();
        default:
          // The display keeps running behind the box: media notifications
          // still reach the handler; input does not.
          if (event.type == mediaEvent_ && events_)
            events_->onMediaNotification(static_cast<MediaNotification>(event.user.code));
          break;
      }
    }
    if (events_) {
      if (const auto due = timers_.takeDue(TimerSchedule::Clock::now())) {
        events_->onTimer(*due);
        any = true;
      }
    }
    if (dirty_) paint();
    if (!any) SDL_WaitEventTimeout(nullptr, 20);
  }
}

void SdlDialogWindow::showAbout(const AboutRequest& request) {
  Canvas face(about_box::kSize);
  if (!face.valid()) return;
  about_box::paint(face, pictures_.fonts(), pictures_.find(request.picture), request.line);
  SDL_Window* box = SDL_CreateWindow(request.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     about_box::kSize.width, about_box::kSize.height, SDL_WINDOW_SKIP_TASKBAR);
  if (!box) return;
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0) SDL_SetWindowModalFor(box, window_);
  const Uint32 boxId = SDL_GetWindowID(box);
  auto paintBox = [&] {
    if (SDL_Surface* target = SDL_GetWindowSurface(box)) {
      SDL_BlitSurface(face.surface(), nullptr, target, nullptr);
      SDL_UpdateWindowSurface(box);
    }
  };
  paintBox();
  bool open = true;
  while (open) {
    SDL_Event event;
    bool any = false;
    while (open && SDL_PollEvent(&event)) {
      any = true;
      switch (event.type) {
        case SDL_KEYDOWN: {
          const SDL_Keycode key = event.key.keysym.sym;
          if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE || key == SDLK_SPACE) open = false;
          break;
        }
        case SDL_MOUSEBUTTONDOWN:
          if (event.button.windowID == boxId && event.button.button == SDL_BUTTON_LEFT &&
              about_box::kOkButton.contains(event.button.x, event.button.y))
            open = false;
          break;
        case SDL_WINDOWEVENT:
          if (event.window.windowID == boxId && event.window.event == SDL_WINDOWEVENT_CLOSE) open = false;
          else if (event.window.windowID == boxId && event.window.event == SDL_WINDOWEVENT_EXPOSED) paintBox();
          else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) repaintWindow(event.window.windowID);
          break;
        case SDL_QUIT:
          open = false;
          SDL_PushEvent(&event);  // the main window hears it after the box
          break;
        default:
          // The display keeps running behind the box: timer ticks and media
          // notifications still reach the handler; input does not.
          if (event.type == mediaEvent_ && events_)
            events_->onMediaNotification(static_cast<MediaNotification>(event.user.code));
          break;
      }
    }
    if (!open) break;
    if (events_) {
      if (const auto due = timers_.takeDue(TimerSchedule::Clock::now())) {
        events_->onTimer(*due);
        any = true;
      }
    }
    paintIfDirty();
    if (!any) SDL_WaitEventTimeout(nullptr, 20);
  }
  SDL_DestroyWindow(box);
  discardInput();
  changed();
}

// ---- Start-up

std::unique_ptr<SplashWindow> SdlDialogWindow::createSplash(PictureId picture) {
  SDL_Surface* found = pictures_.find(picture);
  if (!found) return nullptr;
  auto splash = std::make_unique<SdlSplashWindow>(*this, found);
  if (!splash->window()) return nullptr;
  return splash;
}

void SdlDialogWindow::repaintWindow(Uint32 windowId) {
  if (windowId == SDL_GetWindowID(window_)) {
    changed();
    return;
  }
  for (SdlSplashWindow* splash : splashes_)
    if (SDL_GetWindowID(splash->window()) == windowId) splash->paint();
}

void SdlDialogWindow::waitUntil(std::chrono::system_clock::time_point deadline) {
  for (;;) {
    const auto now = std::chrono::system_clock::now();
    if (now >= deadline) return;
    // Only window events are taken from the queue; messages stay for later.
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) > 0) {
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) repaintWindow(event.window.windowID);
    }
    // The pictures not painted yet are painted while the splash shows.
    if (pictures_.paintNext()) continue;
    std::this_thread::sleep_for(std::min<std::chrono::system_clock::duration>(deadline - now, kSplashWaitSlice));
  }
}

// ---- The message loop

bool SdlDialogWindow::isMainWindowEvent(Uint32 windowId) const {
  return windowId == 0 || windowId == SDL_GetWindowID(window_);
}

bool SdlDialogWindow::handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button != SDL_BUTTON_LEFT || !isMainWindowEvent(event.button.windowID)) return false;
      events_->onLeftButtonDown(event.button.x, event.button.y);
      return true;
    case SDL_KEYDOWN:
      if (!isMainWindowEvent(event.key.windowID)) return false;
      events_->onKeyDown(translateKey(event.key.keysym));
      return true;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE && isMainWindowEvent(event.window.windowID)) {
        events_->onCloseRequest();
        return true;
      }
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SHOWN ||
          event.window.event == SDL_WINDOWEVENT_RESTORED)
        repaintWindow(event.window.windowID);
      return false;
    case SDL_QUIT:
      events_->onCloseRequest();
      return true;
    default:
      if (event.type == mediaEvent_) {
        events_->onMediaNotification(static_cast<MediaNotification>(event.user.code));
        return true;
      }
      return false;
  }
}

bool SdlDialogWindow::dispatchOne() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (handleEvent(event)) return true;
  }
  // Timer ticks come last, when nothing else is waiting.
  if (const auto due = timers_.takeDue(TimerSchedule::Clock::now())) {
    events_->onTimer(*due);
    return true;
  }
  return false;
}

int SdlDialogWindow::runModal(WindowEvents& events) {
  if (events_) return kDialogCancel;  // one modal loop at a time
  events_ = &events;
  ended_ = false;
  setMessagePump([this] { pumpFromJob(); });
  events.onInitDialog();
  if (!ended_) {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    paint();
  }
  while (!ended_) {
    if (dispatchOne()) continue;
    paintIfDirty();
    auto wait = kLongestWait;
    if (const auto due = timers_.nextDue()) {
      const auto untilDue =
          std::chrono::duration_cast<std::chrono::milliseconds>(*due - TimerSchedule::Clock::now());
      wait = std::clamp(untilDue + std::chrono::milliseconds{1}, std::chrono::milliseconds{0}, kLongestWait);
    }
    if (wait.count() > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(wait.count()));
  }
  SDL_HideWindow(window_);
  setMessagePump({});
  events_ = nullptr;
  return result_;
}

void SdlDialogWindow::endDialog(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
}

bool SdlDialogWindow::pumpOneMessage() {
  if (!events_) return false;
  const bool dispatched = dispatchOne();
  paintIfDirty();
  return dispatched;
}

void SdlDialogWindow::pumpFromJob() {
  const auto now = std::chrono::steady_clock::now();
  if (now - lastJobPump_ < kJobPumpInterval) return;
  lastJobPump_ = now;
  if (!events_) return;
  dispatchOne();
  if (now - lastJobPaint_ < kJobPaintInterval) return;
  lastJobPaint_ = now;
  paintIfDirty();
}

void SdlDialogWindow::postMediaNotification(MediaNotification flag) {
  SDL_Event event{};
  event.type = mediaEvent_;
  event.user.code = static_cast<Sint32>(flag);
  SDL_PushEvent(&event);
}

}  // namespace brisolt::platform
