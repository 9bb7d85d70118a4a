// glGet* for the state the project and its tests ask about, all through one table of
// values converted per call.
#include "state.h"

namespace glcompat {

namespace {
// The values of `pname` into `out`; their count, or 0 for a name the layer does not answer.
int Values(GLenum pname, double out[16]) {
  const State& s = S();
  switch (pname) {
    case GL_MODELVIEW_MATRIX:
    case GL_PROJECTION_MATRIX: {
      const Mat4& m = pname == GL_MODELVIEW_MATRIX ? s.modelview.back() : s.projection.back();
      for (int i = 0; i < 16; ++i) out[i] = m[i];
      return 16;
    }
    case GL_MATRIX_MODE: out[0] = s.matrixMode; return 1;
    case GL_MODELVIEW_STACK_DEPTH: out[0] = static_cast<double>(s.modelview.size()); return 1;
    case GL_PROJECTION_STACK_DEPTH: out[0] = static_cast<double>(s.projection.size()); return 1;
    case GL_DEPTH_FUNC: out[0] = s.depthFunc; return 1;
    case GL_DEPTH_WRITEMASK: out[0] = s.depthMask; return 1;
    case GL_UNPACK_ALIGNMENT: out[0] = s.unpackAlignment; return 1;
    case GL_PACK_ALIGNMENT: out[0] = s.packAlignment; return 1;
    case GL_FOG_MODE: out[0] = GL_EXP; return 1;
    case GL_SCISSOR_BOX: {  // GLES2 keeps the box (its default is the surface's size)
      GLint box[4] = {};
      glGetIntegerv(GL_SCISSOR_BOX, box);
      for (int i = 0; i < 4; ++i) out[i] = box[i];
      return 4;
    }
    case GL_RED_BITS:
    case GL_GREEN_BITS:
    case GL_BLUE_BITS:
    case GL_ALPHA_BITS: {
      GLint bits = 0;
      glGetIntegerv(pname, &bits);
      out[0] = bits;
      return 1;
    }
    default: return 0;
  }
}

template <typename T, typename Convert>
void Get(const char* call, GLenum pname, T* params, Convert convert) {
  if (!OutsideBeginEnd(call)) return;
  double values[16];
  const int count = Values(pname, values);
  if (count == 0) return Unsupported(call, "name", pname);
  for (int i = 0; i < count; ++i) params[i] = convert(values[i]);
}
}  // namespace

}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_GetIntegerv(GLenum pname, GLint* params) {
  Get("glGetIntegerv", pname, params, [](double v) { return static_cast<GLint>(v < 0 ? v - 0.5 : v + 0.5); });
}

void lgl_GetFloatv(GLenum pname, GLfloat* params) {
  Get("glGetFloatv", pname, params, [](double v) { return static_cast<GLfloat>(v); });
}

void lgl_GetDoublev(GLenum pname, GLdouble* params) {
  Get("glGetDoublev", pname, params, [](double v) { return v; });
}

void lgl_GetBooleanv(GLenum pname, GLboolean* params) {
  Get("glGetBooleanv", pname, params, [](double v) { return v != 0 ? GLboolean(GL_TRUE) : GLboolean(GL_FALSE); });
}

}  // extern "C"
