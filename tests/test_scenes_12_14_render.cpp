// The pictures of the last scenes are the golden frames'; here what they leave behind.
#include <GL/gl.h>

#include "gl_fixture.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
class LastScenes : public SceneTest {
 protected:
  void SetUp() override { StartAt(400, 300); }
  void TearDown() override {
    ReleaseScene14();
    SceneTest::TearDown();
  }
};
}  // namespace

// From 328 s nothing is drawn: the timeline releases the end card and returns no scene.
TEST_F(LastScenes, AfterTheEndCardNothingIsDrawnAndTheCardIsReleased) {
  FrameAt(326.5f);
  EXPECT_FALSE(DoneFlag(14).released);
  EXPECT_EQ(EnterScene(328.0f), nullptr);
  EXPECT_TRUE(DoneFlag(14).released);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
