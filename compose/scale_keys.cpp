// Operations on the scale keys of a piece: the 35 two-character key-number
// texts of one scale row, and the scale positions 0..34 that index them.
#include "compose/scale_keys.h"

#include "compose/scale_tables.h"

namespace brisolt::compose {

int twoDigitNumber(std::string_view text, std::size_t offset) {
  const auto digit = [&](std::size_t i) {
    const char c = i < text.size() ? text[i] : '0';
    return c >= '0' && c <= '9' ? c - '0' : 0;
  };
  return digit(offset) * 10 + digit(offset + 1);
}

bool isScaleKey(const ScaleKeys& scaleKeys, int key) {
  const std::string wanted = twoDigits(key);
  for (const std::string& element : scaleKeys) {
    if (element == wanted) return true;
    if (twoDigitNumber(element, 0) > key) return false;
  }
  return false;
}

int scalePosition(const ScaleKeys& scaleKeys, int key) {
  const std::string wanted = twoDigits(key);
  for (std::size_t position = 0; position < scaleKeys.size(); ++position) {
    if (scaleKeys[position] == wanted) return static_cast<int>(position);
  }
  return static_cast<int>(scaleKeys.size());
}

std::string toScalePositions(const ScaleKeys& scaleKeys, std::string_view keyNumbers) {
  std::string positions;
  for (std::size_t i = 0; i + 1 < keyNumbers.size(); i += 2) {
    positions += twoDigits(scalePosition(scaleKeys, twoDigitNumber(keyNumbers, i)));
  }
  return positions;
}

std::string toKeyNumbers(const ScaleKeys& scaleKeys, std::string_view positions) {
  std::string keys;
  for (std::size_t i = 0; i + 1 < positions.size(); i += 2) {
    const std::size_t position = static_cast<std::size_t>(twoDigitNumber(positions, i));
    keys += position < scaleKeys.size() ? scaleKeys[position] : std::string("00");
  }
  return keys;
}

int scaleStep(const ScaleKeys& scaleKeys, int key, int steps) {
  if (steps == 0) return key;
  if (key < 0 || key > 99) return 0;
  const int position = scalePosition(scaleKeys, key);
  const int count = static_cast<int>(scaleKeys.size());
  if (position == count) return 0;
  const int target = position + steps;
  if (target < 0 || target >= count) return 0;
  return twoDigitNumber(scaleKeys[target], 0);
}

}  // namespace brisolt::compose
