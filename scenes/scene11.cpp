// Scene 11: a caged ornament with fourteen balls tumbles among stars and three faint cloud
// sheets, lit cyan from inside, with a blue core glow and twelve pulsing orange corner glows.
#include "scenes/scene11.h"

#include <GL/gl.h>

#include <string>

#include "assets/assets.h"
#include "base/random.h"
#include "base/report.h"
#include "base/run_state.h"
#include "gfx/draw.h"
#include "gfx/texture.h"
#include "scenes/ornament_mesh.h"
#include "scenes/ornament_motion.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
struct Scene11State {
  GLuint OrnamentList = 0, StarList = 0, NebulaList = 0, CoreGlowList = 0, EdgeGlowList = 0;
  GLuint NebulaTexture = 0, BlueGlowTexture = 0, OrangeGlowTexture = 0;
};
Scene11State State;

constexpr float kBackgroundDistance = 1.5f;

struct LightSetting {
  GLenum name;
  float diffuse[4], specular[4];
};
constexpr LightSetting kLights[3] = {
    {GL_LIGHT0, {0.25f, 0.5f, 0.5f, 0}, {0.5f, 1, 1, 1}},        // cyan, at the cage's centre
    {GL_LIGHT1, {0.4f, 0.2f, 0.4f, 0}, {0.1f, 0.05f, 0.1f, 0}},  // purple, turning with the sky
    {GL_LIGHT2, {0.3f, 0.3f, 0.3f, 0}, {0.075f, 0.075f, 0.075f, 0}},
};

GLuint BeginList() {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  return list;
}

void CompileStars() {
  State.StarList = BeginList();
  glColor4f(0.9f, 0.9f, 1.0f, 1.0f);
  for (int pass = 0; pass < kStarPasses; ++pass) {
    glPointSize(StarPointSize(CurrentDrawingArea().ScreenWidth, pass));  // frozen at the set-up's width
    glBegin(GL_POINTS);
    for (int i = 0; i < kStarsPerPass; ++i) {
      const int r1 = rand();
      const int r2 = rand();
      const Vec3 p = StarPoint(r1, r2);
      glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
  }
  glEndList();
}

void SheetA() { DrawTexturedQuad({0, 0, -10, -10, -2}, {1, 0, 10, -10, -2}, {1, 1, 10, 10, -2}, {0, 1, -10, 10, -2}); }
void SheetB() { DrawTexturedQuad({0, 0, -20, -10, 10}, {0, 1, -20, 10, 10}, {1, 1, 20, 10, 10}, {1, 0, 20, -10, 10}); }

// Leaves the sheets' placement on the matrix: the two background lights are set under it.
void CompileNebula() {
  State.NebulaList = BeginList();
  glBindTexture(GL_TEXTURE_2D, State.NebulaTexture);
  glRotatef(60, 0, 1, 0);
  glRotatef(40, 0, 0, 1);
  glColor4f(0.35f, 0.15f, 0.15f, 0);
  SheetA();
  glTranslatef(-1, 0, 0);
  glRotatef(30, 0, 0, 1);
  glColor4f(0.15f, 0.15f, 0.35f, 0);
  SheetA();
  glRotatef(10, 1, 0, 0);
  glRotatef(45, 0, 0, 1);
  glColor4f(0.5f, 0.5f, 0.5f, 0);
  SheetB();
  glEndList();
}

void GlowSquare(float h) { DrawTexturedQuad({0, 0, -h, -h, 0}, {1, 0, h, -h, 0}, {1, 1, h, h, 0}, {0, 1, -h, h, 0}); }

void SetLights(Vec3 centre) {
  const float none[] = {0, 0, 0, 0};
  const float at[] = {centre.x, centre.y, centre.z, 1};
  for (const LightSetting& light : kLights) {
    glLightfv(light.name, GL_AMBIENT, none);
    glLightfv(light.name, GL_DIFFUSE, light.diffuse);
    glLightfv(light.name, GL_SPECULAR, light.specular);
    if (light.name == GL_LIGHT0) glLightfv(GL_LIGHT0, GL_POSITION, at);  // eye coordinates
  }
  glDisable(GL_LIGHTING);
}

void DrawBackground(float t) {
  glPushMatrix();
  glDepthMask(GL_FALSE);
  glTranslatef(0, 0, -kBackgroundDistance);
  glRotatef(20 * t, 1, 0, 0);
  glRotatef(23 * t, 0, 1, 0);
  glRotatef(14 * t, 0, 0, 1);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_POINT_SMOOTH);
  glCallList(State.StarList);
  glDisable(GL_POINT_SMOOTH);
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glCallList(State.NebulaList);
  const float behind[] = {0, 0, -4, 1}, before[] = {0, 0, 4, 1};
  glLightfv(GL_LIGHT1, GL_POSITION, behind);  // these two turn with the stars and clouds
  glLightfv(GL_LIGHT2, GL_POSITION, before);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glPopMatrix();
}

void RotateOrnament(float t) {
  glRotatef(35 * t, 0, 1, 0);
  glRotatef(27 * t, 1, 0, 0);
  glRotatef(21.3f * t, 0, 0, 1);
}
}  // namespace

// The facing matrix. A glow drawn at a point of the turning ornament should still face the
// viewer. After translating to the point (under the ornament's rotation R), multiplying by
// F = R^-1 * T(0, 0, -0.01) undoes R, so the glow square lies parallel to the screen again,
// and steps it 0.01 along the line of sight. R^-1 is the three rotations undone in reverse
// order; GL builds it and hands it back rather than the scene inverting matrices itself.
void ReadFacingMatrix(float t, float matrix[16]) {
  glPushMatrix();
  glLoadIdentity();
  glRotatef(-21.3f * t, 0, 0, 1);
  glRotatef(-27 * t, 1, 0, 0);
  glRotatef(-35 * t, 0, 1, 0);
  glTranslatef(0, 0, -0.01f);
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  glPopMatrix();
}

uint32_t BuildOrnamentList() {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glColor4f(0.45f, 0.45f, 0.5f, 0);
  const float white[] = {1, 1, 1, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 8);
  OrnamentMesh mesh;
  const Status parsed = ParseOrnamentMesh(kOrnamentMeshBlock.data, kOrnamentMeshBlock.size, &mesh);
  if (parsed.ok()) {
    glBegin(GL_TRIANGLES);
    for (int f = 0; f < mesh.faceCount; ++f) {
      const OrnamentFace face = OrnamentFaceAt(mesh, f);
      for (int k = 0; k < 3; ++k) {
        const Vec3 n = OrnamentNormal(mesh, face.normal[k]), p = OrnamentPosition(mesh, face.vertex[k]);
        glNormal3f(n.x, n.y, n.z);
        glVertex3f(p.x, p.y, p.z);
      }
    }
    glEnd();
  } else {
    Say("the ornament mesh is refused (" + parsed.why() + "); the scene shows only its glows");
  }
  glEndList();
  return list;
}

void SetupScene11() {
  State.OrnamentList = BuildOrnamentList();
  CompileStars();
  glGenTextures(1, &State.NebulaTexture);
  UploadClamped(kNebulaCloudImage, State.NebulaTexture, GL_RGB8, GL_BGR_EXT);
  CompileNebula();
  glGenTextures(1, &State.BlueGlowTexture);
  UploadClamped(kSpriteImages[10], State.BlueGlowTexture, GL_RGBA8, GL_BGR_EXT);
  glGenTextures(1, &State.OrangeGlowTexture);
  UploadClamped(kSpriteImages[1], State.OrangeGlowTexture, GL_RGBA8, GL_BGR_EXT);
  State.CoreGlowList = BeginList();
  glBindTexture(GL_TEXTURE_2D, State.BlueGlowTexture);
  glColor4f(1, 1, 1, 0);
  GlowSquare(0.3f);
  glEndList();
  State.EdgeGlowList = BeginList();
  glBindTexture(GL_TEXTURE_2D, State.OrangeGlowTexture);
  GlowSquare(0.05f);
  glEndList();
}

void DrawScene11(const SceneFrame& frame) {
  const float t = frame.localTime;
  const Vec3 centre = OrnamentCentre(t);
  glDisable(GL_TEXTURE_2D);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  SetLights(centre);
  DrawBackground(t);

  glEnable(GL_LIGHTING);
  for (const LightSetting& light : kLights) glEnable(light.name);
  glTranslatef(centre.x, centre.y, centre.z);  // stays for the rest of the frame
  glPushMatrix();
  RotateOrnament(t);
  glCallList(State.OrnamentList);

  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDepthMask(GL_FALSE);
  float facing[16];
  ReadFacingMatrix(t, facing);
  const float g = CornerGlowBrightness(t);
  glColor4f(g, g, g, 0);
  for (const Vec3& o : kCornerGlowOffsets) {
    glPushMatrix();
    glTranslatef(o.x, o.y, o.z);
    glMultMatrixf(facing);
    glCallList(State.EdgeGlowList);  // 0.01 behind the point and 0.01 before it: twice as bright
    glTranslatef(0, 0, 0.02f);
    glCallList(State.EdgeGlowList);
    glPopMatrix();
  }
  glPopMatrix();
  glCallList(State.CoreGlowList);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
}

void ReleaseScene11() {
  for (GLuint* list :
       {&State.OrnamentList, &State.StarList, &State.NebulaList, &State.CoreGlowList, &State.EdgeGlowList}) {
    if (*list) glDeleteLists(*list, 1);
    *list = 0;
  }
  for (GLuint* texture : {&State.NebulaTexture, &State.BlueGlowTexture, &State.OrangeGlowTexture}) {
    if (*texture) glDeleteTextures(1, texture);
    *texture = 0;
  }
}

}  // namespace lumaro
