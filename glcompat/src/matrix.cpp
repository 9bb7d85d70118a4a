// The modelview and projection stacks and the calls that multiply onto them.
#include <cmath>

#include "state.h"

namespace glcompat {

Mat4 Identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Mat4 Multiply(const Mat4& a, const Mat4& b) {
  Mat4 r{};
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      r[column * 4 + row] = sum;
    }
  return r;
}

namespace {
Mat4& CurrentMatrix() { return S().matrixMode == GL_MODELVIEW ? S().modelview.back() : S().projection.back(); }
std::vector<Mat4>& CurrentStack() { return S().matrixMode == GL_MODELVIEW ? S().modelview : S().projection; }

void MultCurrent(const Mat4& m) {
  CurrentMatrix() = Multiply(CurrentMatrix(), m);
  Changed();
}

// The common head of every matrix call: legal here, and recorded when compiling a list.
bool Apply(const char* call, int kind, const float* args, int count) {
  if (!OutsideBeginEnd(call)) return false;
  return !RecordCall(kind, args, count);
}
}  // namespace

}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_MatrixMode(GLenum mode) {
  if (!Immediate("glMatrixMode")) return;
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION) return Unsupported("glMatrixMode", "mode", mode);
  S().matrixMode = mode;
}

void lgl_LoadIdentity(void) {
  if (!Apply("glLoadIdentity", kCallLoadIdentity, nullptr, 0)) return;
  CurrentMatrix() = Identity();
  Changed();
}

void lgl_PushMatrix(void) {
  if (!Apply("glPushMatrix", kCallPush, nullptr, 0)) return;
  std::vector<Mat4>& stack = CurrentStack();
  if (stack.size() >= (S().matrixMode == GL_MODELVIEW ? kModelviewDepth : kProjectionDepth))
    return Refuse("glPushMatrix", "matrix stack full", GL_STACK_OVERFLOW);
  stack.push_back(stack.back());
}

void lgl_PopMatrix(void) {
  if (!Apply("glPopMatrix", kCallPop, nullptr, 0)) return;
  std::vector<Mat4>& stack = CurrentStack();
  if (stack.size() <= 1) return Refuse("glPopMatrix", "matrix stack empty", GL_STACK_UNDERFLOW);
  stack.pop_back();
  Changed();
}

void lgl_Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const float args[] = {angle, x, y, z};
  if (!Apply("glRotatef", kCallRotate, args, 4)) return;
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return;
  x /= length, y /= length, z /= length;
  const double radians = angle * M_PI / 180.0;
  const float c = static_cast<float>(std::cos(radians)), s = static_cast<float>(std::sin(radians)), t = 1 - c;
  MultCurrent({x * x * t + c, y * x * t + z * s, x * z * t - y * s, 0, x * y * t - z * s, y * y * t + c,
               y * z * t + x * s, 0, x * z * t + y * s, y * z * t - x * s, z * z * t + c, 0, 0, 0, 0, 1});
}

void lgl_Translatef(GLfloat x, GLfloat y, GLfloat z) {
  const float args[] = {x, y, z};
  if (!Apply("glTranslatef", kCallTranslate, args, 3)) return;
  MultCurrent({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

void lgl_Scalef(GLfloat x, GLfloat y, GLfloat z) {
  const float args[] = {x, y, z};
  if (!Apply("glScalef", kCallScale, args, 3)) return;
  MultCurrent({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1});
}

void lgl_MultMatrixf(const GLfloat* m) {
  if (!Apply("glMultMatrixf", kCallMultMatrix, m, 16)) return;
  Mat4 matrix;
  for (int i = 0; i < 16; ++i) matrix[i] = m[i];
  MultCurrent(matrix);
}

void lgl_MultMatrixd(const GLdouble* m) {
  float f[16];
  for (int i = 0; i < 16; ++i) f[i] = static_cast<float>(m[i]);  // GL keeps single precision
  lgl_MultMatrixf(f);
}

void lgl_Ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  if (!Immediate("glOrtho")) return;
  if (left == right || bottom == top || zNear == zFar) return Refuse("glOrtho", "empty box", GL_INVALID_VALUE);
  const double w = right - left, h = top - bottom, d = zFar - zNear;
  const double m[16] = {
      2 / w, 0, 0, 0, 0, 2 / h, 0, 0, 0, 0, -2 / d, 0, -(right + left) / w, -(top + bottom) / h, -(zFar + zNear) / d,
      1};
  lgl_MultMatrixd(m);
}

void lglu_Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  if (!Immediate("gluPerspective")) return;
  const double f = 1 / std::tan(fovy * M_PI / 360.0), d = zNear - zFar;
  if (aspect == 0 || d == 0 || !std::isfinite(f)) return;  // GLU leaves the matrix alone
  const double m[16] = {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (zFar + zNear) / d, -1, 0, 0, 2 * zFar * zNear / d, 0};
  lgl_MultMatrixd(m);
}

}  // extern "C"
