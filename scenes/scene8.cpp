// Scene 8: a white Sierpinski tetrahedron slides in inside a fading translucent shell, a
// caption asks "too simple?", then three coloured lights circle it trailing glows.
#include <GL/gl.h>

#include "assets/assets.h"
#include "gfx/draw.h"
#include "gfx/overlays.h"
#include "gfx/texture.h"
#include "scenes/fractal.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
struct Scene8State {
  GLuint FractalList = 0;
  GLuint ShellList = 0;
  GLuint CaptionTexture = 0;
  Scene8Trails Trails;
  Scene8Frame Frame;
};
Scene8State State;
const SceneLight* const kLights = State.Frame.lights;

constexpr GLenum kLightNames[kScene8LightCount] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2};
constexpr int kFlareSprites[kScene8LightCount] = {1, 10, 9};  // orange, deep blue, lime glows
constexpr float kFlareHalfSize = 0.15f;

// One face type of a tetrahedron: its normal, then its triangles.
void CompileFaces(const Vec3 corners[4], int depth) {
  static Vec3 vertices[kFractalTrianglesPerFace * 3];
  for (int type = 1; type <= kFaceTypeCount; ++type) {
    const Vec3& n = kFaceNormals[type - 1];
    glNormal3f(n.x, n.y, n.z);
    const Vec3* end = EmitSierpinskiFace(type, depth, corners[0], corners[1], corners[2], corners[3], vertices);
    for (const Vec3* v = vertices; v != end; ++v) glVertex3f(v->x, v->y, v->z);
  }
}

void SetLights() {
  const float ambient[] = {0.15f, 0.15f, 0.2f, 1};
  const float none[] = {0, 0, 0, 0};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);  // stays in force for the later lit scenes
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  for (GLenum light : kLightNames) glEnable(light);
  for (int i = 0; i < kScene8LightCount; ++i) {
    glLightfv(kLightNames[i], GL_AMBIENT, none);
    glLightfv(kLightNames[i], GL_DIFFUSE, kLights[i].diffuse);
    glLightfv(kLightNames[i], GL_SPECULAR, none);
  }
  // Eye coordinates: the modelview is still the composer's identity.
  for (int i = 0; i < kScene8LightCount; ++i) glLightfv(kLightNames[i], GL_POSITION, kLights[i].position);
}

void FlareQuad(const float* p) {
  const float h = kFlareHalfSize;
  DrawTexturedQuad({0, 0, p[0] - h, p[1] - h, p[2]}, {1, 0, p[0] + h, p[1] - h, p[2]}, {1, 1, p[0] + h, p[1] + h, p[2]},
                   {0, 1, p[0] - h, p[1] + h, p[2]});
}

// Each light as a glow at its position and a fading trail of its last 31 positions; the
// fractal, depth tested, hides what lies behind it.
void DrawFlares(float s) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDepthMask(GL_FALSE);
  for (int i = 0; i < kScene8LightCount; ++i) {
    glBindTexture(GL_TEXTURE_2D, ShowTextures().SpriteTextures[kFlareSprites[i]]);
    glColor4f(s, s, s, 0);
    FlareQuad(kLights[i].position);
    for (int k = 1; k < kTrailLength; ++k) {
      const float g = TrailBrightness(k, s);
      glColor4f(g, g, g, 0);
      FlareQuad(State.Trails.trails[i].position[k]);
    }
  }
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
}
}  // namespace

void SetupScene8() {
  State.FractalList = glGenLists(1);
  State.ShellList = glGenLists(1);
  glNewList(State.FractalList, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  CompileFaces(kFractalCorners, kFractalDepth);
  glEnd();
  glEndList();
  glNewList(State.ShellList, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  CompileFaces(kShellCorners, 0);
  glEnd();
  glEndList();
  glGenTextures(1, &State.CaptionTexture);
  UploadClamped(kScene8CaptionImage, State.CaptionTexture, GL_RGBA8, GL_BGRA_EXT);
  State.Trails = Scene8Trails{};
}

void AdvanceScene8(const SceneFrame& frame) {
  UpdateScene8(frame.localTime, frame.duration, &State.Frame, &State.Trails, frame.Ticks(kTrailStepsPerSecond));
}

void DrawScene8(const SceneFrame& frame) {
  const float t = frame.localTime;

  SetLights();
  glPushMatrix();
  glDisable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 0);
  glTranslatef(State.Frame.x, 0, State.Frame.z);
  glRotatef(40 * t, 1, 0, 0);
  glRotatef(47.3f * t, 0, 1, 0);
  glCallList(State.FractalList);
  glDisable(GL_CULL_FACE);
  if (ShellShown(t)) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, ShellAlpha(t));
    glCallList(State.ShellList);  // lit, both sides, depth written
    glDisable(GL_BLEND);
  }
  if (CaptionShown(t)) DrawCaptionBand(State.CaptionTexture, CaptionBrightness(t));
  glPopMatrix();
  glEnable(GL_TEXTURE_2D);
  for (GLenum light : kLightNames) glDisable(light);
  glDisable(GL_LIGHTING);
  if (FlaresShown(t)) DrawFlares(State.Frame.s);
}

void ReleaseScene8() {
  if (State.FractalList) glDeleteLists(State.FractalList, 1);
  if (State.ShellList) glDeleteLists(State.ShellList, 1);
  State.FractalList = State.ShellList = 0;
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  if (State.CaptionTexture) glDeleteTextures(1, &State.CaptionTexture);
  State.CaptionTexture = 0;
}

}  // namespace lumaro
