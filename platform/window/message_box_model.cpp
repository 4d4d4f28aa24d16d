// The layout of an in-window message box and its answers to keys and clicks.
#include "platform/window/message_box_model.h"

#include <algorithm>

namespace brisolt::platform {
namespace {

using namespace box_geometry;

// Runs of blanks and of everything else, in order: "a  b" -> "a", "  ", "b".
std::vector<std::string> runsOf(const std::string& line) {
  std::vector<std::string> runs;
  for (const char c : line) {
    const bool blank = c == ' ';
    if (runs.empty() || (runs.back().front() == ' ') != blank) runs.emplace_back();
    runs.back() += c;
  }
  return runs;
}

bool isBlankRun(const std::string& run) { return !run.empty() && run.front() == ' '; }

// The length of the first UTF-8 character of `text` from `at`.
std::size_t characterLength(const std::string& text, std::size_t at) {
  std::size_t length = 1;
  while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) ++length;
  return length;
}

void trimTrailingBlanks(std::string& line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
}

void wrapParagraph(const std::string& paragraph, int width, const TextWidth& measure, std::vector<std::string>& out) {
  std::string line;
  auto finishLine = [&] {
    trimTrailingBlanks(line);
    out.push_back(line);
    line.clear();
  };
  for (const std::string& run : runsOf(paragraph)) {
    if (measure(line + run) <= width) {
      line += run;
      continue;
    }
    if (isBlankRun(run)) {  // blanks at a break are dropped
      finishLine();
      continue;
    }
    if (!line.empty()) finishLine();
    // A word wider than the whole line is cut between its characters.
    for (std::size_t at = 0; at < run.size();) {
      const std::size_t length = characterLength(run, at);
      const std::string character = run.substr(at, length);
      if (!line.empty() && measure(line + character) > width) finishLine();
      line += character;
      at += length;
    }
  }
  if (!line.empty()) finishLine();
}

std::vector<BoxButton> buttonsFor(MessageBoxButtons buttons) {
  switch (buttons) {
    case MessageBoxButtons::kYesNo: return {{{}, MessageBoxAnswer::kYes, "Yes"}, {{}, MessageBoxAnswer::kNo, "No"}};
    case MessageBoxButtons::kRetryCancel:
      return {{{}, MessageBoxAnswer::kRetry, "Retry"}, {{}, MessageBoxAnswer::kCancel, "Cancel"}};
    case MessageBoxButtons::kOk: break;
  }
  return {{{}, MessageBoxAnswer::kOk, "OK"}};
}

}  // namespace

std::vector<std::string> wrapText(const std::string& text, int width, const TextWidth& measure) {
  std::vector<std::string> lines;
  const std::string expanded = expandTabs(text);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = expanded.find('\n', start);
    const std::string paragraph = expanded.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (paragraph.empty()) lines.emplace_back();
    else wrapParagraph(paragraph, width, measure, lines);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

MessageBoxModel::MessageBoxModel(const MessageBoxRequest& request, Size client, const TextWidth& measure,
                                 int lineHeight)
    : request_(request), lineHeight_(lineHeight + kLineGap), buttons_(buttonsFor(request.buttons)) {
  const int widest = std::max(0, std::min(kMaxWidth, client.width - 2 * kWindowMargin));
  const int textLeftInBox = kPadding + kIconSize + kIconGap;
  const int textRoom = std::max(1, widest - textLeftInBox - kPadding);
  lines_ = wrapText(request.text, textRoom, measure);

  // Too many lines for the window: the last one that fits ends the text.
  const int fixedHeight = kCaptionHeight + 3 * kPadding + kButtonSize.height;
  const int lineRoom = std::max(1, (client.height - 2 * kWindowMargin - fixedHeight) / std::max(1, lineHeight_));
  if (static_cast<int>(lines_.size()) > lineRoom) {
    lines_.resize(lineRoom);
    lines_.back() += " …";
  }

  int textWidth = 0;
  for (const std::string& line : lines_) textWidth = std::max(textWidth, measure(line));
  const int textHeight = static_cast<int>(lines_.size()) * lineHeight_;
  const int count = static_cast<int>(buttons_.size());
  const int buttonsWidth = count * kButtonSize.width + (count - 1) * kButtonGap;
  const int captionWidth = measure(request.caption) + 2 * kPadding;
  const int width = std::min(
      widest, std::max({textLeftInBox + textWidth + kPadding, buttonsWidth + 2 * kPadding, captionWidth}));
  const int bodyHeight = std::max(kIconSize, textHeight);
  const int height = kCaptionHeight + kPadding + bodyHeight + kPadding + kButtonSize.height + kPadding;

  box_ = {(client.width - width) / 2, (client.height - height) / 2, width, height};
  const int bodyTop = box_.y + kCaptionHeight + kPadding;
  icon_ = {box_.x + kPadding, bodyTop + (bodyHeight - kIconSize) / 2, kIconSize, kIconSize};
  text_ = {box_.x + textLeftInBox, bodyTop + (bodyHeight - textHeight) / 2, width - textLeftInBox - kPadding,
           textHeight};
  int x = box_.x + (width - buttonsWidth) / 2;
  const int y = box_.y + height - kPadding - kButtonSize.height;
  for (BoxButton& button : buttons_) {
    button.place = {x, y, kButtonSize.width, kButtonSize.height};
    x += kButtonSize.width + kButtonGap;
  }
}

MessageBoxAnswer MessageBoxModel::closeAnswer() const { return buttons_.back().answer; }

std::optional<MessageBoxAnswer> MessageBoxModel::key(BoxKey key) {
  const int count = static_cast<int>(buttons_.size());
  switch (key) {
    case BoxKey::kEnter: return buttons_[focused_].answer;
    case BoxKey::kEscape: return closeAnswer();
    case BoxKey::kNext: focused_ = (focused_ + 1) % count; break;
    case BoxKey::kPrevious: focused_ = (focused_ + count - 1) % count; break;
  }
  return std::nullopt;
}

int MessageBoxModel::buttonAt(int x, int y) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i].place.contains(x, y)) return static_cast<int>(i);
  return -1;
}

void MessageBoxModel::pointerMoved(int x, int y) { hovered_ = buttonAt(x, y); }

void MessageBoxModel::buttonDown(int x, int y) {
  pressed_ = buttonAt(x, y);
  hovered_ = pressed_;
}

std::optional<MessageBoxAnswer> MessageBoxModel::buttonUp(int x, int y) {
  const int released = buttonAt(x, y);
  const int pressed = pressed_;
  pressed_ = -1;
  hovered_ = released;
  if (pressed < 0 || released != pressed) return std::nullopt;
  return buttons_[pressed].answer;
}

}  // namespace brisolt::platform
