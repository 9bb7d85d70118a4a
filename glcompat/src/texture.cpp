// Texture objects, their parameters and level uploads, converted at upload to what GLES2
// (and WebGL 1) take: unsized formats, RGBA byte order, GL_CLAMP_TO_EDGE for GL_CLAMP.
#include "texture.h"

#include <algorithm>

namespace glcompat {

namespace {
bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

bool Mipmapped(GLint minFilter) { return minFilter != GL_LINEAR && minFilter != GL_NEAREST; }

// WebGL 1 samples black from a non-power-of-two texture that repeats or has mipmaps; Mesa's
// GLES2 does not, so only this check catches it before the browser does.
void CheckWebSize(const char* call, const Texture& t, int width, int height) {
  if (PowerOfTwo(width) && PowerOfTwo(height)) return;
  if (Mipmapped(t.minFilter) || t.wrapS == GL_REPEAT || t.wrapT == GL_REPEAT)
    Unsupported(call, "a repeating or mipmapped texture of a size not a power of two, width", width);
}

bool CheckWrap(GLint param) { return param == GL_REPEAT || param == GL_CLAMP || param == GL_CLAMP_TO_EDGE; }

bool Reject(const char* call, const char* what, GLenum value) {
  Unsupported(call, what, value);
  return false;
}
}  // namespace

GLenum BaseFormat(GLint internalFormat) {
  switch (internalFormat) {
    case GL_RGBA8:
    case GL_RGBA: return GL_RGBA;
    case GL_RGB8:
    case GL_RGB: return GL_RGB;
    case GL_LUMINANCE8:
    case GL_LUMINANCE: return GL_LUMINANCE;
    default: return 0;
  }
}

int Channels(GLenum format) {
  switch (format) {
    case GL_RGBA:
    case GL_BGRA_EXT: return 4;
    case GL_RGB:
    case GL_BGR_EXT: return 3;
    case GL_LUMINANCE: return 1;
    default: return 0;
  }
}

std::vector<uint8_t> ConvertPixels(const uint8_t* source, int width, int height, GLenum format, int alignment,
                                   GLenum base) {
  const int in = Channels(format), out = Channels(base);
  const bool reversed = format == GL_BGR_EXT || format == GL_BGRA_EXT;
  const size_t stride = (static_cast<size_t>(width) * in + alignment - 1) / alignment * alignment;
  std::vector<uint8_t> texels(static_cast<size_t>(width) * height * out);
  uint8_t* q = texels.data();
  for (int y = 0; y < height; ++y) {
    const uint8_t* p = source + y * stride;
    for (int x = 0; x < width; ++x, p += in, q += out) {
      const uint8_t rgba[4] = {p[reversed ? 2 : 0], p[in > 1 ? 1 : 0], p[in > 1 && !reversed ? 2 : 0],
                               in == 4 ? p[3] : uint8_t(255)};
      std::copy(rgba, rgba + out, q);  // luminance takes red
    }
  }
  return texels;
}

bool CheckUpload(const char* call, GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                 GLenum type) {
  if (target != GL_TEXTURE_2D) return Reject(call, "target", target);
  if (!BaseFormat(internalFormat)) return Reject(call, "internal format", static_cast<GLenum>(internalFormat));
  if (!Channels(format)) return Reject(call, "format", format);
  if (type != GL_UNSIGNED_BYTE) return Reject(call, "type", type);
  if (width >= 0 && height >= 0) return true;
  Refuse(call, "negative size", GL_INVALID_VALUE);
  return false;
}

Texture& BoundRecord() { return S().textures[S().boundTexture]; }

void StoreLevel(int level, GLenum base, int width, int height, const uint8_t* texels) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, level, static_cast<GLint>(base), width, height, 0, base, GL_UNSIGNED_BYTE, texels);
  Texture& t = BoundRecord();
  t.width[level] = width;
  t.height[level] = height;
  if (level == 0) {
    t.format = base;
    t.luminance.clear();
    if (base == GL_LUMINANCE && texels) t.luminance.assign(texels, texels + static_cast<size_t>(width) * height);
  }
  Changed();
}

// Level 0, and with a mipmapping filter every level down to 1 x 1, each half the last.
bool TextureComplete(const Texture& t) {
  if (t.width[0] <= 0 || t.height[0] <= 0) return false;
  if (!Mipmapped(t.minFilter)) return true;
  int w = t.width[0], h = t.height[0];
  for (int level = 1; w > 1 || h > 1; ++level) {
    w = std::max(1, w / 2), h = std::max(1, h / 2);
    if (level >= kLevels || t.width[level] != w || t.height[level] != h) return false;
  }
  return true;
}

}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_GenTextures(GLsizei n, GLuint* textures) {
  if (OutsideBeginEnd("glGenTextures")) glGenTextures(n, textures);
}

void lgl_DeleteTextures(GLsizei n, const GLuint* textures) {
  if (!OutsideBeginEnd("glDeleteTextures")) return;
  for (GLsizei i = 0; i < n; ++i) {
    S().textures.erase(textures[i]);
    if (S().boundTexture == textures[i]) S().boundTexture = 0;
  }
  glDeleteTextures(n, textures);
  Changed();
}

void lgl_BindTexture(GLenum target, GLuint texture) {
  // Binding the bound texture again changes nothing, and so ends no run of primitives.
  if (texture == S().boundTexture && target == GL_TEXTURE_2D && !Compiling() && !InsideBeginEnd()) return;
  if (!OutsideBeginEnd("glBindTexture")) return;
  if (target != GL_TEXTURE_2D) return Unsupported("glBindTexture", "target", target);
  if (RecordCall(kCallBindTexture, nullptr, 0, texture)) return;
  S().boundTexture = texture;
  BoundRecord();
  glBindTexture(GL_TEXTURE_2D, texture);
  Changed();
}

GLboolean lgl_IsTexture(GLuint texture) { return OutsideBeginEnd("glIsTexture") ? glIsTexture(texture) : GL_FALSE; }

void lgl_TexParameteri(GLenum target, GLenum pname, GLint param) {
  const char* call = "glTexParameteri";
  if (!Immediate(call)) return;
  if (target != GL_TEXTURE_2D) return Unsupported(call, "target", target);
  Texture& t = BoundRecord();
  GLint es = param;
  switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
      if (param != GL_LINEAR && param != GL_LINEAR_MIPMAP_LINEAR) return Unsupported(call, "minifying filter", param);
      t.minFilter = param;
      break;
    case GL_TEXTURE_MAG_FILTER:
      if (param != GL_LINEAR) return Unsupported(call, "magnifying filter", param);
      t.magFilter = param;
      break;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
      if (!CheckWrap(param)) return Unsupported(call, "wrap mode", param);
      (pname == GL_TEXTURE_WRAP_S ? t.wrapS : t.wrapT) = param;
      if (param == GL_CLAMP) es = GL_CLAMP_TO_EDGE;  // the border's share is faded in the program
      break;
    default: return Unsupported(call, "parameter", pname);
  }
  glTexParameteri(GL_TEXTURE_2D, pname, es);
  Changed();
}

void lgl_TexEnvf(GLenum target, GLenum pname, GLfloat param) {
  if (!Immediate("glTexEnvf")) return;
  if (target != GL_TEXTURE_ENV) return Unsupported("glTexEnvf", "target", target);
  if (pname != GL_TEXTURE_ENV_MODE) return Unsupported("glTexEnvf", "parameter", pname);
  if (static_cast<GLenum>(param) != GL_MODULATE) Unsupported("glTexEnvf", "mode", static_cast<GLenum>(param));
}

void lgl_TexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,
                    GLenum format, GLenum type, const GLvoid* pixels) {
  const char* call = "glTexImage2D";
  if (!Immediate(call) || !CheckUpload(call, target, internalformat, width, height, format, type)) return;
  if (border != 0) return Unsupported(call, "border", static_cast<GLenum>(border));
  if (level < 0 || level >= kLevels) return Refuse(call, "level out of range", GL_INVALID_VALUE);
  if (level == 0) CheckWebSize(call, BoundRecord(), width, height);
  const GLenum base = BaseFormat(internalformat);
  const auto* source = static_cast<const uint8_t*>(pixels);
  const bool tight = S().unpackAlignment == 1 || (width * Channels(format)) % S().unpackAlignment == 0;
  if (!source || (format == base && tight)) return StoreLevel(level, base, width, height, source);
  const std::vector<uint8_t> texels = ConvertPixels(source, width, height, format, S().unpackAlignment, base);
  StoreLevel(level, base, width, height, texels.data());
}

}  // extern "C"
