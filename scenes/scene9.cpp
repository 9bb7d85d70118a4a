// Scene 9: a fireball with CPU flames and a corona tumbles over a red planet, settles,
// shoots towards the surface and explodes in a flash and two spinning flame rings.
#include <GL/gl.h>
#include <GL/glext.h>  // GL_CLAMP_TO_EDGE: past 1.1, which is all Windows' gl.h has

#include "assets/assets.h"
#include "gfx/draw.h"
#include "gfx/texture.h"
#include "scenes/fire.h"
#include "scenes/fireball.h"
#include "scenes/scenes.h"
#include "scenes/sky_box.h"

namespace lumaro {

namespace {
enum Scene9List { CoronaList, FlameSkinList, CoreList, SkyList, ScorchedList, ShockList, Scene9ListCount };
struct Scene9State {
  GLuint Lists[Scene9ListCount] = {};
  GLuint FireTexture = 0;
  GLuint SkyTextures[SkyImageCount] = {};  // the six faces, then the scorched front
  GLuint FlameRingTexture = 0;
  GLuint FlashTexture = 0;
  FireballMemory Memory;
  FireballPose Pose;
};
Scene9State State;

static_assert(SkyFront == 0 && SkyBack == kSkyFaceCount - 1, "sky images follow the faces' order");
constexpr float kBlastDepth = -22.0f;
constexpr float kRingSpin = 40.0f;  // degrees a second, one ring each way

void UploadFire() {
  glBindTexture(GL_TEXTURE_2D, State.FireTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, kFireSize, kFireSize, 0, GL_RGB, GL_UNSIGNED_BYTE, FireGrids().FireImage);
}

void SetupFire() {
  const bool ready = AllocateFire();
  glGenTextures(1, &State.FireTexture);
  glBindTexture(GL_TEXTURE_2D, State.FireTexture);
  SetTextureParameters(GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_CLAMP);
  if (ready) UploadFire();
  BuildFirePalette();
}

GLuint BeginList() {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  return list;
}

void CompileCorona() {
  State.Lists[CoronaList] = BeginList();
  for (int i = 0; i < kCoronaStrips; ++i) {
    glBegin(GL_QUAD_STRIP);
    for (int j = 0; j <= kSphereSegments; ++j) {
      const float s = j / static_cast<float>(kSphereSegments);
      for (int ring : {i, i + 1}) {
        const Vec3 p = CoronaPoint(ring, j);
        glTexCoord2f(s, CoronaT(ring));
        glVertex3f(p.x, p.y, p.z);
      }
    }
    glEnd();
  }
  glEndList();
}

// The flame skin carries grey levels and texture coordinates, the core only colours.
void CompileSphere(Scene9List which) {
  State.Lists[which] = BeginList();
  for (int i = 0; i < kSphereRings; ++i) {
    glBegin(GL_QUAD_STRIP);
    for (int j = 0; j <= kSphereSegments; ++j) {
      for (int ring : {i + 1, i}) {
        if (which == FlameSkinList) {
          const float g = FlameSkinGrey(ring);
          glColor4f(g, g, g, 0);
          glTexCoord2f(j / static_cast<float>(kSphereSegments), 0.9f - ring / 15.0f);
        } else {
          float rgb[3];
          CoreColour(ring, rgb);
          glColor4f(rgb[0], rgb[1], rgb[2], 0);
        }
        const Vec3 p = SpherePoint(ring, j);
        glVertex3f(p.x, p.y, p.z);
      }
    }
    glEnd();
  }
  glEndList();
}

void SkyFace(int image, const Vec3 (&c)[4]) {
  glBindTexture(GL_TEXTURE_2D, State.SkyTextures[image]);
  DrawTexturedQuad({0, 0, c[0].x, c[0].y, c[0].z}, {1, 0, c[1].x, c[1].y, c[1].z}, {1, 1, c[2].x, c[2].y, c[2].z},
                   {0, 1, c[3].x, c[3].y, c[3].z});
}

void CompileSky() {
  State.Lists[SkyList] = BeginList();
  glColor4f(1, 1, 1, 0);
  for (int face = 0; face < kSkyFaceCount; ++face) SkyFace(face, kSkyFaceCorners[face]);
  glEndList();
  State.Lists[ScorchedList] = BeginList();
  glColor4f(1, 1, 1, 0);
  SkyFace(SkyScorched, kSkyFaceCorners[SkyFront]);
  glEndList();
}

void CompileShock() {
  float z[kMaxShockSquares], half[kMaxShockSquares];
  const int count = ShockSquares(z, half);
  State.Lists[ShockList] = BeginList();
  for (int i = 0; i < count; ++i) {
    const float h = half[i];
    DrawTexturedQuad({0, 0, -h, -h, z[i]}, {0, 1, -h, h, z[i]}, {1, 1, h, h, z[i]}, {1, 0, h, -h, z[i]});
  }
  glEndList();
}

void DrawFireball() {
  glEnable(GL_CULL_FACE);
  if (FireReady())
    UploadFire();
  else
    glBindTexture(GL_TEXTURE_2D, State.FireTexture);
  glColor4f(1, 1, 1, 0);
  glDisable(GL_TEXTURE_2D);
  glCallList(State.Lists[CoreList]);
  glEnable(GL_TEXTURE_2D);
  glColor4f(0.5f, 0.5f, 0.5f, 0);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDepthMask(GL_FALSE);
  glDisable(GL_DEPTH_TEST);
  if (FireReady()) glCallList(State.Lists[FlameSkinList]);  // without memory the core burns alone
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glColor4f(0.5f, 0.5f, 0.5f, 0);
  glTranslatef(0, 0, -0.47f);
  if (FireReady()) glCallList(State.Lists[CoronaList]);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
}

void RingQuad(float h) {
  const float z = kBlastDepth;
  DrawTexturedQuad({0, 0, -h, -h, z}, {1, 0, h, -h, z}, {1, 1, h, h, z}, {0, 1, -h, h, z});
}

void DrawExplosion(float t, float d) {
  const float e = ExplosionTime(t, d);
  glDepthMask(GL_FALSE);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  const float l = FlashBrightness(e), m = FlashScale(e);
  glBindTexture(GL_TEXTURE_2D, State.FlashTexture);
  glColor4f(l, l, l, 0);
  glPushMatrix();
  glTranslatef(0, 0, kBlastDepth);
  glScalef(m, m, 1);
  glCallList(State.Lists[ShockList]);
  glPopMatrix();
  glBindTexture(GL_TEXTURE_2D, State.FlameRingTexture);
  glColor4f(0.5f, 0.5f, 0.5f, 0);
  for (float spin : {kRingSpin, -kRingSpin}) {
    glPushMatrix();
    glRotatef(spin * t, 0, 0, 1);
    RingQuad(3 * e);
    glPopMatrix();
  }
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glDepthMask(GL_TRUE);
}
}  // namespace

void SetupScene9() {
  SetupFire();
  CompileCorona();
  CompileSphere(FlameSkinList);
  CompileSphere(CoreList);
  for (GLuint& name : State.SkyTextures) glGenTextures(1, &name);
  // Clamped to the edge texels: with GL_CLAMP the black border would bleed into the last
  // half texel of every face and draw a dark seam where the faces overlap.
  for (int i = 0; i < SkyImageCount; ++i)
    UploadImage(kSkyImages[i], State.SkyTextures[i], GL_RGB8, GL_BGR_EXT, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR,
                GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE);
  CompileSky();
  glGenTextures(1, &State.FlameRingTexture);
  glGenTextures(1, &State.FlashTexture);
  UploadClamped(kFlameRingImage, State.FlameRingTexture, GL_RGB8, GL_BGR_EXT);
  UploadClamped(kFlashImage, State.FlashTexture, GL_RGB8, GL_BGRA_EXT);  // its alpha is dropped
  CompileShock();
  State.Memory = FireballMemory{};
}

void AdvanceScene9(const SceneFrame& frame) {
  StepFire(frame.Ticks(kFireStagesPerSecond));  // the same speed at any frame rate
  State.Pose = AdvanceFireball(frame.localTime, frame.duration, &State.Memory);
}

void DrawScene9(const SceneFrame& frame) {
  const float t = frame.localTime, d = frame.duration;
  const FireballPose& pose = State.Pose;

  glDisable(GL_LIGHTING);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glPushMatrix();  // the sky turns with the fireball but never moves: it is far away
  glRotatef(pose.rx, 1, 0, 0);
  glRotatef(pose.ry, 0, 1, 0);
  glDisable(GL_DEPTH_TEST);
  glCallList(State.Lists[ShowsScorchedFront(t, d) ? ScorchedList : SkyList]);
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();

  glDisable(GL_CULL_FACE);
  glTranslatef(0, 0, pose.z);  // left on the matrix: the composer resets it next frame
  glRotatef(pose.rx, 1, 0, 0);
  glRotatef(pose.ry, 0, 1, 0);
  if (!State.Memory.exploded)
    DrawFireball();
  else
    DrawExplosion(t, d);
}

void ReleaseScene9() {
  FreeFire();
  for (GLuint& list : State.Lists) {
    if (list) glDeleteLists(list, 1);
    list = 0;
  }
  auto deleteTexture = [](GLuint& name) {
    if (name) glDeleteTextures(1, &name);
    name = 0;
  };
  deleteTexture(State.FireTexture);
  for (GLuint& name : State.SkyTextures) deleteTexture(name);
  deleteTexture(State.FlameRingTexture);
  deleteTexture(State.FlashTexture);
}

}  // namespace lumaro
