// What each scene leaves in GL for the frames after it, and catching up to "-start".
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/random.h"
#include "engine/composer.h"
#include "engine/navigation.h"
#include "engine/timeline.h"
#include "gfx/overlays.h"
#include "gfx/texture.h"
#include "gl_fixture.h"
#include "gl_state.h"
#include "scenes/end_card.h"
#include "scenes/fire.h"
#include "scenes/particles.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
using Values = std::vector<double>;
struct Expectation {
  const char* name;  // an entry of the snapshot
  Values values;
};
struct Contract {
  const char* what;
  float clock;  // on the fixed clock from the show's start, so particles and trails are real
  std::vector<Expectation> leaves;
};

constexpr double kOn = 1, kOff = 0;
const Values kWhite{1, 1, 1, 0};

// The state each scene's draw procedure leaves (before the composer's overlays).
const Contract kContracts[] = {
    {"caption card", 2.0f, {{"lighting", {kOn}}, {"colour", kWhite}, {"blend func", {GL_ONE, GL_ONE}}}},
    {"plasma title",
     24.0f,
     {{"blend func", {GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA}}, {"lighting", {kOn}}, {"texture size", {512, 256}}}},
    {"fountain", 33.0f, {{"lighting", {kOn}}, {"colour", kWhite}}},
    {"fireworks", 45.0f, {{"lighting", {kOn}}, {"colour", kWhite}}},
    {"fractal with lights",
     100.0f,
     {{"lighting", {kOff}},
      {"light0", {kOff}},
      {"light1", {kOff}},
      {"light2", {kOff}},
      {"light model ambient", {0.15f, 0.15f, 0.2f, 1}}}},
    {"fireball", 150.0f, {{"texture env", {GL_MODULATE}}, {"lighting", {kOff}}}},
    {"explosion", 185.0f, {{"lighting", {kOn}}, {"texture size", {256, 256}}}},
    {"lattice",
     200.0f,
     {{"lighting", {kOff}},
      {"fog", {kOff}},
      {"fog mode", {GL_EXP}},
      {"fog density", {0.5}},
      {"fog colour", {0, 0, 0, 0}}}},
    {"ornament",
     225.0f,
     {{"lighting", {kOff}},
      {"light0", {kOn}},
      {"light1", {kOn}},
      {"light2", {kOn}},
      {"blend func", {GL_ONE, GL_ONE}},
      {"colour", kWhite},
      {"texture size", {32, 32}},
      {"material specular", {1, 1, 1, 1}},
      {"material shininess", {8}},
      {"light1 diffuse", {0.4f, 0.2f, 0.4f, 0}}}},
    {"tunnel",
     262.0f,
     {{"blend func", {GL_ONE, GL_ONE}}, {"lighting", {kOn}}, {"colour", kWhite}, {"texture size", {64, 64}}}},
    {"metaballs",
     305.0f,
     {{"lighting", {kOff}},
      {"light0", {kOn}},
      {"light1", {kOn}},
      {"light2", {kOn}},
      {"blend func", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}},
      {"colour", {0.75f, 0.75f, 0.75f, 0.5f}},
      {"texture size", {256, 256}},
      {"material specular", {1, 1, 1, 1}},
      {"material shininess", {8}},
      {"light0 diffuse", {0, 0, 0.5f, 0}}}},
    {"the end",
     326.5f,
     {{"lighting", {kOff}},
      {"blend func", {GL_ONE, GL_ONE}},
      {"colour", {EndCardBrightness(1.5f), EndCardBrightness(1.5f), EndCardBrightness(1.5f), 0}},
      {"texture size", {512, 64}}}},
};

class SceneState : public SceneTest {
 protected:
  // The show on the fixed clock up to the frame before `clock`, then that frame's scene alone.
  void DrawSceneAlone(float clock) {
    CatchUpTo(clock, CatchUp::Quick);
    StepClockByAFrame();
    const float now = Clock().DemoClock;
    const SceneSlot* slot = EnterScene(now);
    ASSERT_NE(slot, nullptr);
    const float t = static_cast<float>(static_cast<double>(now) - slot->start);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ResetProjection();
    DrawBackdrop(slot->backdrop);
    glPushMatrix();
    if (slot->card()) DrawIntroScene(slot->scene, IntroAngle(*slot, t));
    glPopMatrix();
    if (!slot->card()) RunScene(slot->scene, {t, slot->duration, CurrentSpan()});
  }
};

// The last spark drawn, in index order, leaves its sprite bound.
uint32_t LastSparkSprite() {
  for (int i = kSparkCount - 1; i >= 0; --i)
    if (Particles().SparkPool[i].alive) return ShowTextures().SpriteTextures[Particles().SparkPool[i].sprite];
  return ShowTextures().SpriteTextures[0];
}
}  // namespace

TEST_F(SceneState, EachSceneLeavesWhatTheScenesAfterItRelyOn) {
  for (const Contract& contract : kContracts) {
    SCOPED_TRACE(contract.what);
    DrawSceneAlone(contract.clock);
    const GlSnapshot state = TakeGlSnapshot();
    for (const Expectation& e : contract.leaves) {
      const Values& got = state.at(e.name);
      ASSERT_EQ(got.size(), e.values.size()) << e.name;
      for (size_t k = 0; k < got.size(); ++k) EXPECT_NEAR(got[k], e.values[k], 1e-6) << e.name << "[" << k << "]";
    }
    // What every scene leaves alike.
    EXPECT_EQ(state.at("blend")[0], kOff);
    EXPECT_EQ(state.at("cull face")[0], kOff);
    EXPECT_EQ(state.at("cull mode")[0], GL_BACK);
    EXPECT_EQ(state.at("depth mask")[0], GL_TRUE);
    EXPECT_EQ(state.at("depth test")[0], kOn);
    EXPECT_EQ(state.at("texture 2d")[0], kOn);
    EXPECT_EQ(state.at("projection depth")[0], 1);
    EXPECT_EQ(state.at("modelview depth")[0], 1);
    EXPECT_EQ(state.at("matrix mode")[0], GL_MODELVIEW);
    if (contract.clock < 20) {
      EXPECT_EQ(state.at("texture")[0], ShowTextures().TitleTextures[0]);
    }
    if (contract.clock > 28 && contract.clock < 70) {
      EXPECT_EQ(state.at("texture")[0], LastSparkSprite());
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

namespace {
// What a frame carries on besides GL: the sparks, the flames, the generator, the steps run.
std::vector<uint8_t> ShowState() {
  std::vector<uint8_t> bytes;
  auto add = [&](const void* at, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(at);
    bytes.insert(bytes.end(), p, p + size);
  };
  add(Particles().SparkPool, sizeof Particles().SparkPool);
  add(Particles().RocketPool, sizeof Particles().RocketPool);
  add(&Particles().ActiveRockets, sizeof Particles().ActiveRockets);
  if (FireReady()) add(FireGrids().FireHeat, kFireCells * sizeof(uint32_t));
  for (int scene = 0; scene <= kSceneCount; ++scene) add(&DoneFlag(scene), sizeof(OnceSteps));
  add(&Clock().DemoClock, sizeof(float));
  const uint32_t generator = RandomGeneratorState();
  add(&generator, sizeof generator);
  return bytes;
}

class CatchingUp : public SceneTest {
 protected:
  // The fixed clock, as captures have it, without capturing.
  static ShowSettings Fixed() {
    ShowSettings settings = Settings();
    settings.fixedClock = settings.timedemo = true;
    return settings;
  }
  void SetUp() override { StartAt(320, 240, Fixed()); }
  void Restart() {
    SceneTest::TearDown();
    StartAt(320, 240, Fixed());
  }
  std::vector<Rgb> NextFrame() {
    RunFrame(0);
    return ReadFrame();
  }
  // Where the show stands: GL, what it carries on besides, and the frame it draws next.
  struct Standing {
    GlSnapshot gl;
    std::vector<uint8_t> show;
    std::vector<Rgb> next;
  };
  Standing Take() { return {TakeGlSnapshot(), ShowState(), NextFrame()}; }
  // The same, but for the driver's rounding where it splits a primitive elsewhere.
  void ExpectStandingAs(const Standing& want, const std::string& where) {
    EXPECT_EQ(SnapshotDifferences(TakeGlSnapshot(), want.gl), "") << where;
    EXPECT_EQ(ShowState(), want.show) << where;
    const std::vector<Rgb> next = NextFrame();
    int largest = 0;  // of a colour channel
    for (size_t i = 0; i < next.size(); ++i)
      largest = std::max({largest, std::abs(next[i].r - want.next[i].r), std::abs(next[i].g - want.next[i].g),
                          std::abs(next[i].b - want.next[i].b)});
    EXPECT_LE(largest, 2) << where;
  }
};
}  // namespace

// Quick catching up (live "-start") leaves GL and the show in the state the full run has,
// which exact catching up reaches by drawing every frame; the next frame is then the full
// run's.
TEST_F(CatchingUp, QuickLeavesWhatEveryFrameDrawnLeaves) {
  const float starts[] = {33.0f, 45.0f, 77.5f, 110.0f, 150.3f, 185.0f, 222.0f, 262.0f, 300.5f, 326.5f};
  std::vector<Standing> full;
  for (float start : starts) {
    CatchUpTo(start, CatchUp::Exact);  // on from where the last one stopped: one whole run
    full.push_back(Take());
  }
  for (size_t i = 0; i < std::size(starts); ++i) {
    Restart();
    CatchUpTo(starts[i], CatchUp::Quick);
    ExpectStandingAs(full[i], "catching up to " + std::to_string(starts[i]));
  }
}

// A jump back (or "-loop") starts the show over from where it stood: the scenes set up are
// released, and GL and the show end up as a run started at the target has them.
TEST_F(CatchingUp, StartingOverIsTheRunFromThere) {
  const struct { float from, to; } jumps[] = {{150.3f, 45.0f}, {300.5f, 222.0f}, {262.0f, 0.0f}, {326.5f, 300.5f}};
  for (const auto& jump : jumps) {
    Restart();
    CatchUpTo(jump.to, CatchUp::Quick);
    const Standing fresh = Take();
    Restart();
    CatchUpTo(jump.from, CatchUp::Quick);
    NextFrame();
    RestartShowAt(jump.to);
    ExpectStandingAs(fresh, std::to_string(jump.from) + " back to " + std::to_string(jump.to));
  }
}

// "-loop" starts over in slices across the blank last second: taken up again and again
// wherever a slice stopped, it ends as the run from there, as starting over at once does.
TEST_F(CatchingUp, StartingOverInSlicesIsTheRunFromThere) {
  const float loopStart = 300.5f;
  Restart();
  CatchUpTo(loopStart, CatchUp::Quick);
  const Standing fresh = Take();
  Restart();
  CatchUpTo(328.5f, CatchUp::Quick);
  NextFrame();
  BeginRestart();
  int slices = 1;
  while (!CatchUpPartly(loopStart, 0.0002)) ++slices;
  EXPECT_GT(slices, 10) << "the slices were not cut short";
  ExpectStandingAs(fresh, "after the slices");
}
