// The layer's entry points: one for each GL 1.1 / GLU call the project makes. <GL/gl.h>,
// <GL/glu.h> and <GL/glext.h> from this directory map the GL names onto them.
#pragma once
#include "glcompat/enums.h"
#include "glcompat/types.h"

#ifdef __cplusplus
extern "C" {
#endif

// Capabilities and fixed-function state.
void lgl_Enable(GLenum cap);
void lgl_Disable(GLenum cap);
GLboolean lgl_IsEnabled(GLenum cap);
void lgl_BlendFunc(GLenum sfactor, GLenum dfactor);
void lgl_DepthMask(GLboolean flag);
void lgl_DepthFunc(GLenum func);
void lgl_CullFace(GLenum mode);
void lgl_ShadeModel(GLenum mode);
void lgl_Hint(GLenum target, GLenum mode);
void lgl_PointSize(GLfloat size);
void lgl_Viewport(GLint x, GLint y, GLsizei width, GLsizei height);
void lgl_Scissor(GLint x, GLint y, GLsizei width, GLsizei height);
void lgl_Clear(GLbitfield mask);
void lgl_ClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void lgl_ClearDepth(GLclampd depth);
void lgl_Finish(void);
void lgl_Flush(void);

// Vertices.
void lgl_Begin(GLenum mode);
void lgl_End(void);
void lgl_Vertex3f(GLfloat x, GLfloat y, GLfloat z);
void lgl_Color4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void lgl_Normal3f(GLfloat nx, GLfloat ny, GLfloat nz);
void lgl_TexCoord2f(GLfloat s, GLfloat t);

// Matrices.
void lgl_MatrixMode(GLenum mode);
void lgl_LoadIdentity(void);
void lgl_PushMatrix(void);
void lgl_PopMatrix(void);
void lgl_Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void lgl_Translatef(GLfloat x, GLfloat y, GLfloat z);
void lgl_Scalef(GLfloat x, GLfloat y, GLfloat z);
void lgl_MultMatrixf(const GLfloat* m);
void lgl_MultMatrixd(const GLdouble* m);
void lgl_Ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);

// Display lists.
GLuint lgl_GenLists(GLsizei range);
void lgl_NewList(GLuint list, GLenum mode);
void lgl_EndList(void);
void lgl_CallList(GLuint list);
void lgl_DeleteLists(GLuint list, GLsizei range);

// Lighting and fog.
void lgl_Lightfv(GLenum light, GLenum pname, const GLfloat* params);
void lgl_LightModelfv(GLenum pname, const GLfloat* params);
void lgl_Materialfv(GLenum face, GLenum pname, const GLfloat* params);
void lgl_Materialf(GLenum face, GLenum pname, GLfloat param);
void lgl_ColorMaterial(GLenum face, GLenum mode);
void lgl_Fogf(GLenum pname, GLfloat param);
void lgl_Fogi(GLenum pname, GLint param);
void lgl_Fogfv(GLenum pname, const GLfloat* params);

// Textures.
void lgl_GenTextures(GLsizei n, GLuint* textures);
void lgl_DeleteTextures(GLsizei n, const GLuint* textures);
void lgl_BindTexture(GLenum target, GLuint texture);
GLboolean lgl_IsTexture(GLuint texture);
void lgl_TexParameteri(GLenum target, GLenum pname, GLint param);
void lgl_TexEnvf(GLenum target, GLenum pname, GLfloat param);
void lgl_TexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,
                    GLenum format, GLenum type, const GLvoid* pixels);
void lgl_GetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params);
void lgl_GetTexParameteriv(GLenum target, GLenum pname, GLint* params);
void lgl_GetTexEnviv(GLenum target, GLenum pname, GLint* params);
void lgl_GetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels);

// Pixels and queries.
void lgl_PixelStorei(GLenum pname, GLint param);
void lgl_ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels);
GLenum lgl_GetError(void);
const GLubyte* lgl_GetString(GLenum name);
void lgl_GetIntegerv(GLenum pname, GLint* params);
void lgl_GetFloatv(GLenum pname, GLfloat* params);
void lgl_GetDoublev(GLenum pname, GLdouble* params);
void lgl_GetBooleanv(GLenum pname, GLboolean* params);

// GLU.
void lglu_Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
GLint lglu_Build2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                          GLenum type, const void* data);

// Pixel-pack buffers: the desktop capture path only. Each reports itself unsupported.
void lgl_BindBuffer(GLenum target, GLuint buffer);
void lgl_GenBuffers(GLsizei n, GLuint* buffers);
void lgl_DeleteBuffers(GLsizei n, const GLuint* buffers);
void lgl_BufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
void* lgl_MapBuffer(GLenum target, GLenum access);
GLboolean lgl_UnmapBuffer(GLenum target);

#ifdef __cplusplus
}
#endif
