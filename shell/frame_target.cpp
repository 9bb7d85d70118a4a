#define GL_GLEXT_PROTOTYPES 1
#include "shell/frame_target.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdint>

namespace lumaro {

namespace {
GLuint Framebuffer = 0, Colour = 0, Depth = 0;
int TargetWidth = 0, TargetHeight = 0;

// The window asks for 32 depth bits; 24 where the driver has no 32-bit renderbuffer.
bool MakeTarget(int width, int height) {
  glGenFramebuffers(1, &Framebuffer);
  glGenRenderbuffers(1, &Colour);
  glGenRenderbuffers(1, &Depth);
  glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, Colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);  // BGRA: read back by a copy
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Colour);
  for (GLenum depth : {GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT24}) {
    glBindRenderbuffer(GL_RENDERBUFFER, Depth);
    glRenderbufferStorage(GL_RENDERBUFFER, depth, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, Depth);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
      TargetWidth = width;
      TargetHeight = height;
      return true;
    }
  }
  ReleaseFrameTarget();
  return false;
}
}  // namespace

bool BindFrameTarget(int width, int height) {
  if (Framebuffer && (width != TargetWidth || height != TargetHeight)) ReleaseFrameTarget();
  if (!Framebuffer && !MakeTarget(width, height)) return false;
  glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer);
  return true;
}

void PresentFrameTarget(int windowWidth, int windowHeight) {
  if (!Framebuffer) return;  // drawn into the window itself
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  glViewport(0, 0, windowWidth, windowHeight);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);  // the bars
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
  const FittedRect r = FitFrame(TargetWidth, TargetHeight, windowWidth, windowHeight);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, Framebuffer);
  const bool same = r.width == TargetWidth && r.height == TargetHeight;
  glBlitFramebuffer(0, 0, TargetWidth, TargetHeight, r.x, r.y, r.x + r.width, r.y + r.height, GL_COLOR_BUFFER_BIT,
                    same ? GL_NEAREST : GL_LINEAR);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void ReleaseFrameTarget() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (Framebuffer) glDeleteFramebuffers(1, &Framebuffer);
  if (Colour) glDeleteRenderbuffers(1, &Colour);
  if (Depth) glDeleteRenderbuffers(1, &Depth);
  Framebuffer = Colour = Depth = 0;
  TargetWidth = TargetHeight = 0;
}

}  // namespace lumaro
