// The twelve key signatures and twelve scales, and the 144 scale rows built
// from them.
#include "compose/scale_tables.h"

#include <cstdio>

#include "compose/data_text.h"
#include "embedded/compose_keys.h"
#include "embedded/compose_scales.h"

namespace brisolt::compose {
namespace {

std::vector<KeySignature> readKeySignatures() {
  const DataFile file{"keys.txt", embedded::compose_keys};
  std::vector<KeySignature> keys;
  for (const std::string_view line : dataLines(file.text)) {
    const auto fields = words(line);
    if (fields.size() != 3 || parseCount(fields[0]) != static_cast<int>(keys.size()) + 1) {
      badDataText(file, line, "expected 'index stored display' in order: '" + std::string(line) + "'");
    }
    keys.push_back({std::string(fields[1]), std::string(fields[2])});
  }
  if (keys.size() != kKeySignatureCount) badDataText(file, {}, "expected 12 key signatures");
  return keys;
}

std::vector<Scale> readScales() {
  const DataFile file{"scales.txt", embedded::compose_scales};
  std::vector<Scale> scales;
  for (const std::string_view line : dataLines(file.text)) {
    const auto fields = splitFields(line, '|');
    if (fields.size() != 4 || parseCount(fields[0]) != static_cast<int>(scales.size())) {
      badDataText(file, line, "expected 'index | name | pitch classes | family' in order: '" + std::string(line) + "'");
    }
    Scale scale{std::string(fields[1]), {}, std::string(fields[3])};
    std::size_t count = 0;
    int previous = -1;
    for (const std::string_view text : words(fields[2])) {
      const int pitchClass = parseCount(text);
      if (count == scale.pitchClasses.size() || pitchClass <= previous || pitchClass > 11) {
        badDataText(file, line, "pitch classes must be seven ascending values 0..11: '" + std::string(line) + "'");
      }
      scale.pitchClasses[count++] = previous = pitchClass;
    }
    if (count != scale.pitchClasses.size() || scale.pitchClasses[0] != 0) {
      badDataText(file, line, "a scale has seven pitch classes starting at 0: '" + std::string(line) + "'");
    }
    if (scale.modeFamily != "Maj" && scale.modeFamily != "Min") {
      badDataText(file, line, "mode family must be Maj or Min: '" + std::string(line) + "'");
    }
    scales.push_back(scale);
  }
  if (scales.size() != kScaleCount) badDataText(file, {}, "expected 12 scales");
  return scales;
}

std::string buildRow(int keyIndex, const Scale& scale) {
  std::string row;
  for (int key = kLowestKey; key <= kHighestKey; ++key) {
    const int degree = ((key - 1 - keyIndex) % 12 + 12) % 12;
    for (const int pitchClass : scale.pitchClasses) {
      if (pitchClass == degree) row += twoDigits(key);
    }
  }
  return row;
}

}  // namespace

std::string twoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2d", value);
  return text;
}

ScaleTable ScaleTable::load() {
  ScaleTable table;
  table.keys_ = readKeySignatures();
  table.scales_ = readScales();
  for (int keyIndex = 0; keyIndex < kKeySignatureCount; ++keyIndex) {
    for (const Scale& scale : table.scales_) table.rows_.push_back(buildRow(keyIndex, scale));
  }
  return table;
}

std::vector<std::string> ScaleTable::scaleKeys(int keyIndex, int scale) const {
  const std::string& text = row(keyIndex, scale);
  std::vector<std::string> keys;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) keys.push_back(text.substr(i, 2));
  return keys;
}

std::vector<std::string> ScaleTable::noteNames() const {
  std::vector<std::string> names(kHighestKey + 1);
  for (int key = kLowestKey; key <= kHighestKey; ++key) {
    std::string name = keys_[(key - 1) % 12].displayName;
    if (name.size() < 2) name += '_';
    names[key] = name + static_cast<char>('0' + (key - 1) / 12 + 1);
  }
  return names;
}

}  // namespace brisolt::compose
