// The lit keys of the face's keyboard: each key shape in the melody's warm
// light and in the quieter light of the other voices, painted over the key's
// place on the face so that the black keys cutting into a white key, the
// gaps and the key slip's shadow stay as the face has them.
#include <array>

#include "platform/window/pictures/keyboard_layout.h"
#include "platform/window/pictures/panel_style.h"
#include "platform/window/pictures/picture_painters.h"

namespace brisolt::platform {
namespace {

using namespace style;

struct KeyLightColours {
  Rgb whiteTop;
  Rgb whiteBottom;
  Rgb blackTop;
  Rgb blackBottom;
};

// [0] another voice: a cool, quiet blue-grey; [1] the melody: the amber of the displays.
constexpr std::array<KeyLightColours, 2> kLights{
    KeyLightColours{{206, 216, 226}, {138, 160, 184}, {120, 142, 166}, {62, 78, 98}},
    KeyLightColours{{255, 222, 160}, {250, 156, 58}, {255, 176, 84}, {196, 96, 26}}};

}  // namespace

void paintLitKey(Canvas& canvas, const Canvas& face, int index) {
  const auto shape = static_cast<layout::KeyShape>(index / 2);
  const KeyLightColours& light = kLights[static_cast<std::size_t>(index % 2)];
  const Rect place = layout::keyPlace(layout::sampleKeyOf(shape));
  canvas.copyFrom(face, place, 0, 0);

  if (shape == layout::KeyShape::kBlack) {
    canvas.fillRoundedGradient({0, 0, place.width, place.height}, 1.5, light.blackTop, light.blackBottom);
    canvas.fillRect({2, 3, 1, place.height - 7}, {255, 240, 220}, 0.35);  // the key's highlight, lit
  } else {
    canvas.verticalGradient({0, 0, place.width, place.height}, light.whiteTop, light.whiteBottom);
    canvas.fillRect({0, place.height - 3, place.width, 3}, light.whiteBottom, 1.0);
    canvas.fillRect({0, place.height - 3, place.width, 3}, kRecessShadow, 0.18);  // the key's front edge
    canvas.fillRect({0, 0, place.width, 3}, kRecessShadow, 0.45);                // the key slip's shadow
    canvas.fillRect({0, 0, place.width, 2}, kRecessShadow, 0.6);
    // The black keys that cut into this one, with their shadow, as the face has them.
    const int cutHeight = layout::kBlackKeyHeight + 1;
    const int leftCut = layout::kBlackKeyWidth / 2 + 1;
    const int rightCut = layout::kWhiteKeyPitch - layout::kBlackKeyWidth / 2;  // where the right black key begins
    if (shape == layout::KeyShape::kWhiteCutLeft || shape == layout::KeyShape::kWhiteCutBoth) {
      canvas.copyFrom(face, {place.x, place.y, leftCut, cutHeight}, 0, 0);
    }
    if (shape == layout::KeyShape::kWhiteCutRight || shape == layout::KeyShape::kWhiteCutBoth) {
      canvas.copyFrom(face, {place.x + rightCut, place.y, place.width - rightCut, cutHeight}, rightCut, 0);
    }
  }
}

}  // namespace brisolt::platform
