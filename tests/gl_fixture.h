// A headless GL context with the demo's start-up state, for tests that render for real.
#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/composer.h"
#include "engine/startup.h"
#include "engine/timeline.h"
#include "gfx/draw.h"
#include "shell/options.h"
#include "shell/platform.h"

namespace lumaro {

struct Rgb {
  int r, g, b;
  int sum() const { return r + g + b; }
};

class GlTest : public ::testing::Test {
 protected:
  // The show's settings of these tests: no music, a fixed seed.
  static ShowSettings Settings() { return {.SoundOn = false, .seedGiven = true, .seed = 1}; }
  void StartAt(int width, int height, const ShowSettings& settings = Settings()) {
    width_ = width;
    height_ = height;
    SetDrawingArea({.ScreenWidth = width, .ScreenHeight = height});
    const Status created = CreateOffscreenContext(width, height);
    ASSERT_TRUE(created.ok()) << created.why();
    started_ = true;
    RenderStartup(settings);
  }
  void SetUp() override { StartAt(320, 240); }
  void TearDown() override {
    if (!started_) return;
    RenderShutdown();
    DestroyOffscreenContext();
  }

  // The frame as rows from the bottom, like glReadPixels gives it.
  std::vector<Rgb> ReadFrame() const {
    std::vector<unsigned char> raw(static_cast<size_t>(width_) * height_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    std::vector<Rgb> out(raw.size() / 3);
    for (size_t i = 0; i < out.size(); ++i) out[i] = {raw[i * 3], raw[i * 3 + 1], raw[i * 3 + 2]};
    return out;
  }
  Rgb Pixel(const std::vector<Rgb>& frame, int x, int y) const { return frame[static_cast<size_t>(y) * width_ + x]; }

  // Sum of brightness over a rectangle in fractions of the frame (0 = bottom/left).
  double Brightness(const std::vector<Rgb>& frame, double x0, double y0, double x1, double y1) const {
    double total = 0;
    for (int y = static_cast<int>(y0 * height_); y < static_cast<int>(y1 * height_); ++y)
      for (int x = static_cast<int>(x0 * width_); x < static_cast<int>(x1 * width_); ++x)
        total += Pixel(frame, x, y).sum();
    return total;
  }

  static bool Enabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }
  static GLint Integer(GLenum name) {
    GLint v = 0;
    glGetIntegerv(name, &v);
    return v;
  }

  int width_ = 0, height_ = 0;  // the drawing size

 private:
  bool started_ = false;
};

// Frames of the show drawn as the timeline would draw them.
class SceneTest : public GlTest {
 protected:
  // Draws the frame of this clock, running the once-only steps of its window.
  std::vector<Rgb> FrameAt(float clock) {
    const FrameSpan span{Clock().DemoClock, clock};  // live: the steps of the seconds it covers
    SetDemoClock(clock);
    const SceneSlot* slot = EnterScene(clock);
    EXPECT_NE(slot, nullptr);
    if (slot) ComposeFrame(*slot, span, false, ShownFrameRate());
    return ReadFrame();
  }
};

}  // namespace lumaro
