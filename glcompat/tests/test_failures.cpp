// The layer's loud failures: calls outside what it covers print what they were, record a
// GL error, and abort when asked to; GL errors it detects are reported too.
#include <string>
#include <vector>

#include "compare.h"
#include "glcompat/glcompat.h"

namespace glctest {
namespace {

constexpr GLenum kPolygon = 0x0009;  // GL_POLYGON: a primitive the demo never draws

class Failures : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    MakeCurrent(Side::Layer);
    lgl_SetAbortOnUnsupported(0);
  }
  // Runs the calls, returns what they printed and expects `error` from glGetError.
  std::string Expect(void (*calls)(), GLenum error) {
    testing::internal::CaptureStderr();
    calls();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lgl_GetError(), error) << printed;
    EXPECT_EQ(lgl_GetError(), static_cast<GLenum>(GL_NO_ERROR));  // read once, then cleared
    return printed;
  }
};

TEST_F(Failures, UnsupportedPrimitiveIsRecordedAndDrawsNothing) {
  const unsigned long draws = lgl_DrawCount();
  const std::string printed = Expect([] { lgl_Begin(kPolygon); }, GL_INVALID_ENUM);
  EXPECT_NE(printed.find("glBegin: mode 0x0009 is not supported"), std::string::npos) << printed;
  Expect(
      [] {
        lgl_Vertex3f(0, 0, 0);  // no primitive open: nothing gathered
        lgl_End();
      },
      GL_INVALID_OPERATION);
  EXPECT_EQ(lgl_DrawCount(), draws);
}

TEST_F(Failures, UnsupportedPrimitiveAbortsWhenAsked) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        lgl_SetAbortOnUnsupported(1);
        lgl_Begin(kPolygon);
      },
      "glcompat: glBegin: mode 0x0009 is not supported");
}

TEST_F(Failures, StateCallsInsideAListAreRefused) {
  const std::string printed = Expect(
      [] {
        lgl_NewList(lgl_GenLists(1), GL_COMPILE);
        lgl_Enable(GL_LIGHTING);
        lgl_EndList();
      },
      GL_INVALID_ENUM);
  EXPECT_NE(printed.find("glEnable: recording into display list"), std::string::npos) << printed;
  EXPECT_EQ(lgl_IsEnabled(GL_LIGHTING), GL_FALSE);
}

TEST_F(Failures, OutsideTheCoveredSubset) {
  const auto unsupported = [](void (*calls)()) {
    testing::internal::CaptureStderr();
    calls();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("is not supported"), std::string::npos) << printed;
    EXPECT_EQ(lgl_GetError(), static_cast<GLenum>(GL_INVALID_ENUM)) << printed;
  };
  unsupported([] {
    GLuint names[2] = {1, 1};
    lgl_GenBuffers(2, names);  // the capture path's pack buffers
  });
  unsupported([] {
    uint8_t depth[4];
    lgl_ReadPixels(0, 0, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, depth);
  });
  unsupported([] {
    GLuint texture = 0;
    lgl_GenTextures(1, &texture);
    lgl_BindTexture(GL_TEXTURE_2D, texture);
    const std::vector<uint8_t> texels = Pattern(6, 4, 4, 0);
    lglu_Build2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, 6, 4, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  });
  unsupported([] { lgl_TexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_BLEND)); });
  unsupported([] { lgl_Fogi(GL_FOG_MODE, GL_LINEAR); });
  unsupported([] { lgl_CullFace(GL_FRONT_AND_BACK); });
}

TEST_F(Failures, GlErrorsOfTheLayerAndOfGles2) {
  Expect([] { lgl_Viewport(0, 0, -1, -1); }, GL_INVALID_VALUE);  // found by GLES2 itself
  Expect([] { lgl_PopMatrix(); }, GL_STACK_UNDERFLOW);
  Expect(
      [] {
        lgl_MatrixMode(GL_PROJECTION);
        for (int i = 0; i < 40; ++i) lgl_PushMatrix();
      },
      GL_STACK_OVERFLOW);
}

// The program's handler gets each message as one line, and nothing goes to stderr beside
// it; taken away, the messages are on stderr again.
std::vector<std::string> Told;
TEST_F(Failures, MessagesGoWhereTheProgramSays) {
  Told.clear();
  lgl_SetMessageHandler([](const char* line) { Told.push_back(line); });
  std::string printed = Expect([] { lgl_PopMatrix(); }, GL_STACK_UNDERFLOW);
  lgl_SetMessageHandler(nullptr);
  EXPECT_EQ(printed, "");
  ASSERT_EQ(Told.size(), 1u);
  EXPECT_EQ(Told[0].rfind("glcompat: glPopMatrix: ", 0), 0u) << Told[0];
  EXPECT_EQ(Told[0].find('\n'), std::string::npos) << Told[0];
  printed = Expect([] { lgl_PopMatrix(); }, GL_STACK_UNDERFLOW);
  EXPECT_EQ(printed, Told[0] + "\n");
  EXPECT_EQ(Told.size(), 1u);
}

}  // namespace
}  // namespace glctest
