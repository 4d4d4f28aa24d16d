// The list of pictures, built from the id tables.
#include "platform/window/picture_catalog.h"

#include <algorithm>
#include <vector>

#include "platform/window/picture_ids.h"

namespace brisolt::platform {
namespace {

std::vector<PictureEntry> buildCatalog() {
  std::vector<PictureEntry> entries = {
      {picture::kFace, kFaceSize, PictureKind::face, 0},
      {picture::kSplash, kSplashSize, PictureKind::splash, 0},
      {picture::kAbout, kAboutSize, PictureKind::about, 0},
      {picture::kIcon, kIconSize, PictureKind::icon, 0},
      {picture::kStopLit, kLitButtonSize, PictureKind::litButton, kStopButton},
      {picture::kPlayLit, kLitButtonSize, PictureKind::litButton, kPlayButton},
      {picture::kPauseLit, kLitButtonSize, PictureKind::litButton, kPauseButton},
      {picture::kRecordLit, kLitButtonSize, PictureKind::litButton, kRecordButton},
      {picture::kCompose, kComposeLabelSize, PictureKind::composeLabel, kComposeReady},
      {picture::kDone, kComposeLabelSize, PictureKind::composeLabel, kComposeDone},
      {picture::kWorking, kComposeLabelSize, PictureKind::composeLabel, kComposeWorking},
      {picture::kComposeDotted, kComposeLabelSize, PictureKind::composeLabel, kComposeDotted},
      {picture::kRemainingTime, kRemainingTimeSize, PictureKind::remainingTime, 0},
  };
  auto addTable = [&entries](auto const& ids, Size size, PictureKind kind) {
    for (int i = 0; i < static_cast<int>(ids.size()); ++i) entries.push_back({ids[i], size, kind, i});
  };
  addTable(picture::kDigits, kDigitSize, PictureKind::digit);
  addTable(picture::kKeySignatures, kSettingSize, PictureKind::keySignature);
  addTable(picture::kScales, kSettingSize, PictureKind::scale);
  addTable(picture::kMotifModes, kSettingSize, PictureKind::motifMode);
  addTable(picture::kPhraseModes, kSettingSize, PictureKind::phraseMode);
  addTable(picture::kInfoPages, kInfoPageSize, PictureKind::infoPage);
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
  return entries;
}

}  // namespace

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
