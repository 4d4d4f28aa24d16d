// The pictures: every id the program uses exists at its size and shows what
// it should. Ids and sizes are written out here from the main window's
// tables, independently of picture_ids.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/window/picture_catalog.h"
#include "platform/window/picture_ids.h"
#include "platform/window/pictures/keyboard_layout.h"
#include "platform/window/pictures/picture_library.h"

namespace brisolt::platform {
namespace {

struct Expected {
  int id;
  int width;
  int height;
};

std::vector<Expected> expectedPictures() {
  std::vector<Expected> all = {{1072, 650, 600}, {1004, 25, 25}, {1006, 25, 25}, {1008, 25, 25}, {1007, 25, 25},
                               {926, 160, 25},   {690, 160, 25}, {1026, 160, 25}, {1025, 160, 25}, {1039, 100, 15},
                               {1073, 0, 0},     {207, 0, 0},    {208, 0, 0}};
  for (int id : {930, 931, 932, 934, 936, 937, 938, 939, 940, 206}) all.push_back({id, 20, 30});
  for (int id : {944, 945, 946, 947, 948, 950, 951, 952, 953, 954, 955, 956, 957, 958, 959, 960, 962, 963, 964,
                 965, 966, 967, 968, 969, 970, 971, 972, 973, 974, 975, 983, 985, 986, 987, 988, 989, 991, 992,
                 993, 1003, 995, 996, 997, 998, 999, 1000, 1001, 1002})
    all.push_back({id, 240, 35});
  for (int id : {1070, 1058, 1059, 1060, 1061, 1062}) all.push_back({id, 500, 70});
  for (int id : {1100, 1101}) all.push_back({id, 10, 26});  // lit black keys
  for (int id : {1102, 1103, 1104, 1105, 1106, 1107}) all.push_back({id, 15, 42});  // lit white keys
  return all;
}

class Pictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    library_ = PictureLibrary::paint(error).release();
    ASSERT_NE(library_, nullptr) << error;
  }
  static void TearDownTestSuite() {
    delete library_;
    library_ = nullptr;
  }

  static Uint32 pixel(SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint32*>(row)[x];
  }
  static int red(Uint32 argb) { return static_cast<int>((argb >> 16) & 0xFF); }
  static bool samePixels(SDL_Surface* a, SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h) return false;
    for (int y = 0; y < a->h; ++y)
      if (std::memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch, static_cast<Uint8*>(b->pixels) + y * b->pitch,
                      static_cast<std::size_t>(a->w) * 4) != 0)
        return false;
    return true;
  }
  // The spread of the red channel over a rectangle: the grain of the bare
  // panel stays well under 40, drawn parts go far beyond.
  static int contrast(SDL_Surface* surface, Rect area) {
    int low = 255, high = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
      for (int x = area.x; x < area.x + area.width; ++x) {
        low = std::min(low, red(pixel(surface, x, y)));
        high = std::max(high, red(pixel(surface, x, y)));
      }
    return high - low;
  }

  static PictureLibrary* library_;
};

PictureLibrary* Pictures::library_ = nullptr;

TEST_F(Pictures, EveryPictureTheWindowUsesExistsAtItsSize) {
  const auto expected = expectedPictures();
  for (const Expected& want : expected) {
    SDL_Surface* got = library_->find(PictureId{want.id});
    ASSERT_NE(got, nullptr) << "picture " << want.id << " is missing";
    if (want.width == 0) continue;  // splash, about and icon: any size
    EXPECT_EQ(got->w, want.width) << "width of picture " << want.id;
    EXPECT_EQ(got->h, want.height) << "height of picture " << want.id;
  }
  EXPECT_EQ(library_->count(), expected.size()) << "pictures beyond those the window uses";
  EXPECT_EQ(library_->find(PictureId{994}), nullptr);  // phrase mode D is 1003, not 994
  EXPECT_EQ(library_->find(PictureId{949}), nullptr);
}

TEST_F(Pictures, CatalogSizesAreTheSizesPainted) {
  for (const PictureEntry& entry : pictureCatalog()) {
    EXPECT_EQ(library_->size(entry.id), entry.size) << entry.id;
  }
}

TEST_F(Pictures, EveryDigitLooksDifferent) {
  for (int a = 0; a < 10; ++a)
    for (int b = a + 1; b < 10; ++b)
      EXPECT_FALSE(samePixels(library_->find(picture::kDigits[a]), library_->find(picture::kDigits[b])))
          << "digits " << a << " and " << b << " look the same";
}

TEST_F(Pictures, EachSettingPictureLightsTheMarkOfItsValue) {
  // The twelve marks sit at x 32 + 15 i, 11 pixels wide, on row 27.
  for (const auto* table : {&picture::kKeySignatures, &picture::kScales, &picture::kMotifModes, &picture::kPhraseModes}) {
    for (int value = 0; value < 12; ++value) {
      SDL_Surface* setting = library_->find((*table)[value]);
      for (int mark = 0; mark < 12; ++mark) {
        const int brightness = red(pixel(setting, 32 + 15 * mark + 5, 27));
        if (mark == value) EXPECT_GT(brightness, 200) << (*table)[value] << " mark " << mark << " should be lit";
        else EXPECT_LT(brightness, 120) << (*table)[value] << " mark " << mark << " should be dark";
      }
    }
  }
}

TEST_F(Pictures, SettingPicturesOfOneRowDifferAndCarryTheFacesArrows) {
  SDL_Surface* face = library_->find(picture::kFace);
  for (int value = 1; value < 12; ++value)
    EXPECT_FALSE(samePixels(library_->find(picture::kScales[0]), library_->find(picture::kScales[value])));
  // The arrow ends of every setting picture are the face's own arrows, so the
  // hot spots look the same whichever picture lies over them.
  const std::vector<std::pair<const std::array<PictureId, 12>*, int>> rows{
      {&picture::kKeySignatures, 110}, {&picture::kScales, 160}, {&picture::kMotifModes, 210}, {&picture::kPhraseModes, 260}};
  for (const auto& [table, top] : rows) {
    SDL_Surface* setting = library_->find((*table)[5]);
    for (int y = 5; y < 30; ++y)
      for (int x : {2, 10, 17, 222, 230, 237}) ASSERT_EQ(pixel(setting, x, y), pixel(face, 105 + x, top + y)) << (*table)[5];
  }
}

TEST_F(Pictures, EveryHotSpotOfTheFaceHasArtwork) {
  // The hot-spot table of the main window: left, right, top, bottom.
  const std::vector<std::pair<const char*, Rect>> spots{
      {"phrase back", {370, 315, 20, 25}},    {"phrase forward", {570, 315, 20, 25}},
      {"page left", {48, 458, 20, 20}},       {"page right", {595, 458, 20, 20}},
      {"EXIT", {580, 530, 40, 15}},           {"stop", {385, 265, 25, 25}},
      {"play", {440, 265, 25, 25}},           {"pause", {495, 265, 25, 25}},
      {"record", {550, 265, 25, 25}},         {"HELP", {505, 125, 35, 15}},
      {"key left", {105, 115, 20, 25}},       {"key right", {325, 115, 20, 25}},
      {"scale left", {105, 165, 20, 25}},     {"scale right", {325, 165, 20, 25}},
      {"motif left", {105, 215, 20, 25}},     {"motif right", {325, 215, 20, 25}},
      {"phrase mode left", {105, 265, 20, 15}}, {"phrase mode right", {325, 265, 20, 15}},
      {"phrase count up", {325, 315, 25, 20}}, {"phrase count down", {105, 315, 25, 20}},
      {"COMPOSE", {400, 170, 160, 25}}};
  SDL_Surface* face = library_->find(picture::kFace);
  ASSERT_LT(contrast(face, {30, 200, 20, 25}), 40) << "the bare panel should not count as artwork";
  for (const auto& [name, spot] : spots) {
    EXPECT_GT(contrast(face, spot), 80) << "no artwork under the " << name << " hot spot";
  }
}

TEST_F(Pictures, LitButtonsAndLabelsDifferFromTheFaceBeneathThem) {
  SDL_Surface* face = library_->find(picture::kFace);
  const std::vector<std::pair<PictureId, Rect>> overlays{
      {picture::kStopLit, {385, 265, 25, 25}},   {picture::kPlayLit, {440, 265, 25, 25}},
      {picture::kPauseLit, {495, 265, 25, 25}},  {picture::kRecordLit, {550, 265, 25, 25}},
      {picture::kCompose, {400, 170, 160, 25}},  {picture::kDone, {400, 170, 160, 25}},
      {picture::kWorking, {400, 170, 160, 25}},  {picture::kComposeDotted, {400, 170, 160, 25}},
      {picture::kRemainingTime, {395, 350, 100, 15}}};
  for (const auto& [id, place] : overlays) {
    SDL_Surface* lit = library_->find(id);
    int changed = 0;
    for (int y = 0; y < place.height; ++y)
      for (int x = 0; x < place.width; ++x) changed += pixel(lit, x, y) != pixel(face, place.x + x, place.y + y);
    EXPECT_GT(changed, place.width * place.height / 20) << id << " barely differs from the face";
  }
}

TEST_F(Pictures, InformationPagesAreAllDifferent) {
  for (std::size_t a = 0; a < picture::kInfoPages.size(); ++a)
    for (std::size_t b = a + 1; b < picture::kInfoPages.size(); ++b)
      EXPECT_FALSE(samePixels(library_->find(picture::kInfoPages[a]), library_->find(picture::kInfoPages[b])));
}

// The keys are measured on the painted face: inside each key's place the
// face shows a black key (dark) or a white key (light) all the way down, the
// 1-pixel gap right of every white key is dark, and so is the face just
// outside the keyboard.
TEST_F(Pictures, TheKeyPlacesAreTheKeysTheFaceDraws) {
  SDL_Surface* face = library_->find(picture::kFace);
  ASSERT_NE(face, nullptr);
  const auto brightness = [face](int x, int y) {
    const Uint32 value = pixel(face, x, y);
    return static_cast<int>(((value >> 16) & 0xFF) + ((value >> 8) & 0xFF) + (value & 0xFF)) / 3;
  };
  int whiteKeys = 0;
  for (int key = 1; key <= layout::kKeyboardKeys; ++key) {
    const Rect place = layout::keyPlace(key);
    const bool black = layout::isBlackKey(key);
    // The middle column of a black key; a white key below the black keys.
    const int x = place.x + place.width / 2;
    const int top = black ? place.y + 4 : place.y + layout::kBlackKeyHeight + 3;
    for (int y = top; y < place.y + place.height - 4; ++y) {
      if (black) {
        ASSERT_LT(brightness(x, y), 90) << "black key " << key << " at (" << x << ", " << y << ")";
      } else {
        for (int column = place.x; column < place.x + place.width; ++column)
          ASSERT_GT(brightness(column, y), 140) << "white key " << key << " at (" << column << ", " << y << ")";
      }
    }
    if (black) continue;
    ++whiteKeys;
    EXPECT_LT(brightness(place.x + place.width, place.y + place.height - 8), 60) << "the gap right of key " << key;
  }
  EXPECT_EQ(whiteKeys, layout::kKeyboardWhiteKeys);
  const Rect keys = layout::kKeyboard;
  EXPECT_LT(brightness(keys.x - 3, keys.y + keys.height - 8), 60) << "left of C1";
  EXPECT_LT(brightness(keys.x + keys.width + 2, keys.y + keys.height - 8), 60) << "right of B5";
  // A black key's first column left and right: the white keys around it are
  // light there, so the black key is no wider than its place.
  for (int key : {2, 4, 7, 9, 11, 59}) {
    const Rect place = layout::keyPlace(key);
    EXPECT_GT(brightness(place.x - 1, place.y + place.height - 4), 140) << "left of black key " << key;
    EXPECT_GT(brightness(place.x + place.width + 1, place.y + place.height - 4), 100) << "right of black key " << key;
  }
}

// A lit key is lit where its key shows and the face's own pixels where the
// black keys cut into it; the melody's light and the other voices' differ.
TEST_F(Pictures, LitKeysLightOnlyTheKeyTheyLieOn) {
  SDL_Surface* face = library_->find(picture::kFace);
  for (int shape = 0; shape < layout::kKeyShapes; ++shape) {
    const auto keyShape = static_cast<layout::KeyShape>(shape);
    const Rect place = layout::keyPlace(layout::sampleKeyOf(keyShape));
    SDL_Surface* voice = library_->find(litKeyPicture(shape, false));
    SDL_Surface* melody = library_->find(litKeyPicture(shape, true));
    ASSERT_NE(voice, nullptr);
    ASSERT_NE(melody, nullptr);
    EXPECT_FALSE(samePixels(voice, melody)) << "shape " << shape;
    const int lowY = place.height - 6;  // below the black keys
    EXPECT_NE(pixel(voice, 5, lowY), pixel(face, place.x + 5, place.y + lowY)) << "shape " << shape << " is lit";
    EXPECT_GT(red(pixel(melody, 5, lowY)), red(pixel(voice, 5, lowY))) << "the melody's light is the warmer";
    if (keyShape == layout::KeyShape::kWhiteCutLeft || keyShape == layout::KeyShape::kWhiteCutBoth) {
      EXPECT_EQ(pixel(voice, 1, 12), pixel(face, place.x + 1, place.y + 12)) << "the black key on the left, unlit";
    }
    if (keyShape == layout::KeyShape::kWhiteCutRight || keyShape == layout::KeyShape::kWhiteCutBoth) {
      EXPECT_EQ(pixel(melody, 13, 12), pixel(face, place.x + 13, place.y + 12)) << "the black key on the right, unlit";
    }
  }
}

TEST(PictureCatalog, IdsAreUniqueAndFoundByLookUp) {
  std::set<PictureId> ids;
  for (const PictureEntry& entry : pictureCatalog()) {
    EXPECT_TRUE(ids.insert(entry.id).second) << entry.id << " twice";
    EXPECT_EQ(findPicture(entry.id), &entry);
  }
  EXPECT_EQ(findPicture(PictureId{1074}), nullptr);
  ASSERT_NE(findPicture(PictureId{1000}), nullptr);
  EXPECT_EQ(findPicture(PictureId{1000})->kind, PictureKind::kPhraseMode);
  EXPECT_EQ(findPicture(PictureId{1000})->index, 9);
}

}  // namespace
}  // namespace brisolt::platform

namespace brisolt::platform {
namespace {

// Started splash first, the library paints the others one by one or when
// they are looked for, and they come out the same as painted all at once.
TEST_F(Pictures, SplashFirstPaintsTheRestLaterAndTheSame) {
  std::string error;
  const auto started = PictureLibrary::paintSplashFirst(error);
  ASSERT_NE(started, nullptr) << error;
  EXPECT_EQ(started->count(), 1u) << "only the splash at first";
  ASSERT_NE(started->find(picture::kSplash), nullptr);

  SDL_Surface* face = started->find(picture::kFace);  // looked for: painted now
  ASSERT_NE(face, nullptr);
  EXPECT_TRUE(samePixels(face, library_->find(picture::kFace)));

  std::size_t steps = 0;
  while (started->paintNext()) ++steps;
  EXPECT_EQ(started->count(), library_->count());
  EXPECT_EQ(steps, library_->count() - 2) << "the splash and the face were painted already";
  for (const PictureEntry& entry : pictureCatalog()) {
    SDL_Surface* later = started->find(entry.id);
    ASSERT_NE(later, nullptr) << "picture " << entry.id.value;
    EXPECT_TRUE(samePixels(later, library_->find(entry.id))) << "picture " << entry.id.value;
  }
}

}  // namespace
}  // namespace brisolt::platform
