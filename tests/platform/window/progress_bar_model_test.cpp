#include "platform/window/progress_bar_model.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

TEST(ProgressBarModel, StartsAtZeroOfHundredWithStepTen) {
  ProgressBarModel bar;
  EXPECT_EQ(bar.range(), (ProgressRange{0, 100}));
  EXPECT_EQ(bar.position(), 0);
  bar.step();
  EXPECT_EQ(bar.position(), 10);
}

TEST(ProgressBarModel, PositionStaysWithinTheRange) {
  ProgressBarModel bar;
  bar.setRange(0, 84);
  bar.setPosition(90);
  EXPECT_EQ(bar.position(), 84);
  bar.setPosition(-3);
  EXPECT_EQ(bar.position(), 0);
  bar.setPosition(60);
  bar.setRange(10, 40);  // a narrower range pulls the position in
  EXPECT_EQ(bar.position(), 40);
}

TEST(ProgressBarModel, EightyFourSingleStepsFillTheGenerationBarExactly) {
  ProgressBarModel bar;
  bar.setRange(0, 84);
  bar.setStep(1);
  for (int i = 0; i < 84; ++i) bar.step();
  EXPECT_EQ(bar.position(), 84);
  EXPECT_DOUBLE_EQ(bar.fraction(), 1.0);
  bar.step();  // past the end it starts over
  EXPECT_EQ(bar.position(), 0);
}

TEST(ProgressBarModel, FractionOfAnEmptyRangeIsZero) {
  ProgressBarModel bar;
  bar.setRange(5, 5);
  EXPECT_DOUBLE_EQ(bar.fraction(), 0.0);
  bar.setRange(0, 323);
  bar.setPosition(100);
  EXPECT_NEAR(bar.fraction(), 100.0 / 323.0, 1e-12);
}

}  // namespace
}  // namespace brisolt::platform
