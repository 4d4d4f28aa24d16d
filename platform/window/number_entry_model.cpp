// The number entry's keys and check.
#include "platform/window/number_entry_model.h"

namespace brisolt::platform {

std::optional<EntryEnd> NumberEntryModel::key(EntryKey key, char digit) {
  switch (key) {
    case EntryKey::kDigit:
      if (digit < '0' || digit > '9') {
        problem_ = "Only the digits 0 to 9 can be typed here.";
      } else if (digits_.size() >= request_.longest) {
        problem_ = "At most " + std::to_string(request_.longest) + " digits.";
      } else {
        digits_ += digit;
        problem_.clear();
      }
      return std::nullopt;
    case EntryKey::kBackspace:
      if (!digits_.empty()) digits_.pop_back();
      problem_.clear();
      return std::nullopt;
    case EntryKey::kEnter:
      if (digits_.empty()) {
        problem_ = "Type the digits first, or press Esc to leave.";
        return std::nullopt;
      }
      if (request_.check) {
        if (auto refused = request_.check(digits_)) {
          problem_ = *refused;
          return std::nullopt;
        }
      }
      problem_.clear();
      return EntryEnd::kAccepted;
    case EntryKey::kEscape: return EntryEnd::kCancelled;
    case EntryKey::kOther: problem_ = "Only the digits 0 to 9 can be typed here."; return std::nullopt;
  }
  return std::nullopt;
}

void NumberEntryModel::type(const std::string& text) {
  for (const char c : text) key(c >= '0' && c <= '9' ? EntryKey::kDigit : EntryKey::kOther, c);
}

}  // namespace brisolt::platform
