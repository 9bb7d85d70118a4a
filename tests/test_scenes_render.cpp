#include <GL/gl.h>

#include "base/random.h"
#include "engine/composer.h"
#include "engine/timeline.h"
#include "gfx/overlays.h"
#include "gl_fixture.h"
#include "scenes/particles.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
using Scenes = SceneTest;
}  // namespace

TEST_F(Scenes, CardFacingTheViewerShowsItsLetteringOnBlack) {
  const std::vector<Rgb> frame = FrameAt(2.0f);  // scene 1 at angle 0
  int lit = 0, black = 0;
  for (const Rgb& p : frame) {
    lit += p.sum() > 300;
    black += p.sum() == 0;
  }
  EXPECT_GT(lit, 1000);  // five copies make the dark lettering bright
  EXPECT_GT(black, width_ * height_ / 2);
  // Nothing above or below the card (it spans 0.5 units at 2 units: about a third of the height).
  EXPECT_EQ(Brightness(frame, 0, 0.75, 1, 1), 0);
  EXPECT_EQ(Brightness(frame, 0, 0, 1, 0.25), 0);
}

TEST_F(Scenes, CardEdgeOnShowsAlmostNothing) {
  const double edgeOn = Brightness(FrameAt(4.0f), 0, 0, 1, 1);  // scene 2 at -90
  const double faceOn = Brightness(FrameAt(6.0f), 0, 0, 1, 1);
  EXPECT_LT(edgeOn, faceOn * 0.02);
}

TEST_F(Scenes, TitleBandFillsTheMiddleHalfOnly) {
  const std::vector<Rgb> frame = FrameAt(24.0f);
  EXPECT_EQ(Brightness(frame, 0, 0.76, 1, 1), 0);
  EXPECT_EQ(Brightness(frame, 0, 0, 1, 0.24), 0);
  // The letters show the plasma: colour in the band's middle.
  EXPECT_GT(Brightness(frame, 0.1, 0.4, 0.9, 0.6), 50000);
  EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
  EXPECT_FALSE(Enabled(GL_BLEND));
  ReleaseScene5();
}

TEST_F(Scenes, FountainAndFireworksLightUpTheSky) {
  // The backdrop alone, for comparison.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawBackdrop(0);
  const double sky = Brightness(ReadFrame(), 0, 0.3, 1, 1);

  double fountain = 0;
  for (float t = 28.04f; t < 32.0f; t += 0.04f) {
    std::vector<Rgb> frame = FrameAt(t);
    fountain = Brightness(frame, 0, 0.3, 1, 1);
  }
  EXPECT_GT(fountain, sky * 1.05);

  double fireworks = 0;
  for (float t = 40.04f; t < 44.0f; t += 0.04f) fireworks = Brightness(FrameAt(t), 0, 0.3, 1, 1);
  EXPECT_GT(fireworks, sky * 1.02);
}
