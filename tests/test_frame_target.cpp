// The offscreen frame shown in a window of another shape: scaled whole, centred, black bars,
// and the show's own state (its clear colour, its depth) untouched by the showing.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include "shell/frame_target.h"
#include "tests/gl_fixture.h"

using namespace lumaro;

namespace {
class FrameTarget : public GlTest {
 protected:
  void TearDown() override {
    ReleaseFrameTarget();
    GlTest::TearDown();
  }
  // A frame of one colour with a white first column, shown in the 320 x 240 pbuffer.
  std::vector<Rgb> Show(int width, int height) {
    EXPECT_TRUE(BindFrameTarget(width, height));
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, width, height);
    glClearColor(0.8f, 0.2f, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, height);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.8f, 0.2f, 0, 1);
    PresentFrameTarget(width_, height_);
    return ReadFrame();
  }
};
}  // namespace

// The bars (whole, centred, unstretched) the desktop test looks at in real windows; here
// what it cannot see: the bars' black is not left as the show's clear colour, and the frame
// has its depth.
TEST_F(FrameTarget, ShowingLeavesTheShowsClearColourAndTheFrameItsDepth) {
  const std::vector<Rgb> shown = Show(160, 40);  // 320 x 80 at y = 80
  EXPECT_EQ(Pixel(shown, 160, 79).sum(), 0);
  EXPECT_GT(Pixel(shown, 160, 80).r, 150);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.8f);
  ASSERT_TRUE(BindFrameTarget(160, 40));
  GLint depthBits = 0;
  glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE,
                                        &depthBits);
  EXPECT_GE(depthBits, 24);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST_F(FrameTarget, ANewDrawingSizeMakesANewFrame) {
  Show(100, 100);
  const std::vector<Rgb> shown = Show(320, 240);  // the window's own size: pixel for pixel
  EXPECT_GT(Pixel(shown, 0, 100).sum(), 700);     // the white column at the very edge
  EXPECT_LT(Pixel(shown, 1, 100).b, 10);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
