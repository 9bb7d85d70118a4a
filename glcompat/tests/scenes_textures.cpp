// Scenes for texture uploads in every source format the demo uses, mipmaps, the wrap
// modes, and texturing switched on and off or left without a complete texture.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "scene_kit.h"

namespace glctest::GLCTEST_SIDE {

namespace {
GLuint NewTexture(GLint minFilter, GLint wrapS, GLint wrapT) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
  return texture;
}

// Stripes behind, so that blending shows each texel's alpha.
void Backdrop() {
  glDisable(GL_TEXTURE_2D);
  for (int i = 0; i < 6; ++i) {
    glColor4f(i % 2 ? 0.8f : 0.1f, 0.3f + 0.1f * i, i % 3 ? 0.2f : 0.9f, 1);
    Quad(-3 + i, -3, -2 + i, 3, -0.01f);
  }
  glEnable(GL_TEXTURE_2D);
}

void ReadTexture(int width, Values* out) {
  GLint value = 0;
  for (int level : {0, 1}) {
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &value);
    out->push_back(value);
  }
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
  out->push_back(value);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
  out->push_back(value);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (GLenum format : {GL_BGRA_EXT, GL_RGB}) {
    std::vector<uint8_t> texels(static_cast<size_t>(width) * width * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
    out->insert(out->end(), texels.begin(), texels.end());
  }
}
}  // namespace

// 0 RGBA8 from BGRA, 1 RGBA8 from BGR, 2 RGB8 from BGRA (its alpha dropped), 3 RGB8 from
// BGR, 5 RGBA8 from LUMINANCE: mipmapped by GLU; 4 LUMINANCE8 from LUMINANCE and 6 RGB8
// from RGB with 4-byte row alignment, by glTexImage2D. Drawn large and small, blended by
// their alpha; the level sizes, parameters and texels are read back.
void TextureFormats(int variant, Values* out) {
  Start(0.5f, 0.5f, 0.5f);
  const GLint internal[] = {GL_RGBA8, GL_RGBA8, GL_RGB8, GL_RGB8, GL_LUMINANCE8, GL_RGBA8, GL_RGB8};
  const GLenum format[] = {GL_BGRA_EXT, GL_BGR_EXT, GL_BGRA_EXT, GL_BGR_EXT, GL_LUMINANCE, GL_LUMINANCE, GL_RGB};
  const int channels[] = {4, 3, 4, 3, 1, 1, 3};
  const bool direct = variant == 4 || variant == 6;
  const int size = variant == 6 ? 2 : 16;
  glTranslatef(0, 0, -4);
  Backdrop();
  const GLuint texture = NewTexture(direct ? GL_LINEAR : GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT, GL_REPEAT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, variant == 6 ? 4 : 1);
  const std::vector<uint8_t> pixels = Pattern(size, size, channels[variant], variant, variant == 6 ? 4 : 1);
  if (direct)
    glTexImage2D(GL_TEXTURE_2D, 0, internal[variant], size, size, 0, format[variant], GL_UNSIGNED_BYTE, pixels.data());
  else
    gluBuild2DMipmaps(GL_TEXTURE_2D, internal[variant], size, size, format[variant], GL_UNSIGNED_BYTE, pixels.data());
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.9f, 0.85f, 1, 0.9f);
  Quad(-1.6f, -1.2f, 0.8f, 1.2f, 0);
  Quad(1, -0.3f, 1.4f, 0.1f, 0, 0, 0, 3, 3);  // small: the smaller levels
  glDisable(GL_BLEND);
  ReadTexture(size, out);
  glDeleteTextures(1, &texture);
}

// Fine stripes on a plane running into the distance, so that every mip level shows.
void Mipmaps(int variant, Values*) {
  Start(0.2f, 0, 0);
  std::vector<uint8_t> pixels = Pattern(64, 64, 3, 9);
  for (size_t i = 0; i < pixels.size(); i += 3)
    if ((i / 3) % 2 == 0 || (i / 3 / 64) % 4 == 0) pixels[i + 1] = 255;  // one-texel stripes
  const GLuint texture = NewTexture(GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT, GL_REPEAT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, variant == 1 ? GL_RGB8 : GL_RGBA8, 64, 64, GL_BGR_EXT, GL_UNSIGNED_BYTE,
                    pixels.data());
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  glTranslatef(0, -1, -3);
  glRotatef(-75, 1, 0, 0);
  Quad(-3, -1, 3, 30, 0, 0, 0, 6, 30);
  glDeleteTextures(1, &texture);
}

// Each level of a 64 x 16 mipmapped texture drawn at exactly its own size, pixel for texel
// in an orthographic box: the pixels are that level's texels, GLU's rounding included,
// down through the levels one texel high, which GLU halves as pairs.
void MipLevels(int, Values*) {
  Start(0.2f, 0.2f, 0.2f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kWidth, 0, kHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  const GLuint texture = NewTexture(GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT, GL_REPEAT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, 64, 16, GL_BGRA_EXT, GL_UNSIGNED_BYTE, Pattern(64, 16, 4, 14).data());
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  float x = 2, y = 2;
  for (int level = 0; level <= 6; ++level) {
    const float w = static_cast<float>(64 >> level), h = static_cast<float>(std::max(1, 16 >> level));
    Quad(x, y, x + w, y + h, 0);
    (level == 0 ? y : x) += level == 0 ? 20 : w + 2;  // level 0 below, the rest in a row
  }
  glDeleteTextures(1, &texture);
}

// A 4 x 4 texture magnified over texture coordinates from -0.5 to 1.5: 0 GL_CLAMP on RGBA,
// 1 on RGB, 2 on luminance; 3 GL_CLAMP_TO_EDGE; 4 repeating across, clamped along (the fire
// texture's wraps); 5 GL_CLAMP mipmapped and drawn small.
void Clamp(int variant, Values*) {
  Start(0.1f, 0.3f, 0.1f);
  const GLint wrapS = variant == 3 ? GL_CLAMP_TO_EDGE : variant == 4 ? GL_REPEAT : GL_CLAMP;
  const GLint wrapT = variant == 3 ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  glTranslatef(0, 0, -4);
  Backdrop();
  const GLuint texture = NewTexture(variant == 5 ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR, wrapS, wrapT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (variant == 5) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, 32, 32, GL_BGRA_EXT, GL_UNSIGNED_BYTE, Pattern(32, 32, 4, 5).data());
  } else {
    const GLint internal = variant == 1 ? GL_RGB8 : variant == 2 ? GL_LUMINANCE8 : GL_RGBA8;
    const GLenum format = variant == 1 ? GL_RGB : variant == 2 ? GL_LUMINANCE : GL_BGRA_EXT;
    const int channels = variant == 1 ? 3 : variant == 2 ? 1 : 4;
    glTexImage2D(GL_TEXTURE_2D, 0, internal, 4, 4, 0, format, GL_UNSIGNED_BYTE, Pattern(4, 4, channels, 11).data());
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, 1);
  if (variant == 5) {
    for (int i = 0; i < 4; ++i)
      Quad(-1.5f + 0.8f * i, -0.3f, -1.2f + 0.8f * i + 0.1f * i, 0.1f + 0.1f * i, 0, -0.5f, -0.5f, 1.5f, 1.5f);
  } else {
    Quad(-1.5f, -1.5f, 1.5f, 1.5f, 0, -0.5f, -0.5f, 1.5f, 1.5f);
  }
  glDisable(GL_BLEND);
  glDeleteTextures(1, &texture);
}

// Texturing off and on between draws, a texture deleted while bound, a texture with no
// image, and a mipmapping filter with only level 0: GL then draws untextured.
void TextureSwitching(int, Values*) {
  Start(0.1f, 0.1f, 0.3f);
  glTranslatef(0, 0, -5);
  const GLuint full = NewTexture(GL_LINEAR, GL_REPEAT, GL_REPEAT);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, Pattern(8, 8, 4, 12).data());
  const GLuint empty = NewTexture(GL_LINEAR, GL_REPEAT, GL_REPEAT);
  const GLuint partial = NewTexture(GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT, GL_REPEAT);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 8, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, Pattern(8, 8, 3, 13).data());
  glColor4f(1, 0.9f, 0.7f, 1);
  const GLuint order[] = {full, empty, full, partial, 0, full};
  for (int i = 0; i < 6; ++i) {
    i % 3 == 2 ? glDisable(GL_TEXTURE_2D) : glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, order[i]);
    Quad(-2 + 0.7f * i, -1 + 0.2f * i, -1.4f + 0.7f * i, -0.2f + 0.2f * i, 0);
  }
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, full);
  GLuint names[] = {full, empty, partial};
  glDeleteTextures(3, names);  // unbinds: texture 0, no image
  Quad(-1, 1, 1, 1.8f, 0);
}

}  // namespace glctest::GLCTEST_SIDE
