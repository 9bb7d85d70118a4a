// The GL 1.1 scalar types. Those GLES2 declares as well are left to it when its header came
// first, so that the layer's own sources see one definition.
#pragma once
#include <stddef.h>

#ifndef GL_ES_VERSION_2_0
typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef void GLvoid;
typedef int GLint;
typedef int GLsizei;
typedef unsigned char GLubyte;
typedef unsigned int GLuint;
typedef float GLfloat;
typedef float GLclampf;
typedef ptrdiff_t GLsizeiptr;
#endif
typedef double GLdouble;
typedef double GLclampd;
