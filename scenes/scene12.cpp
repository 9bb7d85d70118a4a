// Scene 12: a machine tunnel with three spoked wheels, ribbed rails, green energy clouds
// and streams of glows, seen from a camera that circles the middle wheel and rolls.
#include <GL/gl.h>

#include <cmath>

#include "assets/assets.h"
#include "gfx/draw.h"
#include "gfx/sine.h"
#include "gfx/texture.h"
#include "scenes/scenes.h"
#include "scenes/tunnel.h"

namespace lumaro {

namespace {
// The twelve pictures in their catalogue order.
enum TunnelTexture {
  HullTexture,
  RailTexture,
  RimTexture,
  HubCoreTexture,
  HubShellTexture,
  HubEndTexture,
  SpokeFaceTexture,
  SpokeSideTexture,
  AxisGlowTexture,
  CloudTexture,
  CloudTexture2,
  HubGlowTexture
};
static_assert(HubGlowTexture + 1 == kTunnelImageCount);
enum TunnelList { Tunnel, Rails, Wheel, GlowQuad, Sleeves, SmallQuad, TunnelListCount };
struct Scene12State {
  GLuint Textures[kTunnelImageCount] = {};
  GLuint Lists[TunnelListCount] = {};
};
Scene12State State;

struct Upload {
  unsigned format;
  int wrapS, wrapT;
};
constexpr Upload kSurface{.format = GL_BGRA_EXT, .wrapS = GL_REPEAT, .wrapT = GL_REPEAT};  // tiles both ways
constexpr Upload kGlow{.format = GL_BGRA_EXT, .wrapS = GL_CLAMP, .wrapT = GL_CLAMP};
constexpr Upload kCloud{.format = GL_BGR_EXT, .wrapS = GL_REPEAT, .wrapT = GL_CLAMP};  // around, not over the top
constexpr Upload kUploads[kTunnelImageCount] = {kSurface, kSurface, kSurface, kSurface, kSurface, kSurface,
                                                kSurface, kSurface, kGlow,    kCloud,   kCloud,   kGlow};

constexpr float kWheelSpacing = 6.0f;
constexpr float kRailsSpin = 20.0f, kCloudSpin = 35.0f;  // degrees a second

void Vertex(float s, float t, float radius, float angle, float z) {
  glTexCoord2f(s, t);
  glVertex3f(radius * FastCos(angle), radius * FastSin(angle), z);
}

void Grey(float g) { glColor4f(g, g, g, 0); }

GLuint BeginList(TunnelList which) {
  State.Lists[which] = glGenLists(1);
  glNewList(State.Lists[which], GL_COMPILE);
  return State.Lists[which];
}

void CompileTunnel() {
  BeginList(Tunnel);
  glBindTexture(GL_TEXTURE_2D, State.Textures[HullTexture]);
  for (int i = -kTunnelRings; i < kTunnelRings; ++i) {
    glBegin(GL_QUAD_STRIP);
    for (int j = 0; j <= kCircleSteps; ++j) {
      Grey(TunnelGrey(i));
      Vertex(0.5f * j, 0, 10, CircleAngle(j), 10.0f * i);
      Grey(TunnelGrey(i + 1));
      Vertex(0.5f * j, 2, 10, CircleAngle(j), 10.0f * (i + 1));
    }
    glEnd();
  }
  glEndList();
}

// Twelve channels open towards the wall: an inner face and two sides.
void CompileRails() {
  BeginList(Rails);
  glBindTexture(GL_TEXTURE_2D, State.Textures[RailTexture]);
  for (int m = 0; m < 12; ++m) {
    const float alpha = m * 30 * 0.017453292f, a1 = alpha + 0.05f, a2 = alpha - 0.05f;
    const struct { float r0, angle0, r1, angle1; } faces[3] = {{8, a1, 8, a2}, {8, a2, 9, a2}, {9, a1, 8, a1}};
    for (const auto& f : faces) {
      glBegin(GL_QUAD_STRIP);
      for (int i = -kTunnelRings; i < kTunnelRings; ++i) {
        Grey(TunnelGrey(i));
        Vertex(10.0f * i, 1, f.r0, f.angle0, 10.0f * i);
        Vertex(10.0f * i, 0, f.r1, f.angle1, 10.0f * i);
      }
      glEnd();
    }
  }
  glEndList();
}

// One strip round the axis: two rings, each (s, radius, z) with t = j * tScale.
void Ring(float s0, float r0, float z0, float s1, float r1, float z1, float tScale, bool swapST = false) {
  glBegin(GL_QUAD_STRIP);
  for (int j = 0; j <= kCircleSteps; ++j) {
    const float t = j * tScale;
    Vertex(swapST ? t : s0, swapST ? s0 : t, r0, CircleAngle(j), z0);
    Vertex(swapST ? t : s1, swapST ? s1 : t, r1, CircleAngle(j), z1);
  }
  glEnd();
}

void SpokeQuad(float s0, float t0, PolarPoint a, float za, float s1, float t1, PolarPoint b, float zb, float s2,
               float t2, PolarPoint c, float zc, float s3, float t3, PolarPoint d, float zd) {
  Vertex(s0, t0, a.radius, a.angle, za);
  Vertex(s1, t1, b.radius, b.angle, zb);
  Vertex(s2, t2, c.radius, c.angle, zc);
  Vertex(s3, t3, d.radius, d.angle, zd);
}

void CompileSpokes() {
  PolarPoint in[kSpokeCount][2], out[kSpokeCount][2];  // [k][0] the + side, [k][1] the - side
  for (int k = 0; k < kSpokeCount; ++k) SpokeCorners(k, &in[k][0], &in[k][1], &out[k][0], &out[k][1]);
  glBindTexture(GL_TEXTURE_2D, State.Textures[SpokeFaceTexture]);
  glBegin(GL_QUADS);
  for (int k = 0; k < kSpokeCount; ++k)  // fronts at z = 0.4
    SpokeQuad(0, 0, in[k][0], 0.4f, 1, 0, in[k][1], 0.4f, 1, 11.75f, out[k][1], 0.4f, 0, 11.75f, out[k][0], 0.4f);
  for (int k = 0; k < kSpokeCount; ++k)  // backs at z = -0.4
    SpokeQuad(0, 0, in[k][1], -0.4f, 1, 0, in[k][0], -0.4f, 1, 11.75f, out[k][0], -0.4f, 0, 11.75f, out[k][1], -0.4f);
  glEnd();
  glBindTexture(GL_TEXTURE_2D, State.Textures[SpokeSideTexture]);
  glBegin(GL_QUADS);
  for (int k = 0; k < kSpokeCount; ++k)
    SpokeQuad(0, 0, in[k][0], -0.4f, 1, 0, in[k][0], 0.4f, 1, 4.5f, out[k][0], 0.4f, 0, 4.5f, out[k][0], -0.4f);
  for (int k = 0; k < kSpokeCount; ++k)
    SpokeQuad(0, 0, in[k][1], 0.4f, 1, 0, in[k][1], -0.4f, 1, 4.5f, out[k][1], -0.4f, 0, 4.5f, out[k][1], 0.4f);
  glEnd();
}

void CompileWheel() {
  BeginList(Wheel);
  glColor4f(1, 1, 1, 0);
  glBindTexture(GL_TEXTURE_2D, State.Textures[RimTexture]);  // inner, outer, front, back
  Ring(0, 6, -0.5f, 1, 6, 0.5f, 1);
  Ring(1, 7, 0.5f, 0, 7, -0.5f, 1);
  Ring(0, 6, 0.5f, 1, 7, 0.5f, 1);
  Ring(1, 7, -0.5f, 0, 6, -0.5f, 1);
  const float third = 0.33333334f;
  glBindTexture(GL_TEXTURE_2D, State.Textures[HubCoreTexture]);
  Ring(0, 1, -1, 2, 1, 1, third);
  glBindTexture(GL_TEXTURE_2D, State.Textures[HubShellTexture]);
  Ring(2, 1.5f, 1, 0, 1.5f, -1, third);
  glBindTexture(GL_TEXTURE_2D, State.Textures[HubEndTexture]);
  Ring(0.3f, 1, 1, 0.7f, 1.5f, 1, third);
  Ring(0.7f, 1.5f, -1, 0.3f, 1, -1, third);
  CompileSpokes();
  glEndList();
}

void CompileSquare(TunnelList which, float h) {
  BeginList(which);
  DrawTexturedQuad({0, 0, -h, -h, 0}, {1, 0, h, -h, 0}, {1, 1, h, h, 0}, {0, 1, -h, h, 0});
  glEndList();
}

void CompileSleeves() {
  BeginList(Sleeves);
  const float sixth = 0.16666667f;
  Ring(1, 1.24f, -1, 0, 1.24f, -2, sixth, true);
  Ring(1, 1.24f, 1, 0, 1.24f, 2, sixth, true);
  glEndList();
}

void DrawOpaque(float t) {
  glCallList(State.Lists[Tunnel]);
  for (float step : {-kWheelSpacing, kWheelSpacing, kWheelSpacing}) {
    glTranslatef(0, 0, step);
    glCallList(State.Lists[Wheel]);
  }
  glTranslatef(0, 0, -kWheelSpacing);
  glPushMatrix();
  glRotatef(kRailsSpin * t, 0, 0, 1);
  glCallList(State.Lists[Rails]);
  glPopMatrix();
}

// Two layers of cloud counter-rotate at each of the three hubs.
void DrawClouds(float t) {
  glPushMatrix();
  for (int layer = 0; layer < 2; ++layer) {
    glBindTexture(GL_TEXTURE_2D, State.Textures[CloudTexture + layer]);
    glRotatef(layer == 0 ? kCloudSpin * t : -kCloudSpin * t, 0, 0, 1);
    glCallList(State.Lists[Sleeves]);
    glTranslatef(0, 0, kWheelSpacing);
    glCallList(State.Lists[Sleeves]);
    glTranslatef(0, 0, -2 * kWheelSpacing);
    glCallList(State.Lists[Sleeves]);
    glPopMatrix();
    glPushMatrix();
  }
}

// The billboard matrix. The camera lives in the projection matrix, so a quad drawn in
// the world faces wherever the camera's rotations turned it. Undoing those three rotations
// in reverse order (leaving the orbit's translation out) gives B; a glow translated to its
// place and multiplied by B lies parallel to the view plane whatever the camera does. GL
// builds B on the pushed modelview and hands it back.
void ReadBillboardMatrix(const TunnelCamera& camera, double matrix[16]) {
  glLoadIdentity();
  glRotatef(-camera.worldRoll, 0, 0, 1);
  glRotatef(-camera.yaw, 0, 1, 0);
  glRotatef(-camera.roll, 0, 0, 1);
  glGetDoublev(GL_MODELVIEW_MATRIX, matrix);
  glPopMatrix();
}
}  // namespace

void SetupScene12() {
  for (int i = 0; i < kTunnelImageCount; ++i) {
    glGenTextures(1, &State.Textures[i]);
    UploadImage(kTunnelImages[i], State.Textures[i], GL_RGBA8, kUploads[i].format, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR,
                kUploads[i].wrapS, kUploads[i].wrapT);
  }
  CompileTunnel();
  CompileRails();
  CompileWheel();
  CompileSquare(GlowQuad, 1);
  CompileSleeves();
  CompileSquare(SmallQuad, 0.25f);
}

void DrawScene12(const SceneFrame& frame) {
  const float t = frame.localTime;
  const TunnelCamera camera = TunnelCameraAt(t);
  glDisable(GL_LIGHTING);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glMatrixMode(GL_PROJECTION);  // the camera rides on the projection, the world stays put
  glRotatef(camera.roll, 0, 0, 1);
  glRotatef(camera.yaw, 0, 1, 0);
  glTranslatef(5 * FastSin(camera.orbit), 0, -12 * FastCos(camera.orbit));
  glRotatef(camera.worldRoll, 0, 0, 1);
  glMatrixMode(GL_MODELVIEW);
  DrawOpaque(t);

  glDisable(GL_CULL_FACE);
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glColor4f(0.25f, 0.25f, 0.25f, 0);
  DrawClouds(t);
  double billboard[16];
  ReadBillboardMatrix(camera, billboard);

  glBindTexture(GL_TEXTURE_2D, State.Textures[AxisGlowTexture]);
  const double phase = AxisGlowPhase(t);
  for (int k = kAxisGlowFirst; k < kAxisGlowFirst + kAxisGlowCount; ++k) {
    glPushMatrix();
    const float z = AxisGlowZ(k, phase);
    glTranslatef(0, 0, z);
    glMultMatrixd(billboard);
    const float b = AxisGlowBrightness(k) * (frame.safe ? SafeGlowScale(t, z) : 1.0f);
    glColor4f(b, b, b, 0);
    glCallList(State.Lists[GlowQuad]);
    glPopMatrix();
  }
  glBindTexture(GL_TEXTURE_2D, State.Textures[HubGlowTexture]);
  glColor4f(1, 1, 1, 0);
  for (int j = 0; j < kHubGlowsPerSide; ++j)
    for (float z : kHubGlowDepths) {
      const Vec3 p = HubGlowPosition(j, z, t);
      glPushMatrix();
      glTranslatef(p.x, p.y, p.z);
      glMultMatrixd(billboard);
      glCallList(State.Lists[SmallQuad]);
      glPopMatrix();
    }
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glEnable(GL_LIGHTING);
}

void ReleaseScene12() {
  for (GLuint& texture : State.Textures) {
    if (texture) glDeleteTextures(1, &texture);
    texture = 0;
  }
  for (GLuint& list : State.Lists) {
    if (list) glDeleteLists(list, 1);
    list = 0;
  }
}

}  // namespace lumaro
