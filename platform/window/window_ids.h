// Ids of pictures, controls and timers. They are separate namespaces (picture
// 1000 and control 1000 are unrelated), so each has its own type and one can
// never be passed where the other is wanted.
#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <ostream>

namespace brisolt::platform {

template <class Tag>
struct WindowId {
  int value = 0;
  friend constexpr auto operator<=>(WindowId, WindowId) = default;
  friend std::ostream& operator<<(std::ostream& out, WindowId id) { return out << Tag::kName << ' ' << id.value; }
};

struct PictureTag {
  static constexpr const char* kName = "picture";
};
struct ControlTag {
  static constexpr const char* kName = "control";
};
struct TimerTag {
  static constexpr const char* kName = "timer";
};

// A picture the window layer can show: the face, digits, setting pictures...
using PictureId = WindowId<PictureTag>;
// A control of the main window (a bitmap static, a progress bar, a text strip).
using ControlId = WindowId<ControlTag>;
// A timer of the main window.
using TimerId = WindowId<TimerTag>;

}  // namespace brisolt::platform

template <class Tag>
struct std::hash<brisolt::platform::WindowId<Tag>> {
  std::size_t operator()(brisolt::platform::WindowId<Tag> id) const noexcept { return std::hash<int>{}(id.value); }
};
