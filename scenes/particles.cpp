#include "scenes/particles.h"

#include <array>
#include <cmath>

#include "base/random.h"
#include "gfx/sine.h"
#include "gfx/texture.h"

namespace lumaro {

namespace {
ParticlePools State;
// The fountain's ring angle uses the double-precision factor (2 pi in float) / 32767.
constexpr double kRingTurn = static_cast<double>(kTwoPi) / kRandMax;
constexpr float kColourScale = RandScale(-8.99f);      // rand -> colour index 2..10
constexpr float kSpriteScale = RandScale(10.99f);      // rand -> sprite index 0..10
constexpr float kQuarterTurnAndAQuarter = 1.8207964f;  // pi / 2 + 0.25 radians

// Returns the age step of this frame.
template <typename Record>
float MotionStep(Record& r, float t) {
  float newAge = t - r.birthTime;
  float dt = newAge - r.age;
  r.age = newAge;
  r.vy = r.vy - (t - r.lastUpdate);  // gravity of one unit per second squared
  r.y = r.y + r.vy * dt;
  r.x = r.x + r.vx * dt;
  r.z = r.z + r.vz * dt;
  return dt;
}

int BurstColour() { return 2 - static_cast<int>(rand() * kColourScale); }

void LaunchRocket(RocketRecord& r, float t) {
  r.x = rand() * RandScale(1) - 0.5f;
  r.z = rand() * RandScale(1) - 0.5f - 4.0f;
  r.y = -1.5f;
  r.vx = rand() * RandScale(1) - 0.5f;
  r.vz = rand() * RandScale(1) - 0.5f;
  r.vy = rand() * RandScale(1) + 1.5f;
  r.age = 0;
  r.fuse = rand() * RandScale(1) + 1.4f;
  r.birthTime = t;
  int e = rand() % 20;
  r.kind = e == 0 ? 1 : (e == 1 ? 2 : 0);
  r.child = false;
  r.trailSprite = 1;
  State.ActiveRockets += 1;
  r.alive = true;
}

void EmitTrail(float t, float dt, const RocketRecord& r) {
  const int wanted = 1 - static_cast<int>(-100.0f * dt);
  int made = 0;
  for (SparkRecord& s : State.SparkPool) {
    if (made >= wanted) break;
    if (s.alive) continue;
    s.x = r.x;
    s.y = r.y;
    s.z = r.z;
    if (r.kind == 1) {
      s.vx = rand() * RandScale(0.4f) - 0.2f;
      s.vz = rand() * RandScale(0.4f) - 0.2f;
      s.vy = rand() * RandScale(0.4f) - 0.2f;
    } else if (r.kind == 2) {
      float w = r.age * 50.0f;
      s.vx = FastCos(w) * (rand() * RandScale(0.15f) + 0.05f);
      s.vz = FastSin(w) * (rand() * RandScale(0.15f) + 0.05f);
      s.vy = rand() * RandScale(0.1f) - 0.05f;
    } else {
      s.vx = rand() * RandScale(0.1f) - 0.05f;
      s.vz = rand() * RandScale(0.1f) - 0.05f;
      s.vy = rand() * RandScale(0.1f) - 0.05f;
    }
    s.age = 0;
    s.lifetime = rand() * RandScale(2) + 0.2f;
    s.birthTime = t;
    s.sprite = r.trailSprite;
    s.alive = true;
    ++made;
  }
}

void SparkBurst(float t, const RocketRecord& r) {
  const int wanted = 100 + (rand() * 900) / 32767;
  const bool mixed = rand() / 4095 == 0;
  const int colour = mixed ? 0 : BurstColour();
  int made = 0;
  for (SparkRecord& s : State.SparkPool) {
    if (made >= wanted) break;
    if (s.alive) continue;
    s.x = r.x;
    s.y = r.y;
    s.z = r.z;
    float speed = rand() * RandScale(0.2f) + 0.4f;
    float phi = rand() * RandScale(kTwoPi);
    float u = (rand() * RandScale(1) - 0.5f) * 2.0f;
    float theta = TangentPolarAngle(u);  // directions bunch toward the horizontal
    s.vx = FastCos(phi) * FastSin(theta) * speed + r.vx;
    s.vz = FastSin(phi) * FastSin(theta) * speed + r.vz;
    s.vy = FastCos(theta) * speed + r.vy;
    s.age = 0;
    s.lifetime = rand() * RandScale(2) + 0.2f;
    s.birthTime = t;
    s.sprite = mixed ? BurstColour() : colour;
    s.alive = true;
    ++made;
  }
}

// Children take free rocket records; the bursting record itself is free by now, so the
// children after it read that child's velocity as the parent's.
void RocketBurst(float t, const RocketRecord& r) {
  const int wanted = 8 + (rand() * 7) / 32767;
  const int sprite = static_cast<int>(rand() * kSpriteScale);
  int made = 0;
  for (RocketRecord& c : State.RocketPool) {
    if (made >= wanted) break;
    if (c.alive) continue;
    c.x = r.x;
    c.y = r.y;
    c.z = r.z;
    float speed = rand() * RandScale(0.5f) + 0.5f;
    float phi = rand() * RandScale(kTwoPi);
    float theta = (rand() * RandScale(1) - 0.5f) * 0.5f + kQuarterTurnAndAQuarter;  // sideways, slightly down
    c.vx = FastCos(phi) * FastSin(theta) * speed + r.vx;
    c.vz = FastSin(phi) * FastSin(theta) * speed + r.vz;
    c.vy = FastCos(theta) * speed + r.vy;
    c.age = 0;
    c.fuse = rand() * RandScale(1) + 0.2f;
    c.birthTime = t;
    c.kind = 0;
    c.child = true;
    c.trailSprite = sprite;
    c.alive = true;
    ++made;
  }
}
}  // namespace

ParticlePools& Particles() { return State; }

void ResetRocketPool() {
  for (RocketRecord& r : State.RocketPool) {
    r = RocketRecord{};
    r.trailSprite = 1;
  }
  State.ActiveRockets = 0;  // none is in flight any more: a show started again launches its five
}

void ResetSparkPool() {
  for (SparkRecord& s : State.SparkPool) {
    s = SparkRecord{};
    s.respawnDelay = rand() * RandScale(2);
  }
}

void UpdateFountain(float t, float d) {
  const bool birthsOver = t + 2.2f >= d;
  for (SparkRecord& s : State.SparkPool) {
    if (s.alive || birthsOver) {
      if (s.age > s.lifetime) {
        s.alive = false;
        s.respawnDelay = rand() * RandScale(2);
      } else {
        MotionStep(s, t);
      }
    } else if (s.respawnDelay > 0) {
      s.respawnDelay = s.respawnDelay - (t - s.lastUpdate);
    } else {
      double a = rand() * kRingTurn;
      s.x = static_cast<float>(std::cos(a));
      s.y = 0.8f;
      s.z = static_cast<float>(std::sin(a)) - 4.0f;
      s.vx = rand() * RandScale(0.4f) - 0.2f;
      s.vz = rand() * RandScale(0.4f) - 0.2f;
      s.vy = rand() * RandScale(1) - 0.1f;
      s.age = 0;
      s.lifetime = rand() * RandScale(2) + 0.2f;
      s.birthTime = t;
      s.sprite = 0;
      s.alive = true;
    }
    s.lastUpdate = t;
  }
}

void EmitSparks(float t, float dt, int rocketIndex, bool burst) {
  const RocketRecord& r = State.RocketPool[rocketIndex];
  if (!burst) {
    EmitTrail(t, dt, r);
  } else if (rand() / 4095 >= 1) {
    SparkBurst(t, r);
  } else {
    RocketBurst(t, r);  // about one burst in eight
  }
}

void UpdateFireworks(float t, float d) {
  for (int i = 0; i < kRocketCount; ++i) {
    RocketRecord& r = State.RocketPool[i];
    if (!r.alive) {
      if (r.relaunchDelay > 0)
        r.relaunchDelay = r.relaunchDelay - (t - r.lastUpdate);
      else if (State.ActiveRockets < kMaxActiveRockets && t + 5.6f < d)
        LaunchRocket(r, t);
    }
    // A record launched or made a child above is already in flight this frame.
    if (r.alive && r.age > r.fuse) {
      r.alive = false;
      if (!r.child) State.ActiveRockets -= 1;
      r.relaunchDelay = rand() * RandScale(1);
      float dt = MotionStep(r, t);
      if (!r.child) EmitSparks(t, dt, i, true);
    } else if (r.alive) {
      float dt = MotionStep(r, t);
      EmitSparks(t, dt, i, false);
    }
    r.lastUpdate = t;
  }
  for (SparkRecord& s : State.SparkPool) {
    if (s.alive) {
      if (s.age > s.lifetime)
        s.alive = false;
      else
        MotionStep(s, t);
    }
    s.lastUpdate = t;
  }
}

// A counting sort: one pass to count each sprite's live sparks, one to place them.
int LiveSparksBySprite(uint16_t order[kSparkCount]) {
  std::array<int, kSpriteCount + 2> start{};
  auto bucket = [](const SparkRecord& s) { return s.sprite >= 0 && s.sprite < kSpriteCount ? s.sprite : kSpriteCount; };
  for (const SparkRecord& s : State.SparkPool)
    if (s.alive) ++start[bucket(s) + 1];
  for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
  for (int i = 0; i < kSparkCount; ++i)
    if (State.SparkPool[i].alive) order[start[bucket(State.SparkPool[i])]++] = static_cast<uint16_t>(i);
  return start[kSpriteCount];
}

}  // namespace lumaro
