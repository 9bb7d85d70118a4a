#include "contexts.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GLES2/gl2.h>

#include <cstddef>

namespace glctest {

namespace {
struct SideContext {
  EGLenum api;
  EGLint renderable;
  EGLSurface surface = EGL_NO_SURFACE;
  EGLContext context = EGL_NO_CONTEXT;
};
EGLDisplay Display = EGL_NO_DISPLAY;
SideContext Sides[2] = {{EGL_OPENGL_API, EGL_OPENGL_BIT}, {EGL_OPENGL_ES_API, EGL_OPENGL_ES2_BIT}};

EGLDisplay OpenDisplay() {
  auto get = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!get) return EGL_NO_DISPLAY;
  return get(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

// 8/8/8 without alpha where there is such a config: Mesa lists deeper colour first.
EGLConfig ChooseConfig(EGLint renderable) {
  const EGLint wanted[] = {EGL_SURFACE_TYPE,
                           EGL_PBUFFER_BIT,
                           EGL_RENDERABLE_TYPE,
                           renderable,
                           EGL_RED_SIZE,
                           8,
                           EGL_GREEN_SIZE,
                           8,
                           EGL_BLUE_SIZE,
                           8,
                           EGL_DEPTH_SIZE,
                           24,
                           EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(Display, wanted, configs, 64, &count) || count < 1) return nullptr;
  EGLConfig best = nullptr;
  int bestScore = -1;
  for (EGLint i = 0; i < count; ++i) {
    EGLint red = 0, green = 0, blue = 0, alpha = 0, depth = 0;
    eglGetConfigAttrib(Display, configs[i], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(Display, configs[i], EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(Display, configs[i], EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(Display, configs[i], EGL_ALPHA_SIZE, &alpha);
    eglGetConfigAttrib(Display, configs[i], EGL_DEPTH_SIZE, &depth);
    const int score = (red == 8 && green == 8 && blue == 8) * 4 + (depth == 24) * 2 + (alpha == 0);
    if (score > bestScore) best = configs[i], bestScore = score;
  }
  return best;
}

const char* OpenSide(SideContext* side, int width, int height) {
  EGLConfig config = ChooseConfig(side->renderable);
  if (!config || !eglBindAPI(side->api)) return "no 8/8/8 config with a 24-bit depth buffer";
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  side->surface = eglCreatePbufferSurface(Display, config, size);
  if (side->surface == EGL_NO_SURFACE) return "eglCreatePbufferSurface failed";
  const EGLint es2[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
  side->context = eglCreateContext(Display, config, EGL_NO_CONTEXT, side->api == EGL_OPENGL_ES_API ? es2 : nullptr);
  return side->context == EGL_NO_CONTEXT ? "eglCreateContext failed" : "";
}
}  // namespace

const char* OpenContexts(int width, int height) {
  if (Display == EGL_NO_DISPLAY) {
    Display = OpenDisplay();
    if (Display == EGL_NO_DISPLAY || !eglInitialize(Display, nullptr, nullptr)) {
      Display = EGL_NO_DISPLAY;
      return "no surfaceless EGL display";
    }
  }
  for (SideContext& side : Sides) {
    const char* failure = OpenSide(&side, width, height);
    if (*failure) {
      CloseContexts();
      return failure;
    }
  }
  return "";
}

// The display stays initialised for the next test: Mesa keeps its driver loaded anyway.
void CloseContexts() {
  for (SideContext& side : Sides) {
    eglBindAPI(side.api);
    eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (side.context != EGL_NO_CONTEXT) eglDestroyContext(Display, side.context);
    if (side.surface != EGL_NO_SURFACE) eglDestroySurface(Display, side.surface);
    side.context = EGL_NO_CONTEXT;
    side.surface = EGL_NO_SURFACE;
  }
}

// Each client API has its own current context in EGL: release the other side's first, so
// that the dispatch can only reach the one asked for.
void MakeCurrent(Side which) {
  const SideContext& other = Sides[which == Side::Native ? 1 : 0];
  const SideContext& side = Sides[which == Side::Native ? 0 : 1];
  eglBindAPI(other.api);
  eglMakeCurrent(Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglBindAPI(side.api);
  eglMakeCurrent(Display, side.surface, side.surface, side.context);
}

std::vector<uint8_t> ReadRgba(int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace glctest
