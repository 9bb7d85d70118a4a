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
  if (getPlatformDisplay)
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  return display;
}

EGLConfig ChooseConfig(int depthBits) {
  const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                               EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                               EGL_DEPTH_SIZE, depthBits, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(Display, attributes, &config, 1, &count) || count < 1) return nullptr;
  return config;
}
}  // namespace

bool HeadlessExists() { return Context != EGL_NO_CONTEXT; }

const char* HeadlessCreate(int width, int height) {
  Display = OpenDisplay();
  if (Display == EGL_NO_DISPLAY || !eglInitialize(Display, nullptr, nullptr)) {
    Display = EGL_NO_DISPLAY;
    return "Can't Create A GL Device Context.";
  }
  EGLConfig config = ChooseConfig(32);
  if (!config) config = ChooseConfig(24);  // closest match when 32 bits are refused
  if (!config || !eglBindAPI(EGL_OPENGL_API)) {
    HeadlessDestroy();
    return "Can't Find A Suitable PixelFormat.";
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  Surface = eglCreatePbufferSurface(Display, config, size);
  if (Surface == EGL_NO_SURFACE) {
    HeadlessDestroy();
    return "Window Creation Error.";
  }
  Context = eglCreateContext(Display, config, EGL_NO_CONTEXT, nullptr);
  if (Context == EGL_NO_CONTEXT) {
    HeadlessDestroy();
    return "Can't Create A GL Rendering Context.";
  }
  if (!eglMakeCurrent(Display, Surface, Surface, Context)) {
    HeadlessDestroy();
    return "Can't Activate The GL Rendering Context.";
  }
  return nullptr;
}

const char* HeadlessDestroy() {
  const char* failure = nullptr;
  if (Display == EGL_NO_DISPLAY) return nullptr;
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
  return failure;
}

}  // namespace lumaro
