// An entry for a whole number, shown over the window like a message box: the
// digits typed so far, the keys that edit them and the check that Enter
// applies. What it looks like is the window's business; this is its logic.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace brisolt::platform {

// What the entry asks for. `check` returns why the digits are refused (the
// entry then stays open and shows the reason), or nothing to accept them.
struct NumberEntryRequest {
  std::string caption;
  std::string prompt;
  std::size_t longest = 10;  // digits at most
  std::function<std::optional<std::string>(const std::string& digits)> check;
};

// The keys the entry tells apart.
enum class EntryKey { kDigit, kBackspace, kEnter, kEscape, kOther };

enum class EntryEnd {
  kAccepted,   // Enter with digits the check accepted
  kCancelled,  // Esc, or the window closed
};

class NumberEntryModel {
 public:
  explicit NumberEntryModel(NumberEntryRequest request) : request_(std::move(request)) {}

  // One key; `digit` is the character of a kDigit key. The end of the entry
  // once it has ended.
  std::optional<EntryEnd> key(EntryKey key, char digit = 0);
  // Types every character of `text` (digits as digits, anything else as a
  // key the entry refuses).
  void type(const std::string& text);

  const NumberEntryRequest& request() const { return request_; }
  const std::string& digits() const { return digits_; }
  // Why the last Enter or key was refused; empty when nothing was.
  const std::string& problem() const { return problem_; }

 private:
  NumberEntryRequest request_;
  std::string digits_;
  std::string problem_;
};

}  // namespace brisolt::platform
