#include "shell/headless.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace lumaro {

namespace {
EGLDisplay Display = EGL_NO_DISPLAY;
EGLSurface Surface = EGL_NO_SURFACE;
EGLContext Context = EGL_NO_CONTEXT;

EGLDisplay OpenDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay display = EGL_NO_DISPLAY;
  if (getPlatformDisplay) display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  return display;
}

// The 24-bit colour of the windowed show. EGL lists deeper colour first, so a plain request
// for "at least 8 bits" gets Mesa's 10-bit buffer: a different picture, and read back
// through a slow conversion. An alpha channel is taken too, though nothing draws with it:
// then the pixels are stored as BGRA, which a capture reads back as a plain copy, where
// padded BGRX is converted pixel by pixel (a millisecond a frame at 800 x 600).
EGLConfig ChooseConfig(int depthBits) {
  const EGLint attributes[] = {EGL_SURFACE_TYPE,
                               EGL_PBUFFER_BIT,
                               EGL_RENDERABLE_TYPE,
                               EGL_OPENGL_BIT,
                               EGL_RED_SIZE,
                               8,
                               EGL_GREEN_SIZE,
                               8,
                               EGL_BLUE_SIZE,
                               8,
                               EGL_DEPTH_SIZE,
                               depthBits,
                               EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(Display, attributes, configs, 64, &count) || count < 1) return nullptr;
  EGLConfig best = configs[0];
  int bestScore = -1;
  for (EGLint i = 0; i < count; ++i) {
    EGLint red = 0, green = 0, blue = 0, alpha = 0;
    eglGetConfigAttrib(Display, configs[i], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(Display, configs[i], EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(Display, configs[i], EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(Display, configs[i], EGL_ALPHA_SIZE, &alpha);
    const int score = (red == 8 && green == 8 && blue == 8) * 2 + (alpha == 8);
    if (score > bestScore) best = configs[i], bestScore = score;
  }
  return best;
}
}  // namespace

bool HeadlessExists() { return Context != EGL_NO_CONTEXT; }

Status HeadlessCreate(int width, int height) {
  Display = OpenDisplay();
  if (Display == EGL_NO_DISPLAY || !eglInitialize(Display, nullptr, nullptr)) {
    Display = EGL_NO_DISPLAY;
    return Status::Failure("Can't Create A GL Device Context.");
  }
  EGLConfig config = ChooseConfig(32);
  if (!config) config = ChooseConfig(24);  // closest match when 32 bits are refused
  if (!config || !eglBindAPI(EGL_OPENGL_API)) {
    (void)HeadlessDestroy();  // the failed step is the news
    return Status::Failure("Can't Find A Suitable PixelFormat.");
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  Surface = eglCreatePbufferSurface(Display, config, size);
  if (Surface == EGL_NO_SURFACE) {
    (void)HeadlessDestroy();  // the failed step is the news
    return Status::Failure("Window Creation Error.");
  }
  Context = eglCreateContext(Display, config, EGL_NO_CONTEXT, nullptr);
  if (Context == EGL_NO_CONTEXT) {
    (void)HeadlessDestroy();  // the failed step is the news
    return Status::Failure("Can't Create A GL Rendering Context.");
  }
  if (!eglMakeCurrent(Display, Surface, Surface, Context)) {
    (void)HeadlessDestroy();  // the failed step is the news
    return Status::Failure("Can't Activate The GL Rendering Context.");
  }
  return {};
}

Status HeadlessDestroy() {
  const char* failure = nullptr;
  if (Display == EGL_NO_DISPLAY) return {};
  if (Context != EGL_NO_CONTEXT) {
    if (!eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT))
      failure = "Release Of DC And RC Failed.";
    if (!eglDestroyContext(Display, Context) && !failure) failure = "Release Rendering Context Failed.";
    Context = EGL_NO_CONTEXT;
  }
  if (Surface != EGL_NO_SURFACE) {
    if (!eglDestroySurface(Display, Surface) && !failure) failure = "Release Device Context Failed.";
    Surface = EGL_NO_SURFACE;
  }
  if (!eglTerminate(Display) && !failure) failure = "Could Not Unregister Class.";
  Display = EGL_NO_DISPLAY;
  return failure ? Status::Failure(failure) : Status();
}

}  // namespace lumaro
