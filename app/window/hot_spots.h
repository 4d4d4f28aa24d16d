// The hot spots of the main window's face: which rectangle does what, when
// it works, and whether testing goes on after it. The table itself is
// data/hot_spots.txt, in the order a click is tested.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/window/window_types.h"

namespace brisolt {

enum class HotSpotAction {
  kPhraseBack,
  kPhraseForward,
  kInfoPrevious,
  kInfoNext,
  kExit,
  kStop,
  kPlay,
  kPause,
  kRecord,
  kHelp,
  kAbout,  // the title on the face: the About box
  kKeySignatureDown,
  kKeySignatureUp,
  kScaleDown,
  kScaleUp,
  kMotifModeDown,
  kMotifModeUp,
  kPhraseModeDown,
  kPhraseModeUp,
  kPhraseCountUp,
  kPhraseCountDown,
  kCompose,
};

struct HotSpot {
  HotSpotAction action = HotSpotAction::kCompose;
  platform::Rect place;
  bool idleOnly = false;  // works only while the window is idle
  bool stops = false;     // no later spot is tested after this one acted
};

// The table, in testing order. Every spot that works only while idle comes
// after every spot that always works.
const std::vector<HotSpot>& hotSpotTable();

// Where the action's spot is on the face (the first row of the action).
platform::Rect hotSpotPlace(HotSpotAction action);

// Whether the action's spot works only while the window is idle (the same
// rule for a click, a key and an action run by the program itself).
bool worksOnlyWhileIdle(HotSpotAction action);

// The action's name in the table ("phraseBack", ...).
std::string_view hotSpotName(HotSpotAction action);

// The table read from a text in the format of data/hot_spots.txt; throws
// std::logic_error on a malformed text.
std::vector<HotSpot> readHotSpots(std::string_view text);

}  // namespace brisolt
