// Windows' opengl32 exports only OpenGL 1.1; the later calls the frame target and the
// capture make (framebuffers, pixel buffers) are defined here, each forwarding to the
// driver's entry, fetched once from the current context.
#define GL_GLEXT_PROTOTYPES 1
#include <SDL.h>
#include <windows.h>
// After windows.h, which they need.
#include <GL/gl.h>
#include <GL/glext.h>

namespace {
template <typename Function>
Function Entry(Function* cached, const char* name) {
  if (!*cached) *cached = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
  return *cached;
}
}  // namespace

#define LUMARO_FORWARD(result, name, parameters, arguments) \
  extern "C" result APIENTRY name parameters {              \
    static result(APIENTRY* entry) parameters = nullptr;    \
    return Entry(&entry, #name) arguments;                  \
  }

LUMARO_FORWARD(void, glGenFramebuffers, (GLsizei n, GLuint* ids), (n, ids))
LUMARO_FORWARD(void, glDeleteFramebuffers, (GLsizei n, const GLuint* ids), (n, ids))
LUMARO_FORWARD(void, glBindFramebuffer, (GLenum target, GLuint id), (target, id))
LUMARO_FORWARD(GLenum, glCheckFramebufferStatus, (GLenum target), (target))
LUMARO_FORWARD(void, glFramebufferRenderbuffer, (GLenum target, GLenum point, GLenum kind, GLuint id),
               (target, point, kind, id))
LUMARO_FORWARD(void, glBlitFramebuffer,
               (GLint x0, GLint y0, GLint x1, GLint y1, GLint u0, GLint v0, GLint u1, GLint v1, GLbitfield mask,
                GLenum filter),
               (x0, y0, x1, y1, u0, v0, u1, v1, mask, filter))
LUMARO_FORWARD(void, glGenRenderbuffers, (GLsizei n, GLuint* ids), (n, ids))
LUMARO_FORWARD(void, glDeleteRenderbuffers, (GLsizei n, const GLuint* ids), (n, ids))
LUMARO_FORWARD(void, glBindRenderbuffer, (GLenum target, GLuint id), (target, id))
LUMARO_FORWARD(void, glRenderbufferStorage, (GLenum target, GLenum format, GLsizei width, GLsizei height),
               (target, format, width, height))
LUMARO_FORWARD(void, glGenBuffers, (GLsizei n, GLuint* ids), (n, ids))
LUMARO_FORWARD(void, glDeleteBuffers, (GLsizei n, const GLuint* ids), (n, ids))
LUMARO_FORWARD(void, glBindBuffer, (GLenum target, GLuint id), (target, id))
LUMARO_FORWARD(void, glBufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage),
               (target, size, data, usage))
LUMARO_FORWARD(void*, glMapBuffer, (GLenum target, GLenum access), (target, access))
LUMARO_FORWARD(GLboolean, glUnmapBuffer, (GLenum target), (target))
