// Texture uploads shared by glTexImage2D, gluBuild2DMipmaps and the read-backs.
#pragma once
#include "state.h"

namespace glcompat {

// The GLES2 format that keeps what an internal format means (RGBA8 -> GL_RGBA, RGB8 ->
// GL_RGB, LUMINANCE8 -> GL_LUMINANCE); 0 for one the layer does not take.
GLenum BaseFormat(GLint internalFormat);
int Channels(GLenum format);  // bytes a pixel of a GL_UNSIGNED_BYTE source or target
// Source pixels in a client format, rows padded to `alignment`, as tightly packed texels of
// a base format: missing colour from luminance, missing alpha 1, luminance from red.
std::vector<uint8_t> ConvertPixels(const uint8_t* source, int width, int height, GLenum format, int alignment,
                                   GLenum base);
// Checks the arguments of an upload: false, reported for `call`, when outside the layer.
bool CheckUpload(const char* call, GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                 GLenum type);
// Stores one level of tightly packed texels in the bound texture.
void StoreLevel(int level, GLenum base, int width, int height, const uint8_t* texels);
Texture& BoundRecord();

}  // namespace glcompat
