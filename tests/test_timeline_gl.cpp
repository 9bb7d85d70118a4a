#include <GL/gl.h>

#include <vector>

#include "engine/timeline.h"
#include "gl_fixture.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
// The frame at which each scene's set-up and release ran (-1: never), for a clock sequence.
struct StepFrames {
  int setUp[kSceneCount + 1], released[kSceneCount + 1];
};

class TimelineSteps : public GlTest {
 protected:
  StepFrames Run(const std::vector<float>& clocks) {
    ResetTimeline();
    StepFrames at;
    for (int& f : at.setUp) f = -1;
    for (int& f : at.released) f = -1;
    for (size_t frame = 0; frame < clocks.size(); ++frame) {
      EnterScene(clocks[frame]);
      for (int n = 1; n <= kSceneCount; ++n) {
        if (DoneFlag(n).setUp && at.setUp[n] < 0) at.setUp[n] = static_cast<int>(frame);
        if (DoneFlag(n).released && at.released[n] < 0) at.released[n] = static_cast<int>(frame);
      }
    }
    return at;
  }
};
}  // namespace

TEST_F(TimelineSteps, EachStepRunsOnceInScheduleOrder) {
  std::vector<float> clocks;
  float clock = 0;
  while (clock < 329.0f) clocks.push_back(clock += 0.04f);
  const StepFrames at = Run(clocks);
  // Set-up of scene 5 on its first frame (frame 500), its release on the first of scene 6.
  EXPECT_EQ(at.setUp[5] + 1, 500);
  EXPECT_EQ(clocks[at.released[5]], clocks[699]);
  EXPECT_EQ(at.released[14] + 1, 8201);
  int last = -1;
  for (const SceneSlot& slot : kSchedule) {
    if (!slot.ownsResources()) {
      EXPECT_EQ(at.setUp[slot.scene], -1) << slot.scene;  // nothing of its own to make
      continue;
    }
    ASSERT_GE(at.setUp[slot.scene], last) << slot.scene;
    // A release runs on the next window's first frame, before that window's set-up.
    EXPECT_GT(at.released[slot.scene], at.setUp[slot.scene]) << slot.scene;
    last = at.setUp[slot.scene];
  }
  EXPECT_EQ(at.released[8], at.setUp[9]);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TimelineSteps, JumpingOverAWindowSkipsItsStepsHarmlessly) {
  // A real-time clock that leaps from 19 s to 30 s never sets scene 5 up, then releases it.
  const StepFrames at = Run({18.0f, 19.0f, 30.0f, 323.0f, 328.5f});
  EXPECT_EQ(at.setUp[5], -1);
  EXPECT_EQ(at.released[5], 2);
  EXPECT_EQ(at.setUp[14], -1);
  EXPECT_EQ(at.released[14], 4);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // A second release does nothing either.
  ReleaseScene5();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
