// The hot spots of the main window's face, read from data/hot_spots.txt.
#include "app/window/hot_spots.h"

#include <array>
#include <string>

#include "compose/data_text.h"
#include "embedded/app_hot_spots.h"

namespace brisolt {
namespace {

constexpr std::string_view kTableName = "hot spots";

// In the order of HotSpotAction.
constexpr std::array<std::string_view, 22> kActionNames{
    "phraseBack",       "phraseForward",  "infoPrevious",   "infoNext",       "exit",
    "stop",             "play",           "pause",          "record",         "help",
    "about",            "keySignatureDown", "keySignatureUp", "scaleDown",    "scaleUp",
    "motifModeDown",    "motifModeUp",    "phraseModeDown", "phraseModeUp",   "phraseCountUp",
    "phraseCountDown",  "compose"};
static_assert(kActionNames.size() == static_cast<std::size_t>(HotSpotAction::kCompose) + 1);

HotSpotAction actionNamed(std::string_view name, std::string_view line) {
  for (std::size_t i = 0; i < kActionNames.size(); ++i) {
    if (kActionNames[i] == name) return static_cast<HotSpotAction>(i);
  }
  compose::badDataText(kTableName, "unknown action in '" + std::string(line) + "'");
}

bool choice(std::string_view word, std::string_view yes, std::string_view no, std::string_view line) {
  if (word == yes) return true;
  if (word == no) return false;
  compose::badDataText(kTableName, "expected " + std::string(yes) + " or " + std::string(no) + " in '" +
                                       std::string(line) + "'");
}

}  // namespace

std::string_view hotSpotName(HotSpotAction action) { return kActionNames.at(static_cast<std::size_t>(action)); }

std::vector<HotSpot> readHotSpots(std::string_view text) {
  std::vector<HotSpot> spots;
  for (const std::string_view line : compose::dataLines(text)) {
    const auto fields = compose::words(line);
    if (fields.size() != 7) compose::badDataText(kTableName, "expected seven fields in '" + std::string(line) + "'");
    std::array<int, 4> edges{};
    for (std::size_t i = 0; i < edges.size(); ++i) {
      edges[i] = compose::parseCount(fields[i + 1]);
      if (edges[i] < 0) compose::badDataText(kTableName, "bad coordinate in '" + std::string(line) + "'");
    }
    const auto [left, right, top, bottom] = edges;
    if (right <= left || bottom <= top) compose::badDataText(kTableName, "empty rectangle in '" + std::string(line) + "'");
    HotSpot spot;
    spot.action = actionNamed(fields[0], line);
    spot.place = {left, top, right - left, bottom - top};
    spot.idleOnly = choice(fields[5], "idle", "always", line);
    spot.stops = choice(fields[6], "stop", "next", line);
    if (!spot.idleOnly && !spots.empty() && spots.back().idleOnly) {
      compose::badDataText(kTableName, "a spot that always works comes after an idle one: '" + std::string(line) + "'");
    }
    spots.push_back(spot);
  }
  return spots;
}

platform::Rect hotSpotPlace(HotSpotAction action) {
  for (const HotSpot& spot : hotSpotTable()) {
    if (spot.action == action) return spot.place;
  }
  return {};
}

bool worksOnlyWhileIdle(HotSpotAction action) {
  for (const HotSpot& spot : hotSpotTable()) {
    if (spot.action == action) return spot.idleOnly;
  }
  return false;
}

const std::vector<HotSpot>& hotSpotTable() {
  static const std::vector<HotSpot> table = readHotSpots(embedded::app_hot_spots);
  return table;
}

}  // namespace brisolt
