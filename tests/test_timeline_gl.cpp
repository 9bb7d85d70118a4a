#include <GL/gl.h>

#include <vector>

#include "engine/timeline.h"
#include "gl_fixture.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
class TimelineSteps : public GlTest {
 protected:
  // The frame number at which each once-only step ran, for a clock sequence.
  std::vector<int> StepFrames(const std::vector<float>& clocks) {
    ResetTimeline();
    std::vector<int> ranAt(OnceStepCount, -1);
    for (size_t frame = 0; frame < clocks.size(); ++frame) {
      EnterScene(clocks[frame]);
      for (int s = 0; s < OnceStepCount; ++s)
        if (DoneFlag[s] && ranAt[s] < 0) ranAt[s] = static_cast<int>(frame);
    }
    return ranAt;
  }
};
}  // namespace

TEST_F(TimelineSteps, EachStepRunsOnceInScheduleOrder) {
  std::vector<float> clocks;
  float clock = 0;
  while (clock < 329.0f) clocks.push_back(clock += 0.04f);
  const std::vector<int> ranAt = StepFrames(clocks);
  // Set-up of scene 5 on its first frame (frame 500), its release on the first of scene 6.
  EXPECT_EQ(ranAt[SetupScene5Step] + 1, 500);
  EXPECT_EQ(clocks[ranAt[ReleaseScene5Step]], clocks[699]);
  EXPECT_EQ(ranAt[ReleaseScene14Step] + 1, 8201);
  for (int s = 1; s < OnceStepCount; ++s) {
    ASSERT_GE(ranAt[s], 0) << s;
    EXPECT_GE(ranAt[s], ranAt[s - 1]) << s;  // flags are set in their schedule order
  }
  // A release and the next set-up share their window's first frame.
  EXPECT_EQ(ranAt[ReleaseScene8Step], ranAt[SetupScene9Step]);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TimelineSteps, JumpingOverAWindowSkipsItsStepsHarmlessly) {
  // A real-time clock that leaps from 19 s to 30 s never sets scene 5 up, then releases it.
  const std::vector<int> ranAt = StepFrames({18.0f, 19.0f, 30.0f, 323.0f, 328.5f});
  EXPECT_EQ(ranAt[SetupScene5Step], -1);
  EXPECT_EQ(ranAt[ReleaseScene5Step], 2);
  EXPECT_EQ(ranAt[SetupScene14Step], -1);
  EXPECT_EQ(ranAt[ReleaseScene14Step], 4);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // A second release does nothing either.
  ReleaseScene5();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TimelineSteps, ExactlyTwelveDrawsSceneFourWithoutFade) {
  ResetTimeline();
  const SceneSlot* slot = EnterScene(12.0f);
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->scene, 4);
  EXPECT_EQ(EnterScene(-0.5f), nullptr);
}
