// The layer's whole GL 1.1 state, and the helpers its parts share.
#pragma once
#include <GLES2/gl2.h>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "glcompat/glcompat.h"

namespace glcompat {

constexpr int kLights = 3;
constexpr size_t kModelviewDepth = 32, kProjectionDepth = 4;
constexpr int kLevels = 16;

using Mat4 = std::array<float, 16>;  // column-major, as GL keeps it
Mat4 Identity();
Mat4 Multiply(const Mat4& a, const Mat4& b);  // a * b

// One vertex as the programs read it; lists and immediate mode store the same layout.
struct Vertex {
  float position[3];
  float color[4];
  float normal[3];
  float texcoord[2];
};
// Attributes a list vertex may take from the state at glCallList time instead of its own.
enum Attribute : unsigned { kColor = 1, kNormal = 2, kTexcoord = 4, kAllAttributes = 7 };

struct Light {
  float ambient[4] = {0, 0, 0, 1}, diffuse[4] = {0, 0, 0, 1}, specular[4] = {0, 0, 0, 1};
  float position[4] = {0, 0, 1, 0};  // eye space
  bool enabled = false;
};

struct Material {
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
  float specular[4] = {0, 0, 0, 1}, emission[4] = {0, 0, 0, 1};
  float shininess = 0;
};

struct Texture {
  GLenum format = 0;  // the GLES2 base format the texels were stored in
  int width[kLevels] = {}, height[kLevels] = {};
  GLint minFilter = 0x2702, magFilter = GL_LINEAR, wrapS = GL_REPEAT, wrapT = GL_REPEAT;  // GL's defaults
  std::vector<uint8_t> luminance;  // level 0 of a luminance texture, which GLES2 cannot read back
};

// The attributes the next vertex takes.
struct Current {
  float color[4] = {1, 1, 1, 1}, normal[3] = {0, 0, 1}, texcoord[2] = {0, 0};
};

struct State {
  bool texture2d = false, lighting = false, colorMaterial = false, fog = false, pointSmooth = false;
  bool blend = false, depthTest = false, cullFace = false, scissorTest = false;
  Current current;

  GLenum matrixMode = GL_MODELVIEW;
  std::vector<Mat4> modelview{Identity()}, projection{Identity()};

  Light lights[kLights];
  float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
  Material material;
  float fogDensity = 1, fogStart = 0, fogEnd = 1, fogColor[4] = {0, 0, 0, 0};

  GLenum depthFunc = GL_LESS;
  bool depthMask = true;
  float pointSize = 1;
  GLint unpackAlignment = 4, packAlignment = 4;

  GLuint boundTexture = 0;
  std::unordered_map<GLuint, Texture> textures;

  GLenum error = GL_NO_ERROR;
  bool abortOnUnsupported =
#ifdef NDEBUG
      false;
#else
      true;
#endif
  unsigned long draws = 0;
  uint64_t serial = 1;  // bumped by every change a program's uniforms depend on
};
State& S();
inline void Changed() { ++S().serial; }

// A message through the installed handler (stderr by default), printf-style.
void Tell(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A call outside what the layer covers: "glcompat: CALL: WHAT 0xVALUE is not supported" told, GL_INVALID_ENUM for
// glGetError, and abort() when asked for.
void Unsupported(const char* call, const char* what, GLenum value);
// A GL error the layer detected (a stack overflow, glEnd without glBegin): "glcompat: CALL:
// WHY" told and the error for glGetError.
void Refuse(const char* call, const char* why, GLenum error);
// GL's rule that only vertex calls may come between glBegin and glEnd; false, and refused,
// when broken.
bool OutsideBeginEnd(const char* call);  // also draws the pending immediate primitives
bool InsideBeginEnd();
void FlushImmediate();
GLuint CompilingList();  // the list between glNewList and glEndList, or 0
inline bool Compiling() { return CompilingList() != 0; }
// For the calls a display list does not record: outside glBegin/glEnd and not compiling.
bool Immediate(const char* call);
// Where attribute calls write: the live attributes, or while compiling the list's own (the
// attribute bits given are then marked as set by the list).
Current& AttributeTarget(unsigned setting);

// Drawing: GL_TRIANGLES or GL_POINTS vertices from a buffer; the attributes in `inherited`
// are taken from the current state instead of the buffer.
struct DrawSource {
  GLuint buffer;
  GLint first;
  GLsizei count;
  GLenum mode;
  unsigned inherited;
};
void Submit(const DrawSource& source);
// Appends the vertices of one glBegin/glEnd as independent triangles (or points).
void Assemble(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>* out);

// Display lists record these while compiling; each returns true when it recorded the call.
bool RecordPrimitive(GLenum mode, const std::vector<Vertex>& vertices, unsigned defined);
unsigned ListDefinedAttributes();  // attributes the list being compiled has set so far
bool RecordCall(int kind, const float* args, int count, GLenum e1 = 0, GLenum e2 = 0);
enum ListCall {
  kCallBindTexture,
  kCallRotate,
  kCallTranslate,
  kCallScale,
  kCallMultMatrix,
  kCallPush,
  kCallPop,
  kCallLoadIdentity,
  kCallMaterial,
  kCallPointSize,
  kCallLight
};

void ReleasePrograms();
void ReleaseLists();
void ReleaseImmediate();
bool TextureComplete(const Texture& texture);

}  // namespace glcompat
