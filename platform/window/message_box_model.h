// A message box drawn inside the main window, as plain data: where the box,
// its caption, icon, text lines and buttons sit over the client area, which
// button is focused or under the pointer, and which answer a key or a click
// gives. No drawing and no SDL, so every rule here is tested without a display.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/message_box.h"
#include "platform/window/window_types.h"

namespace brisolt::platform {

// The width in pixels of one line of text in the box's typeface.
using TextWidth = std::function<int(std::string_view utf8)>;

// The keys a box listens to; every other key is ignored.
enum class BoxKey { kEnter, kEscape, kNext, kPrevious };

struct BoxButton {
  Rect place;
  MessageBoxAnswer answer = MessageBoxAnswer::kOk;
  std::string label;
};

// Fixed measures of the box, in client pixels.
namespace box_geometry {
inline constexpr int kWindowMargin = 12;   // least room between box and window edge
inline constexpr int kMaxWidth = 460;      // widest box, when the window allows it
inline constexpr int kCaptionHeight = 26;  // the caption bar across the top
inline constexpr int kPadding = 16;        // around the icon, text and buttons
inline constexpr int kIconSize = 32;
inline constexpr int kIconGap = 14;  // between icon and text
inline constexpr Size kButtonSize{84, 26};
inline constexpr int kButtonGap = 10;
inline constexpr int kLineGap = 2;  // added to the typeface's line height
}  // namespace box_geometry

class MessageBoxModel {
 public:
  // Lays the box out centred on a client area of `client` size; `measure`
  // and `lineHeight` describe the typeface the text is drawn in.
  MessageBoxModel(const MessageBoxRequest& request, Size client, const TextWidth& measure, int lineHeight);

  const MessageBoxRequest& request() const { return request_; }
  Rect box() const { return box_; }
  Rect captionBar() const { return {box_.x, box_.y, box_.width, box_geometry::kCaptionHeight}; }
  Rect icon() const { return icon_; }
  // The text's lines after wrapping, each drawn at textOrigin() plus a line
  // height per line.
  const std::vector<std::string>& lines() const { return lines_; }
  int lineHeight() const { return lineHeight_; }
  Rect textArea() const { return text_; }
  const std::vector<BoxButton>& buttons() const { return buttons_; }

  // The button Enter presses (the first, until the keyboard moves on).
  int focused() const { return focused_; }
  // The button under the pointer, or -1.
  int hovered() const { return hovered_; }
  // The button held down by the mouse, or -1.
  int pressed() const { return pressed_; }

  std::optional<MessageBoxAnswer> key(BoxKey key);
  void pointerMoved(int x, int y);
  void buttonDown(int x, int y);
  // A click answers when the button goes up over the button it went down on.
  std::optional<MessageBoxAnswer> buttonUp(int x, int y);
  // The window's close request: the same answer as Esc.
  MessageBoxAnswer closeAnswer() const;

 private:
  int buttonAt(int x, int y) const;

  MessageBoxRequest request_;
  Rect box_;
  Rect icon_;
  Rect text_;
  int lineHeight_ = 0;
  std::vector<std::string> lines_;
  std::vector<BoxButton> buttons_;
  int focused_ = 0;
  int hovered_ = -1;
  int pressed_ = -1;
};

// The text cut into lines no wider than `width`: at its own line breaks, then
// between words, and inside a word only when the word alone is too wide.
// Tabs are expanded to blanks first (see expandTabs).
std::vector<std::string> wrapText(const std::string& text, int width, const TextWidth& measure);

}  // namespace brisolt::platform
