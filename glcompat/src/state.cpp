// The state object, failure reporting, capabilities, glGetError and the layer's lifecycle.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "state.h"

namespace glcompat {

State& S() {
  static State state;
  return state;
}

namespace {
lgl_MessageHandler Handler = nullptr;  // outside State: a shutdown keeps it

void Record(GLenum error) {
  if (S().error == GL_NO_ERROR) S().error = error;  // GL keeps the first error until read
}

// The capabilities that only shape the layer's programs; GLES2 has the others itself.
bool* LayerCapability(GLenum cap) {
  State& s = S();
  switch (cap) {
    case GL_TEXTURE_2D: return &s.texture2d;
    case GL_LIGHTING: return &s.lighting;
    case GL_COLOR_MATERIAL: return &s.colorMaterial;
    case GL_FOG: return &s.fog;
    case GL_POINT_SMOOTH: return &s.pointSmooth;
    case GL_LIGHT0:
    case GL_LIGHT1:
    case GL_LIGHT2: return &s.lights[cap - GL_LIGHT0].enabled;
    default: return nullptr;
  }
}

bool* EsCapability(GLenum cap) {
  State& s = S();
  switch (cap) {
    case GL_BLEND: return &s.blend;
    case GL_DEPTH_TEST: return &s.depthTest;
    case GL_CULL_FACE: return &s.cullFace;
    case GL_SCISSOR_TEST: return &s.scissorTest;
    default: return nullptr;
  }
}

void SetCapability(const char* call, GLenum cap, bool on) {
  if (!Immediate(call)) return;
  if (bool* flag = EsCapability(cap)) {
    *flag = on;
    on ? glEnable(cap) : glDisable(cap);
    return;
  }
  bool* flag = LayerCapability(cap);
  if (!flag) return Unsupported(call, "capability", cap);
  // While it is on, the material's ambient and diffuse follow the current colour; once it
  // is off they keep the last colour.
  if (cap == GL_COLOR_MATERIAL && *flag && !on) {
    for (int i = 0; i < 4; ++i) S().material.ambient[i] = S().material.diffuse[i] = S().current.color[i];
  }
  *flag = on;
  Changed();
}

// What the layer passes through to GLES2 goes back to GL's defaults with the layer's own
// state, so that a context used again starts as a fresh one (the viewport and scissor box
// stay: their defaults are the surface's size).
void ResetEsState() {
  if (InsideBeginEnd()) return;
  FlushImmediate();
  for (GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_SCISSOR_TEST}) glDisable(cap);
  glBlendFunc(GL_ONE, GL_ZERO);
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glCullFace(GL_BACK);
  glClearColor(0, 0, 0, 0);
  glClearDepthf(1);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}
}  // namespace

void Tell(const char* format, ...) {
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  std::string line(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  std::vsnprintf(line.data(), line.size() + 1, format, again);
  va_end(again);
  va_end(args);
  if (Handler)
    Handler(line.c_str());
  else
    std::fprintf(stderr, "%s\n", line.c_str());
}

void Unsupported(const char* call, const char* what, GLenum value) {
  Tell("glcompat: %s: %s 0x%04X is not supported", call, what, value);
  Record(GL_INVALID_ENUM);
  if (S().abortOnUnsupported) std::abort();
}

void Refuse(const char* call, const char* why, GLenum error) {
  Tell("glcompat: %s: %s", call, why);
  Record(error);
}

bool OutsideBeginEnd(const char* call) {
  if (InsideBeginEnd()) {
    Refuse(call, "not allowed between glBegin and glEnd", GL_INVALID_OPERATION);
    return false;
  }
  FlushImmediate();  // drawn with the state they were given under, before it changes
  return true;
}

bool Immediate(const char* call) {
  if (!OutsideBeginEnd(call)) return false;
  if (!Compiling()) return true;
  Unsupported(call, "recording into display list", CompilingList());
  return false;
}

}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_Enable(GLenum cap) { SetCapability("glEnable", cap, true); }
void lgl_Disable(GLenum cap) { SetCapability("glDisable", cap, false); }

GLboolean lgl_IsEnabled(GLenum cap) {
  if (!OutsideBeginEnd("glIsEnabled")) return GL_FALSE;
  const bool* flag = EsCapability(cap);
  if (!flag) flag = LayerCapability(cap);
  if (!flag) {
    Unsupported("glIsEnabled", "capability", cap);
    return GL_FALSE;
  }
  return *flag ? GL_TRUE : GL_FALSE;
}

GLenum lgl_GetError(void) {
  const GLenum mine = S().error;
  S().error = GL_NO_ERROR;
  const GLenum es = glGetError();  // read either way, so that it does not linger
  return mine != GL_NO_ERROR ? mine : es;
}

void lgl_SetMessageHandler(lgl_MessageHandler handler) { Handler = handler; }

void lgl_SetAbortOnUnsupported(int abort_on_unsupported) { S().abortOnUnsupported = abort_on_unsupported != 0; }

unsigned long lgl_DrawCount(void) {
  if (!InsideBeginEnd()) FlushImmediate();
  return S().draws;
}

void lgl_Shutdown(void) {
  ResetEsState();
  ReleasePrograms();
  ReleaseLists();
  ReleaseImmediate();
  const bool abortOnUnsupported = S().abortOnUnsupported;
  S() = State{};
  S().abortOnUnsupported = abortOnUnsupported;
}

}  // extern "C"
