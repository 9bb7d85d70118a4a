// Scene 13: eight stone-textured metaballs flow together and apart ten units ahead, lit by
// three circling coloured lights, in front of three rippling magenta grid sheets.
#include <GL/gl.h>

#include "assets/assets.h"
#include "gfx/draw.h"
#include "gfx/texture.h"
#include "scenes/isosurface.h"
#include "scenes/ripples.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
struct Scene13State {
  GLuint GraniteTexture = 0, GridTexture = 0;
  GLuint RippleLists[kRippleFrames] = {};
};
Scene13State State;

constexpr float kClusterDistance = 10.0f, kSheetsBeyond = 15.0f;
constexpr float kBlobBox = 4.3f, kBlobThreshold = 2.0f;

struct BlobLight {
  GLenum name;
  float diffuse[4], specular[4];
};
constexpr BlobLight kLights[3] = {
    {GL_LIGHT0, {0, 0, 0.5f, 0}, {0, 0.5f, 1, 1}},       // blue
    {GL_LIGHT1, {0.5f, 0, 0, 0}, {1, 0.5f, 0, 1}},       // red
    {GL_LIGHT2, {0, 0.5f, 0, 0}, {0.25f, 1, 0.25f, 1}},  // green
};

void CompileRipple(int frame) {
  const float phase = frame * kRipplePhaseStep;
  float y0 = -10;
  for (int row = 0; row < RippleRows(); ++row, y0 += 2) {
    glBegin(GL_QUAD_STRIP);
    float x = -10;
    for (int column = 0; column < RippleColumns(); ++column, x += 2) {
      glTexCoord2f(0.5f * x, 0.5f * y0);
      glVertex3f(x, y0, RippleHeight(x, y0, phase));
      glTexCoord2f(0.5f * x, 0.5f * y0 + 1);
      glVertex3f(x, y0 + 2, RippleHeight(x, y0 + 2, phase));
    }
    glEnd();
  }
}

void SetLights(float t) {
  Vec3 at[3];
  BlobLightPositions(t, at);
  const float none[] = {0, 0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    const float position[] = {at[i].x, at[i].y, at[i].z, 1};
    glLightfv(kLights[i].name, GL_AMBIENT, none);
    glLightfv(kLights[i].name, GL_DIFFUSE, kLights[i].diffuse);
    glLightfv(kLights[i].name, GL_SPECULAR, kLights[i].specular);
    glLightfv(kLights[i].name, GL_POSITION, position);  // relative to the cluster's centre
  }
}

// The normal's x and y are the texture coordinates: the stone slides over the surface.
void DrawBlobs() {
  glBegin(GL_TRIANGLES);
  const IsoMesh& mesh = BuiltMesh();
  for (int n = 0; n < mesh.TriangleCount; ++n)
    for (int32_t index : mesh.TriangleBuffer[n]) {
      const IsoVertex& v = mesh.VertexBuffer[index];
      glTexCoord2f(v.nx, v.ny);
      glNormal3f(v.nx, v.ny, v.nz);
      glVertex3f(v.x, v.y, v.z);
    }
  glEnd();
}

void Sheet(GLuint list, float a1, Vec3 axis1, float a2, Vec3 axis2, float a3, Vec3 axis3) {
  glPushMatrix();
  glRotatef(a1, axis1.x, axis1.y, axis1.z);
  glRotatef(a2, axis2.x, axis2.y, axis2.z);
  glRotatef(a3, axis3.x, axis3.y, axis3.z);
  glCallList(list);
  glPopMatrix();
}
}  // namespace

void SetupScene13() {
  InitIsoSurface(-kBlobBox, kBlobBox, -kBlobBox, kBlobBox, -kBlobBox, kBlobBox, kBlobThreshold);
  glGenTextures(1, &State.GraniteTexture);
  UploadRepeating(kGraniteImage, State.GraniteTexture, GL_RGBA8, GL_BGR_EXT);
  glGenTextures(1, &State.GridTexture);
  UploadRepeating(kGridImage, State.GridTexture, GL_RGBA8, GL_BGRA_EXT);
  for (int n = 0; n < kRippleFrames; ++n) {
    State.RippleLists[n] = glGenLists(1);
    glNewList(State.RippleLists[n], GL_COMPILE);
    CompileRipple(n);
    glEndList();
  }
}

void DrawScene13(const SceneFrame& frame) {
  const float t = frame.localTime;
  BuildIsoSurface(t);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glTranslatef(0, 0, -kClusterDistance);
  SetLights(t);
  glEnable(GL_LIGHTING);
  for (const BlobLight& light : kLights) glEnable(light.name);
  const float white[] = {1, 1, 1, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 8);
  glColor4f(1, 1, 1, 0);
  glBindTexture(GL_TEXTURE_2D, State.GraniteTexture);
  DrawBlobs();

  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, State.GridTexture);
  glColor4f(0.75f, 0.75f, 0.75f, 0.5f);
  glTranslatef(0, 0, -kSheetsBeyond);
  const GLuint ripple = State.RippleLists[RippleFrameAt(t)];
  const Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
  Sheet(ripple, 22.3f * t, x, 29.8f * t, z, 13.7f * t, y);
  Sheet(ripple, 21.5f * t + 90, y, 15.9f * t, z, 18.7f * t, x);
  Sheet(ripple, 17.7f * t, y, 24.9f * t, x, 11.3f * t + 120, z);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
}

void ReleaseScene13() {
  FreeIsoSurface();
  if (State.GraniteTexture) glDeleteTextures(1, &State.GraniteTexture);
  if (State.GridTexture) glDeleteTextures(1, &State.GridTexture);
  State.GraniteTexture = State.GridTexture = 0;
  for (GLuint& list : State.RippleLists) {
    if (list) glDeleteLists(list, 1);
    list = 0;
  }
}

}  // namespace lumaro
