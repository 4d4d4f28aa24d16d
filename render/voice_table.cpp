// Loader of the voice table: one section per renderer, one row per voice.
#include "render/voice_table.h"

#include <algorithm>
#include <utility>

#include "embedded/voiceTableText.h"
#include "compose/composer.h"
#include "compose/data_text.h"
#include "render/voice_patterns.h"

namespace brisolt::render {
namespace {

constexpr std::string_view kFile = "voice_table.txt";
constexpr int kFigureLength = 20;
constexpr int kLargestVariationOffset = 1799;  // every string must be longer
constexpr int kLongestLeadInMs = 3000;         // the tail is 3000 ms less the lead-in
constexpr int kLowestKey = 1;
constexpr int kHighestKey = 60;
constexpr int kUnitsPerBar = 8;
constexpr int kRangeListPairs = 5;

struct FamilyName {
  Family family;
  std::string_view name;
  Renderer renderer;
};

constexpr std::array<FamilyName, 7> kFamilies{{
    {Family::kIntervalPairs, "interval pairs", Renderer::kEnsemble},
    {Family::kVoiceTwo, "voice 2", Renderer::kEnsemble},
    {Family::kScaleStepLine, "scale-step line", Renderer::kEnsemble},
    {Family::kArpeggio, "arpeggio", Renderer::kEnsemble},
    {Family::kHarmony, "harmony", Renderer::kEnsemble},
    {Family::kBandHarmony, "band harmony", Renderer::kAccompaniment},
    {Family::kTonicAnswers, "tonic answers", Renderer::kAccompaniment},
}};

constexpr std::array<std::pair<Strike, std::string_view>, 3> kStrikes{{
    {Strike::kNone, "none"},
    {Strike::kFirst, "first"},
    {Strike::kSecond, "second"},
}};

std::optional<KeyRange> parseKeyRange(std::string_view text) {
  const auto dots = text.find("..");
  if (dots == std::string_view::npos) return std::nullopt;
  const auto low = compose::parseInt(text.substr(0, dots));
  const auto high = compose::parseInt(text.substr(dots + 2));
  if (!low || !high || *low < kLowestKey || *high > kHighestKey || *low > *high) return std::nullopt;
  return KeyRange{*low, *high};
}

// Takes the cells of one row in order; the first cell that does not read
// leaves its message in error and later reads return defaults.
class RowReader {
 public:
  explicit RowReader(std::vector<std::string_view> cells) : cells_(std::move(cells)) {}

  std::size_t size() const { return cells_.size(); }
  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }

  void fail(const std::string& message) {
    if (error_.empty()) error_ = message;
  }

  std::string_view word() { return next_ < cells_.size() ? cells_[next_++] : std::string_view(); }

  int integer(std::string_view what, int low, int high) {
    const auto cell = word();
    const auto value = compose::parseInt(cell);
    if (!value || *value < low || *value > high) {
      fail(std::string(what) + " \"" + std::string(cell) + "\" is not a number from " + std::to_string(low) +
           " to " + std::to_string(high));
      return low;
    }
    return *value;
  }

  bool yesNo(std::string_view what) {
    const auto cell = word();
    const auto value = compose::parseYesNo(cell);
    if (!value) fail(std::string(what) + " \"" + std::string(cell) + "\" must be yes or no");
    return value.value_or(false);
  }

  std::string quoted(std::string_view what) {
    const auto cell = word();
    auto value = compose::parseQuoted(cell);
    if (!value) fail(std::string(what) + " " + std::string(cell) + " must be a text in double quotes");
    return value.value_or(std::string());
  }

 private:
  std::vector<std::string_view> cells_;
  std::size_t next_ = 0;
  std::string error_;
};

VoiceCommon readCommon(RowReader& row) {
  VoiceCommon common;
  const auto letter = row.word();
  if (letter.size() != 1 || !isVoiceLetter(letter.front()))
    row.fail("voice \"" + std::string(letter) + "\" must be one letter or digit");
  else
    common.letter = letter.front();
  common.groupDigit = row.integer("group digit", 0, 9);
  common.leadInMs = row.integer("lead-in", 0, kLongestLeadInMs);
  return common;
}

PatternForm readPatternForm(RowReader& row) {
  PatternForm form;
  form.leadingZeros = row.integer("leading zeros", 0, 10000);
  form.firstFigure = row.quoted("first figure");
  form.length = row.integer("pattern length", kLargestVariationOffset + 1, 10000);
  if (row.failed()) return form;
  if (form.firstFigure.size() != kFigureLength)
    row.fail("first figure \"" + form.firstFigure + "\" has " + std::to_string(form.firstFigure.size()) +
             " characters, not " + std::to_string(kFigureLength));
  for (const char c : form.firstFigure) {
    if (!isPatternCharacter(c)) row.fail("first figure holds '" + std::string(1, c) + "', not a pattern character");
  }
  if (form.leadingZeros + kFigureLength > form.length)
    row.fail("leading zeros and first figure do not fit in " + std::to_string(form.length) + " characters");
  return form;
}

Family readFamily(RowReader& row, Renderer renderer) {
  const auto cell = row.word();
  std::string known;
  for (const auto& entry : kFamilies) {
    if (entry.renderer != renderer) continue;
    if (entry.name == cell) return entry.family;
    known += known.empty() ? "" : ", ";
    known += entry.name;
  }
  row.fail("family \"" + std::string(cell) + "\" is not one of " + known);
  return Family::kIntervalPairs;
}

void readFolding(RowReader& row, EnsembleVoice& voice) {
  const auto cell = row.word();
  voice.foldingText = std::string(cell);
  if (cell == "none") {
    voice.foldKind = FoldKind::kNone;
    return;
  }
  if (cell == "range list") {
    voice.foldKind = FoldKind::kRangeList;
    return;
  }
  constexpr std::string_view kThen = " then ";
  voice.foldKind = FoldKind::kFixed;
  std::string_view rest = cell;
  while (true) {
    const auto then = rest.find(kThen);
    const auto range = parseKeyRange(rest.substr(0, then));
    if (!range) {
      row.fail("folding \"" + std::string(cell) +
               "\" must be none, range list, or key ranges such as 13..60 joined by \" then \"");
      return;
    }
    voice.folds.push_back(*range);
    if (then == std::string_view::npos) return;
    rest.remove_prefix(then + kThen.size());
  }
}

void readRangeList(RowReader& row, EnsembleVoice& voice) {
  if (voice.foldKind != FoldKind::kRangeList) {
    if (row.word() != "-") row.fail("only a voice folding into its range list has a range list; write -");
    return;
  }
  voice.rangeList = row.quoted("range list");
  if (row.failed()) return;
  // Read with the Composer's reader of range lists. Only digits and the
  // separators of the pairs may stand in it, so a typo cannot pass for one.
  const auto fault = [&] {
    row.fail("range list \"" + voice.rangeList + "\" must hold five (low,high) pairs of key numbers");
  };
  if (voice.rangeList.find_first_not_of("0123456789,() ") != std::string::npos) return fault();
  for (int n = 1; n <= kRangeListPairs; ++n) {
    const KeyRange range = compose::Composer::rangeAt(n, voice.rangeList);
    if (range.low < kLowestKey || range.high > kHighestKey || range.low > range.high) return fault();
    voice.ranges.push_back(range);
  }
  if (compose::Composer::rangeAt(kRangeListPairs + 1, voice.rangeList) != KeyRange{}) fault();
}

}  // namespace

// Fills a VoiceTable section by section; friend of the table.
class VoiceTableReader {
 public:
  VoiceTableLoad read(std::string_view text) {
    VoiceTableLoad load;
    std::optional<Renderer> section;
    for (const auto& line : compose::numberedLines(text)) {
      if (line.text.empty() || compose::isComment(line.text)) continue;
      std::string error;
      if (line.text.front() == '[') {
        section = readSection(line.text, error);
      } else if (!section) {
        error = "a row before the first section; start one with [ensemble], [accompaniment], [split] or [pulse]";
      } else {
        error = readRow(*section, line.text, load.table);
      }
      if (!error.empty()) {
        load.table = {};
        load.error = compose::lineError(kFile, line.number, error);
        return load;
      }
    }
    return load;
  }

 private:
  static std::optional<Renderer> readSection(std::string_view header, std::string& error) {
    const auto name = header.back() == ']' ? header.substr(1, header.size() - 2) : std::string_view();
    const auto renderer = rendererFromName(name);
    if (!renderer || *renderer == Renderer::kMelody) {
      error = "unknown section " + std::string(header) + "; expected [ensemble], [accompaniment], [split] or [pulse]";
      return std::nullopt;
    }
    return renderer;
  }

  static std::string readRow(Renderer section, std::string_view text, VoiceTable& table) {
    RowReader row(compose::splitFields(text, '|'));
    const std::size_t expected = columnsOf(section);
    if (row.size() != expected)
      return "row of " + std::to_string(row.size()) + " columns; rows of [" + std::string(rendererName(section)) +
             "] have " + std::to_string(expected);
    const VoiceCommon common = readCommon(row);
    std::size_t index = 0;
    switch (section) {
      case Renderer::kEnsemble:
        index = add(table.ensemble_, readEnsemble(row, common));
        break;
      case Renderer::kAccompaniment:
        index = add(table.accompaniment_, readAccompaniment(row, common));
        break;
      case Renderer::kSplit:
        index = add(table.split_, readSplit(row, common));
        break;
      case Renderer::kPulse:
        index = add(table.pulse_, readPulse(row, common));
        break;
      case Renderer::kMelody:
        break;
    }
    if (row.failed()) return row.error();
    auto& slot = table.slots_[static_cast<unsigned char>(common.letter)];
    if (slot.renderer)
      return "voice " + std::string(1, common.letter) + " already has a row in [" +
             std::string(rendererName(*slot.renderer)) + "]";
    slot = {section, index};
    table.letters_ += common.letter;
    return {};
  }

  static std::size_t columnsOf(Renderer section) {
    switch (section) {
      case Renderer::kEnsemble: return 11;
      case Renderer::kAccompaniment: return 9;
      case Renderer::kSplit: return 7;
      case Renderer::kPulse: return 10;
      case Renderer::kMelody: break;
    }
    return 0;
  }

  template <typename Row>
  static std::size_t add(std::vector<Row>& rows, Row row) {
    rows.push_back(std::move(row));
    return rows.size() - 1;
  }

  static EnsembleVoice readEnsemble(RowReader& row, const VoiceCommon& common) {
    EnsembleVoice voice;
    voice.common = common;
    voice.family = readFamily(row, Renderer::kEnsemble);
    voice.shortestSoundingD = row.integer("shortest sounding d", 1, 5);
    voice.tonicRule = row.yesNo("tonic rule");
    readFolding(row, voice);
    if (!row.failed() && (voice.family == Family::kHarmony) != (voice.foldKind == FoldKind::kRangeList))
      row.fail("harmony voices, and only they, fold into a range list");
    voice.pattern = readPatternForm(row);
    readRangeList(row, voice);
    return voice;
  }

  static AccompanimentVoice readAccompaniment(RowReader& row, const VoiceCommon& common) {
    AccompanimentVoice voice;
    voice.common = common;
    voice.family = readFamily(row, Renderer::kAccompaniment);
    voice.shortestSoundingD = row.integer("shortest sounding d", 1, 5);
    voice.obeysBarMask = row.yesNo("bar mask");
    voice.pattern = readPatternForm(row);
    return voice;
  }

  static SplitVoice readSplit(RowReader& row, const VoiceCommon& common) {
    SplitVoice voice;
    voice.common = common;
    if (const auto cell = row.word(); cell != "any") {
      const auto longest = compose::parseInt(cell);
      if (!longest || *longest < 1 || *longest > 5)
        row.fail("longest sounding d \"" + std::string(cell) + "\" must be any or a number from 1 to 5");
      voice.longestSoundingD = longest;
    }
    voice.pattern = readPatternForm(row);
    return voice;
  }

  static PulseVoice readPulse(RowReader& row, const VoiceCommon& common) {
    PulseVoice voice;
    voice.common = common;
    voice.firstUnit = row.integer("first unit", 0, kUnitsPerBar - 1);
    voice.secondUnit = row.integer("second unit", 0, kUnitsPerBar - 1);
    voice.keyOffset = row.integer("offset", 0, 11);
    const auto foldCell = row.word();
    const auto fold = parseKeyRange(foldCell);
    if (!fold) row.fail("fold \"" + std::string(foldCell) + "\" must be a key range such as 1..12");
    voice.fold = fold.value_or(KeyRange{});
    voice.needsThirdInScale = row.yesNo("third in scale");
    const auto strikeCell = row.word();
    bool known = false;
    for (const auto& [strike, name] : kStrikes) {
      if (name == strikeCell) {
        voice.silencedStrike = strike;
        known = true;
      }
    }
    if (!known) row.fail("silenced strike \"" + std::string(strikeCell) + "\" must be none, first or second");
    voice.carry = row.integer("carry", 0, kUnitsPerBar);
    if (!row.failed() && voice.firstUnit >= voice.secondUnit)
      row.fail("the first strike must come before the second");
    return voice;
  }
};

const VoiceTable::Slot* VoiceTable::slotOf(char letter) const {
  if (!isVoiceLetter(letter)) return nullptr;
  const Slot& slot = slots_[static_cast<unsigned char>(letter)];
  return slot.renderer ? &slot : nullptr;
}

const EnsembleVoice* VoiceTable::ensemble(char letter) const {
  const Slot* slot = slotOf(letter);
  return slot && slot->renderer == Renderer::kEnsemble ? &ensemble_[slot->index] : nullptr;
}

const AccompanimentVoice* VoiceTable::accompaniment(char letter) const {
  const Slot* slot = slotOf(letter);
  return slot && slot->renderer == Renderer::kAccompaniment ? &accompaniment_[slot->index] : nullptr;
}

const SplitVoice* VoiceTable::split(char letter) const {
  const Slot* slot = slotOf(letter);
  return slot && slot->renderer == Renderer::kSplit ? &split_[slot->index] : nullptr;
}

const PulseVoice* VoiceTable::pulse(char letter) const {
  const Slot* slot = slotOf(letter);
  return slot && slot->renderer == Renderer::kPulse ? &pulse_[slot->index] : nullptr;
}

std::optional<Renderer> VoiceTable::rendererOf(char letter) const {
  const Slot* slot = slotOf(letter);
  return slot ? slot->renderer : std::nullopt;
}

const VoiceCommon* VoiceTable::common(char letter) const {
  if (const auto* voice = ensemble(letter)) return &voice->common;
  if (const auto* voice = accompaniment(letter)) return &voice->common;
  if (const auto* voice = split(letter)) return &voice->common;
  if (const auto* voice = pulse(letter)) return &voice->common;
  return nullptr;
}

const PatternForm* VoiceTable::patternForm(char letter) const {
  if (const auto* voice = ensemble(letter)) return &voice->pattern;
  if (const auto* voice = accompaniment(letter)) return &voice->pattern;
  if (const auto* voice = split(letter)) return &voice->pattern;
  return nullptr;
}

VoiceTableLoad parseVoiceTable(std::string_view text) { return VoiceTableReader().read(text); }

const VoiceTable& builtinVoiceTable() {
  static const VoiceTable table = [] {
    auto load = parseVoiceTable(embedded::voiceTableText);
    compose::refuseDataText(load.error);
    return std::move(load.table);
  }();
  return table;
}

}  // namespace brisolt::render
