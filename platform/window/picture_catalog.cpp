// The list of pictures, built from the id tables.
#include "platform/window/picture_catalog.h"

#include <algorithm>
#include <vector>

#include "platform/window/picture_ids.h"
#include "platform/window/pictures/keyboard_layout.h"

namespace brisolt::platform {
namespace {

// The sizes shared by several pictures.
constexpr Size kSettingSize{240, 35};
constexpr Size kLitButtonSize{25, 25};
constexpr Size kComposeLabelSize{160, 25};
constexpr Size kLitWhiteKeySize{15, 42};
constexpr Size kLitBlackKeySize{10, 26};

std::vector<PictureEntry> buildCatalog() {
  std::vector<PictureEntry> entries = {
      {picture::kFace, kFaceSize, PictureKind::kFace, 0},
      {picture::kSplash, {440, 280}, PictureKind::kSplash, 0},
      {picture::kAbout, {96, 96}, PictureKind::kAbout, 0},
      {picture::kIcon, kIconSize, PictureKind::kIcon, 0},
      {picture::kStopLit, kLitButtonSize, PictureKind::kLitButton, kStopButton},
      {picture::kPlayLit, kLitButtonSize, PictureKind::kLitButton, kPlayButton},
      {picture::kPauseLit, kLitButtonSize, PictureKind::kLitButton, kPauseButton},
      {picture::kRecordLit, kLitButtonSize, PictureKind::kLitButton, kRecordButton},
      {picture::kCompose, kComposeLabelSize, PictureKind::kComposeLabel, kComposeReady},
      {picture::kDone, kComposeLabelSize, PictureKind::kComposeLabel, kComposeDone},
      {picture::kWorking, kComposeLabelSize, PictureKind::kComposeLabel, kComposeWorking},
      {picture::kComposeDotted, kComposeLabelSize, PictureKind::kComposeLabel, kComposeDotted},
      {picture::kRemainingTime, {100, 15}, PictureKind::kRemainingTime, 0},
  };
  auto addTable = [&entries](auto const& ids, Size size, PictureKind kind) {
    for (int i = 0; i < static_cast<int>(ids.size()); ++i) entries.push_back({ids[i], size, kind, i});
  };
  addTable(picture::kDigits, kDigitSize, PictureKind::kDigit);
  addTable(picture::kKeySignatures, kSettingSize, PictureKind::kKeySignature);
  addTable(picture::kScales, kSettingSize, PictureKind::kScale);
  addTable(picture::kMotifModes, kSettingSize, PictureKind::kMotifMode);
  addTable(picture::kPhraseModes, kSettingSize, PictureKind::kPhraseMode);
  addTable(picture::kInfoPages, {500, 70}, PictureKind::kInfoPage);
  for (int i = 0; i < static_cast<int>(picture::kLitKeys.size()); ++i) {
    const bool black = i / 2 == static_cast<int>(layout::KeyShape::kBlack);
    entries.push_back({picture::kLitKeys[static_cast<std::size_t>(i)], black ? kLitBlackKeySize : kLitWhiteKeySize,
                       PictureKind::kLitKey, i});
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
  return entries;
}

}  // namespace

PictureId litKeyPicture(int shape, bool melody) {
  return picture::kLitKeys.at(static_cast<std::size_t>(shape * 2 + (melody ? 1 : 0)));
}

std::span<const PictureEntry> pictureCatalog() {
  static const std::vector<PictureEntry> entries = buildCatalog();
  return entries;
}

const PictureEntry* findPicture(PictureId id) {
  const auto entries = pictureCatalog();
  const auto found = std::lower_bound(entries.begin(), entries.end(), id,
                                      [](const PictureEntry& entry, PictureId wanted) { return entry.id < wanted; });
  return found != entries.end() && found->id == id ? &*found : nullptr;
}

}  // namespace brisolt::platform
