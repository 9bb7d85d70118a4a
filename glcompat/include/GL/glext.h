// Stands in for <GL/glext.h> over the GL 1.1 layer: the pixel-pack buffers of the desktop
// capture path. The layer has none; each call reports itself unsupported.
#pragma once
#include <GL/gl.h>

#define GL_PIXEL_PACK_BUFFER 0x88EB
#define GL_STREAM_READ 0x88E1
#define GL_READ_ONLY 0x88B8

#define glBindBuffer lgl_BindBuffer
#define glGenBuffers lgl_GenBuffers
#define glDeleteBuffers lgl_DeleteBuffers
#define glBufferData lgl_BufferData
#define glMapBuffer lgl_MapBuffer
#define glUnmapBuffer lgl_UnmapBuffer
