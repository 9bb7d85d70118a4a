// The flash analyser on made-up sequences at WCAG's thresholds, each case on the side the
// definition puts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "engine/flash_check.h"

namespace lumaro {
namespace {

constexpr int kWidth = 32, kHeight = 24;  // a 10.66 x 8 field, its quarter 21.33 pixels; cells are pixels
constexpr int kRate = 24;                 // frames a second: 3 and 4 flashes a second are whole frames

struct Rgb {
  uint8_t r, g, b;
};
Rgb Grey(uint8_t g) { return {g, g, g}; }

// The grey byte whose relative luminance is nearest to `target`.
uint8_t GreyNear(double target) {
  int best = 0;
  for (int g = 0; g < 256; ++g)
    if (std::fabs(RelativeLuminance(g, g, g) - target) < std::fabs(RelativeLuminance(best, best, best) - target))
      best = g;
  return static_cast<uint8_t>(best);
}

// Frame n's colour for the pixels that change, in these rectangles; the rest stay black.
using Colours = std::function<Rgb(int frame)>;
struct Area {
  int x, y, width, height;
  int late = 0;  // frames behind the colours
};

struct Played {
  FlashMeasure worst;  // the most flashes, the largest shares, a failing kind if any frame had one
  std::vector<FlashStretch> stretches;
};

Played Play(const Colours& colourAt, float seconds, std::vector<Area> changing = {{0, 0, kWidth, kHeight}}) {
  StartFlashCheck({.frameWidth = kWidth, .frameHeight = kHeight});
  std::vector<uint8_t> pixels(kWidth * kHeight * 3);
  Played run;
  for (int n = 0; n < seconds * kRate; ++n) {
    for (const Area& a : changing)
      for (int y = a.y; y < a.y + a.height; ++y)
        for (int x = a.x; x < a.x + a.width; ++x) {
          const Rgb c = colourAt(std::max(0, n - a.late));
          uint8_t* p = &pixels[3 * (y * kWidth + x)];
          p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    const FlashMeasure m = CheckFlashFrame({.pixels = pixels.data(), .time = static_cast<float>(n) / kRate});
    FlashMeasure& w = run.worst;
    w.generalFlashes = std::max(w.generalFlashes, m.generalFlashes), w.redFlashes = std::max(w.redFlashes, m.redFlashes);
    w.generalShare = std::max(w.generalShare, m.generalShare), w.redShare = std::max(w.redShare, m.redShare);
    if (m.Fails()) w.kind = m.kind;
  }
  run.stretches = FlashStretches();
  return run;
}

// Two colours in turn, `perSecond` flashes (pairs of changes) a second.
Colours Alternate(Rgb a, Rgb b, int perSecond) {
  const int half = kRate / (2 * perSecond);
  return [=](int n) { return (n / half) % 2 ? b : a; };
}

TEST(FlashCheck, LuminanceAndFieldFollowTheDefinitions) {
  EXPECT_DOUBLE_EQ(RelativeLuminance(0, 0, 0), 0);
  EXPECT_NEAR(RelativeLuminance(255, 255, 255), 1, 1e-6);
  EXPECT_NEAR(RelativeLuminance(10, 10, 10), 10 / 255.0 / 12.92, 1e-7);  // the linear part
  EXPECT_NEAR(RelativeLuminance(128, 128, 128), 0.2158605, 1e-6);        // the power part
  EXPECT_NEAR(RelativeLuminance(255, 0, 0), 0.2126, 1e-6);
  EXPECT_NEAR(RelativeLuminance(0, 0, 255), 0.0722, 1e-6);
  EXPECT_DOUBLE_EQ(FlashAreaLimit(1024, 768), 341 * 256 / 4);
  EXPECT_NEAR(FlashAreaLimit(320, 240), 2131.25, 1e-9);
}

TEST(FlashCheck, ThreeFlashesASecondPassAndFourFail) {
  const Played three = Play(Alternate(Grey(0), Grey(255), 3), 3);
  EXPECT_EQ(three.worst.generalFlashes, 3);
  EXPECT_FALSE(three.worst.Fails());
  EXPECT_TRUE(three.stretches.empty());
  const Played four = Play(Alternate(Grey(0), Grey(255), 4), 3);
  EXPECT_EQ(four.worst.generalFlashes, 4);
  EXPECT_EQ(four.worst.kind, FlashKind::General);
  EXPECT_DOUBLE_EQ(four.worst.generalShare, 1);
  EXPECT_EQ(four.worst.redFlashes, 0);
}

TEST(FlashCheck, AStretchCoversTheBurstThatFails) {
  const Colours burst = [](int n) { return n >= kRate && n < 3 * kRate && (n / 3) % 2 ? Grey(255) : Grey(0); };
  const Played run = Play(burst, 5);
  ASSERT_EQ(run.stretches.size(), 1u);
  const FlashStretch& s = run.stretches[0];
  EXPECT_EQ(s.kind, FlashKind::General);
  EXPECT_EQ(s.mostFlashes, 4);
  EXPECT_GE(s.from, 1.0f);  // the first change is at 1 s + 3 frames
  EXPECT_LE(s.from, 1.0f + 4.0f / kRate);
  EXPECT_GE(s.to, 3.0f - 1.0f / kRate);  // the last change is at the burst's end
  EXPECT_LT(s.to, 4.0f);                 // and a second later it is out of the window
}

TEST(FlashCheck, ChangesOfATenthOfLuminanceCountAndSmallerDoNot) {
  const uint8_t dark = GreyNear(0.30), smaller = GreyNear(0.39), larger = GreyNear(0.41);
  ASSERT_LT(RelativeLuminance(smaller, smaller, smaller) - RelativeLuminance(dark, dark, dark), 0.1);
  ASSERT_GT(RelativeLuminance(larger, larger, larger) - RelativeLuminance(dark, dark, dark), 0.1);
  EXPECT_EQ(Play(Alternate(Grey(dark), Grey(smaller), 6), 2).worst.generalFlashes, 0);
  EXPECT_TRUE(Play(Alternate(Grey(dark), Grey(larger), 6), 2).worst.Fails());
}

TEST(FlashCheck, OnlyADarkerStateBelowEightTenthsFlashes) {
  const uint8_t below = GreyNear(0.79), above = GreyNear(0.81);
  ASSERT_LT(RelativeLuminance(below, below, below), 0.8);
  ASSERT_GT(RelativeLuminance(above, above, above), 0.8);
  // Each against a state 0.15 brighter.
  const uint8_t belowBright = GreyNear(RelativeLuminance(below, below, below) + 0.15),
                aboveBright = GreyNear(RelativeLuminance(above, above, above) + 0.15);
  EXPECT_TRUE(Play(Alternate(Grey(below), Grey(belowBright), 6), 2).worst.Fails());
  EXPECT_EQ(Play(Alternate(Grey(above), Grey(aboveBright), 6), 2).worst.generalFlashes, 0);
}

TEST(FlashCheck, AnAreaOverAQuarterFieldFailsAndOneUnderPasses) {
  const Colours flashing = Alternate(Grey(0), Grey(255), 6);
  auto block = [](int x, int y, int w, int h, int late = 0) { return Area{x, y, w, h, late}; };
  const Played under = Play(flashing, 2, {block(0, 0, 7, 3)}), over = Play(flashing, 2, {block(0, 0, 11, 2)});
  EXPECT_FALSE(under.worst.Fails());
  EXPECT_EQ(under.worst.generalFlashes, 0);  // no flash of an area, too small
  EXPECT_EQ(over.worst.generalFlashes, 6);
  EXPECT_NEAR(over.worst.generalShare, 22 / (10.65625 * 8), 1e-9);
  // 24 pixels fail together; apart, no field holds both halves, and out of step, they do
  // not flash at the same time.
  EXPECT_TRUE(Play(flashing, 2, {block(0, 0, 4, 3), block(4, 0, 4, 3)}).worst.Fails());
  EXPECT_FALSE(Play(flashing, 2, {block(0, 0, 4, 3), block(28, 21, 4, 3)}).worst.Fails());
  EXPECT_FALSE(Play(flashing, 2, {block(0, 0, 4, 3), block(4, 0, 4, 3, 2)}).worst.Fails());
}

TEST(FlashCheck, SaturatedRedFlashesAndAPaleRedDoesNot) {
  // Each red against a grey as bright, so only the red measure changes.
  const Played saturated = Play(Alternate({255, 0, 0}, Grey(GreyNear(0.2126)), 6), 2);
  EXPECT_EQ(saturated.worst.kind, FlashKind::Red);
  EXPECT_EQ(saturated.worst.generalFlashes, 0);
  const Rgb pale{255, 128, 128};
  const Played unsaturated = Play(Alternate(pale, Grey(GreyNear(RelativeLuminance(255, 128, 128))), 6), 2);
  EXPECT_EQ(unsaturated.worst.redFlashes, 0);
  EXPECT_FALSE(unsaturated.worst.Fails());
}

TEST(FlashCheck, AFadeIsNoFlashAndAFlashOverTwoFramesIsOne) {
  const Colours fade = [](int n) {  // up over two seconds, down over two
    const int level = n < 2 * kRate ? n * 255 / (2 * kRate) : std::max(0, 255 - (n - 2 * kRate) * 255 / (2 * kRate));
    return Grey(static_cast<uint8_t>(level));
  };
  EXPECT_LE(Play(fade, 4).worst.generalFlashes, 1);
  // Each change in two steps of 0.06, neither a transition alone: 4 a second.
  const uint8_t dark = GreyNear(0.10), middle = GreyNear(0.16), bright = GreyNear(0.22);
  const Rgb cycle[] = {Grey(dark), Grey(middle), Grey(bright), Grey(bright), Grey(middle), Grey(dark)};
  const Played split = Play([&](int n) { return cycle[n % 6]; }, 2);
  EXPECT_EQ(split.worst.generalFlashes, 4);
  EXPECT_TRUE(split.worst.Fails());
}

}  // namespace
}  // namespace lumaro
