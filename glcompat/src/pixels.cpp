// Reading pixels and textures back. GLES2 reads only RGBA bytes from a framebuffer, so
// every read goes through RGBA and is repacked into the format and row alignment asked
// for. The pixel-pack buffers of the desktop capture path are refused.
#include "texture.h"

namespace glcompat {

namespace {
// Bytes of each packed pixel, as indices into an RGBA pixel; 0 channels for other formats.
struct Packing {
  int channels;
  int index[4];
};
Packing PackingOf(GLenum format) {
  switch (format) {
    case GL_RGBA: return {4, {0, 1, 2, 3}};
    case GL_BGRA_EXT: return {4, {2, 1, 0, 3}};
    case GL_RGB: return {3, {0, 1, 2, 0}};
    case GL_BGR_EXT: return {3, {2, 1, 0, 0}};
    case GL_LUMINANCE: return {1, {0, 0, 0, 0}};  // a texture's luminance is its red
    default: return {0, {}};
  }
}

void Pack(const std::vector<uint8_t>& rgba, int width, int height, const Packing& packing, uint8_t* out) {
  const int alignment = S().packAlignment;
  const size_t stride = (static_cast<size_t>(width) * packing.channels + alignment - 1) / alignment * alignment;
  for (int y = 0; y < height; ++y) {
    uint8_t* q = out + y * stride;
    const uint8_t* p = &rgba[static_cast<size_t>(y) * width * 4];
    for (int x = 0; x < width; ++x, p += 4)
      for (int c = 0; c < packing.channels; ++c) *q++ = p[packing.index[c]];
  }
}

// Level 0 of the bound texture as RGBA: from the copy a luminance texture keeps (read as
// GL reads one: L, 0, 0, 1), else through a framebuffer it is attached to.
std::vector<uint8_t> TextureRgba(const Texture& t) {
  const int w = t.width[0], h = t.height[0];
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  if (t.format == GL_LUMINANCE) {
    for (size_t i = 0; i < t.luminance.size() && i * 4 < rgba.size(); ++i) {
      rgba[i * 4] = t.luminance[i];
      rgba[i * 4 + 3] = 255;
    }
    return rgba;
  }
  GLuint framebuffer = 0;
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, S().boundTexture, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &framebuffer);
  return rgba;
}

void NoBuffers(const char* call, GLenum value) {
  Unsupported(call, "pixel-pack buffers do not exist over GLES2; target/name", value);
}
}  // namespace

}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_PixelStorei(GLenum pname, GLint param) {
  if (!OutsideBeginEnd("glPixelStorei")) return;
  if (pname != GL_PACK_ALIGNMENT && pname != GL_UNPACK_ALIGNMENT) return Unsupported("glPixelStorei", "name", pname);
  if (param != 1 && param != 2 && param != 4 && param != 8)
    return Refuse("glPixelStorei", "alignment not 1, 2, 4 or 8", GL_INVALID_VALUE);
  (pname == GL_PACK_ALIGNMENT ? S().packAlignment : S().unpackAlignment) = param;
}

void lgl_ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) {
  if (!OutsideBeginEnd("glReadPixels")) return;
  const Packing packing = PackingOf(format);
  if (packing.channels < 3) return Unsupported("glReadPixels", "format", format);
  if (type != GL_UNSIGNED_BYTE) return Unsupported("glReadPixels", "type", type);
  if (width < 0 || height < 0) return Refuse("glReadPixels", "negative size", GL_INVALID_VALUE);
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  Pack(rgba, width, height, packing, static_cast<uint8_t*>(pixels));
}

void lgl_GetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels) {
  if (!OutsideBeginEnd("glGetTexImage")) return;
  if (target != GL_TEXTURE_2D) return Unsupported("glGetTexImage", "target", target);
  if (level != 0) return Unsupported("glGetTexImage", "level (GLES2 reads level 0 only)", static_cast<GLenum>(level));
  const Packing packing = PackingOf(format);
  if (!packing.channels) return Unsupported("glGetTexImage", "format", format);
  if (type != GL_UNSIGNED_BYTE) return Unsupported("glGetTexImage", "type", type);
  const Texture& t = BoundRecord();
  Pack(TextureRgba(t), t.width[0], t.height[0], packing, static_cast<uint8_t*>(pixels));
}

void lgl_GetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
  if (!OutsideBeginEnd("glGetTexLevelParameteriv")) return;
  if (target != GL_TEXTURE_2D) return Unsupported("glGetTexLevelParameteriv", "target", target);
  if (level < 0 || level >= kLevels) return Refuse("glGetTexLevelParameteriv", "level out of range", GL_INVALID_VALUE);
  const Texture& t = BoundRecord();
  if (pname == GL_TEXTURE_WIDTH)
    *params = t.width[level];
  else if (pname == GL_TEXTURE_HEIGHT)
    *params = t.height[level];
  else
    Unsupported("glGetTexLevelParameteriv", "name", pname);
}

void lgl_GetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
  if (!OutsideBeginEnd("glGetTexParameteriv")) return;
  if (target != GL_TEXTURE_2D) return Unsupported("glGetTexParameteriv", "target", target);
  const Texture& t = BoundRecord();
  switch (pname) {
    case GL_TEXTURE_MIN_FILTER: *params = t.minFilter; break;
    case GL_TEXTURE_MAG_FILTER: *params = t.magFilter; break;
    case GL_TEXTURE_WRAP_S: *params = t.wrapS; break;
    case GL_TEXTURE_WRAP_T: *params = t.wrapT; break;
    default: Unsupported("glGetTexParameteriv", "name", pname);
  }
}

void lgl_GetTexEnviv(GLenum target, GLenum pname, GLint* params) {
  if (!OutsideBeginEnd("glGetTexEnviv")) return;
  if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) return Unsupported("glGetTexEnviv", "name", pname);
  *params = GL_MODULATE;  // the only mode the layer takes
}

void lgl_BindBuffer(GLenum target, GLuint) { NoBuffers("glBindBuffer", target); }
void lgl_GenBuffers(GLsizei n, GLuint* buffers) {
  for (GLsizei i = 0; i < n; ++i) buffers[i] = 0;
  NoBuffers("glGenBuffers", 0);
}
void lgl_DeleteBuffers(GLsizei, const GLuint*) { NoBuffers("glDeleteBuffers", 0); }
void lgl_BufferData(GLenum target, GLsizeiptr, const void*, GLenum) { NoBuffers("glBufferData", target); }
void* lgl_MapBuffer(GLenum target, GLenum) {
  NoBuffers("glMapBuffer", target);
  return nullptr;
}
GLboolean lgl_UnmapBuffer(GLenum target) {
  NoBuffers("glUnmapBuffer", target);
  return GL_FALSE;
}

}  // extern "C"
