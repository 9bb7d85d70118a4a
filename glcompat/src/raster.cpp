// The per-fragment and framebuffer calls GLES2 has as they are, checked against what the
// project uses and mirrored for the queries; hints, which GLES2 lacks, are accepted.
#include <string>

#include "state.h"

namespace glcompat {
namespace {
bool BlendFactor(GLenum f) { return f == GL_ZERO || f == GL_ONE || f == GL_SRC_ALPHA || f == GL_ONE_MINUS_SRC_ALPHA; }
}  // namespace
}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_BlendFunc(GLenum sfactor, GLenum dfactor) {
  if (!Immediate("glBlendFunc")) return;
  if (!BlendFactor(sfactor)) return Unsupported("glBlendFunc", "source factor", sfactor);
  if (!BlendFactor(dfactor)) return Unsupported("glBlendFunc", "destination factor", dfactor);
  glBlendFunc(sfactor, dfactor);
}

void lgl_DepthMask(GLboolean flag) {
  if (!Immediate("glDepthMask")) return;
  S().depthMask = flag != GL_FALSE;
  glDepthMask(flag);
}

void lgl_DepthFunc(GLenum func) {
  if (!Immediate("glDepthFunc")) return;
  if (func != GL_LESS && func != GL_LEQUAL) return Unsupported("glDepthFunc", "function", func);
  S().depthFunc = func;
  glDepthFunc(func);
}

void lgl_CullFace(GLenum mode) {
  if (!Immediate("glCullFace")) return;
  if (mode != GL_BACK) return Unsupported("glCullFace", "face", mode);
  glCullFace(mode);
}

void lgl_Hint(GLenum target, GLenum mode) {
  if (!Immediate("glHint")) return;
  if (target != GL_PERSPECTIVE_CORRECTION_HINT && target != GL_POINT_SMOOTH_HINT && target != GL_POLYGON_SMOOTH_HINT)
    return Unsupported("glHint", "target", target);
  if (mode != GL_DONT_CARE && mode != GL_NICEST) Unsupported("glHint", "mode", mode);
}

void lgl_PointSize(GLfloat size) {
  if (!OutsideBeginEnd("glPointSize")) return;
  if (size <= 0) return Refuse("glPointSize", "size not positive", GL_INVALID_VALUE);
  if (RecordCall(kCallPointSize, &size, 1)) return;
  S().pointSize = size;
  Changed();
}

void lgl_Viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (Immediate("glViewport")) glViewport(x, y, width, height);
}

// The primitives given before it are drawn unclipped first (Immediate flushes them).
void lgl_Scissor(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (Immediate("glScissor")) glScissor(x, y, width, height);
}

void lgl_Clear(GLbitfield mask) {
  if (!Immediate("glClear")) return;
  if (mask & ~GLbitfield(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)) return Unsupported("glClear", "mask", mask);
  glClear(mask);
}

void lgl_ClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  if (Immediate("glClearColor")) glClearColor(red, green, blue, alpha);
}

void lgl_ClearDepth(GLclampd depth) {
  if (Immediate("glClearDepth")) glClearDepthf(static_cast<GLclampf>(depth));
}

void lgl_Finish(void) {
  if (OutsideBeginEnd("glFinish")) glFinish();
}

void lgl_Flush(void) {
  if (OutsideBeginEnd("glFlush")) glFlush();
}

// The renderer and vendor are the GLES2 driver's; the version says what the layer is.
const GLubyte* lgl_GetString(GLenum name) {
  if (!OutsideBeginEnd("glGetString")) return nullptr;
  if (name == GL_RENDERER || name == GL_VENDOR) return glGetString(name);
  if (name != GL_VERSION) {
    Unsupported("glGetString", "name", name);
    return nullptr;
  }
  static std::string version;
  const auto* es = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  version = std::string("1.1 glcompat over ") + (es ? es : "GLES2");
  return reinterpret_cast<const GLubyte*>(version.c_str());
}

}  // extern "C"
