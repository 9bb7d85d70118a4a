#include <gtest/gtest.h>

#include <vector>

#include "base/random.h"
#include "gfx/sine.h"
#include "gfx/texture.h"
#include "scenes/particles.h"

using namespace lumaro;

namespace {
void FreshPools(uint32_t seed) {
  BuildSineTable();
  lumaro::srand(seed);
  Particles().ActiveRockets = 0;
  ResetRocketPool();
  ResetSparkPool();
}

int LiveSparks() {
  int n = 0;
  for (const SparkRecord& s : Particles().SparkPool) n += s.alive;
  return n;
}

int LiveRockets(bool children) {
  int n = 0;
  for (const RocketRecord& r : Particles().RocketPool) n += r.alive && r.child == children;
  return n;
}
}  // namespace

TEST(Fountain, SparksAppearGraduallyAndStayInTheirRanges) {
  FreshPools(3);
  std::vector<int> live;
  for (int frame = 1; frame <= 75; ++frame) {
    UpdateFountain(frame * 0.04f, 12.0f);
    live.push_back(LiveSparks());
    for (const SparkRecord& s : Particles().SparkPool) {
      if (!s.alive || s.age != 0) continue;
      ASSERT_GE(s.vx, -0.2f);
      ASSERT_LE(s.vx, 0.2f);
      ASSERT_GE(s.vy, -0.1f);
      ASSERT_LE(s.vy, 0.9f);
      ASSERT_GE(s.lifetime, 0.2f);
      ASSERT_LE(s.lifetime, 2.2f);
      ASSERT_NEAR(s.y, 0.8f, 1e-6);
      ASSERT_NEAR((s.x * s.x) + (s.z + 4) * (s.z + 4), 1.0f, 1e-4);  // born on the ring
    }
  }
  // Births follow the delays of the start-up reset: about a quarter after half a second.
  EXPECT_GT(live[12], 300);
  EXPECT_LT(live[12], 1800);
  EXPECT_GT(live[49], live[12]);
}

TEST(Fountain, NoBirthOnceTheEndIsNearAndTheLastSparksGoOut) {
  FreshPools(5);
  float t = 0;
  while (t < 9.79f) UpdateFountain(t += 0.04f, 12.0f);
  int before = LiveSparks();
  EXPECT_GT(before, 1000);
  UpdateFountain(9.8f, 12.0f);  // t + 2.2 >= D: nothing is born any more
  EXPECT_LE(LiveSparks(), before);
  int previous = LiveSparks();
  for (t = 9.84f; t < 12.0f; t += 0.04f) {
    UpdateFountain(t, 12.0f);
    ASSERT_LE(LiveSparks(), previous);
    previous = LiveSparks();
  }
  EXPECT_LT(LiveSparks(), 50);
}

TEST(Fountain, SparkAtExactlyItsLifetimeIsStillAlive) {
  FreshPools(7);
  SparkRecord& s = Particles().SparkPool[0];
  s = SparkRecord{};
  s.alive = true;
  s.lifetime = 0.5f;
  s.birthTime = 1.0f;
  s.lastUpdate = 1.46f;
  s.age = 0.46f;
  UpdateFountain(1.5f, 12.0f);
  EXPECT_TRUE(s.alive);
  EXPECT_EQ(s.age, 0.5f);
  UpdateFountain(1.54f, 12.0f);
  EXPECT_TRUE(s.alive);  // age 0.5 was not above the lifetime when tested
  UpdateFountain(1.58f, 12.0f);
  EXPECT_FALSE(s.alive);
}

TEST(Fireworks, AtMostFiveMainRocketsAndNoLaunchFromTheCutoff) {
  FreshPools(13);
  int childrenSeen = 0;
  for (float t = 0.04f; t < 30.0f; t += 0.04f) {
    UpdateFireworks(t, 30.0f);
    ASSERT_LE(LiveRockets(false), 5);
    ASSERT_EQ(Particles().ActiveRockets, LiveRockets(false));
    childrenSeen += LiveRockets(true);
    if (t >= 24.4f) {
      for (const RocketRecord& r : Particles().RocketPool) ASSERT_FALSE(r.alive && !r.child && r.birthTime >= 24.4f);
    }
  }
  EXPECT_GT(childrenSeen, 0);  // some bursts over 30 s make small rockets
  EXPECT_EQ(Particles().ActiveRockets, 0);
}

TEST(Fireworks, SparkBurstIsLimitedByFreeRecords) {
  FreshPools(17);
  for (int i = 10; i < kSparkCount; ++i) Particles().SparkPool[i].alive = true;
  RocketRecord& r = Particles().RocketPool[0];
  r = RocketRecord{};
  r.z = -4;
  // Find a seed whose first draw chooses a spark burst.
  uint32_t seed = 1;
  for (;; ++seed) {
    lumaro::srand(seed);
    if (lumaro::rand() / 4095 >= 1) break;
  }
  lumaro::srand(seed);
  EmitSparks(1.0f, 0.04f, 0, true);
  EXPECT_EQ(LiveSparks(), kSparkCount);  // 100+ asked, 10 free, 10 made
}

TEST(Fireworks, RocketBurstMakesChildrenIncludingTheBurstingRecord) {
  FreshPools(19);
  uint32_t seed = 1;
  for (;; ++seed) {
    lumaro::srand(seed);
    if (lumaro::rand() < 4095) break;  // a rocket burst
  }
  RocketRecord& parent = Particles().RocketPool[3];
  parent = RocketRecord{};
  parent.alive = false;  // just marked dead by the burst
  parent.x = 0.25f;
  parent.y = 1.0f;
  parent.z = -4;
  parent.vy = 0.5f;
  Particles().RocketPool[0].alive = true;  // a record in flight is skipped
  Particles().ActiveRockets = 1;
  lumaro::srand(seed);
  EmitSparks(2.0f, 0.04f, 3, true);
  int children = LiveRockets(true);
  EXPECT_GE(children, 8);
  EXPECT_LE(children, 15);
  EXPECT_TRUE(Particles().RocketPool[3].alive && Particles().RocketPool[3].child);
  for (const RocketRecord& r : Particles().RocketPool) {
    if (!r.child) continue;
    EXPECT_EQ(r.x, 0.25f);
    EXPECT_EQ(r.kind, 0);
    EXPECT_GE(r.fuse, 0.2f);
    EXPECT_LE(r.fuse, 1.2f);
  }
  EXPECT_EQ(Particles().ActiveRockets, 1);
  // A child that runs out neither bursts nor changes the count of main rockets.
  for (RocketRecord& r : Particles().RocketPool)
    if (!r.child) r.alive = false;
  Particles().ActiveRockets = 0;
  int sparksBefore = LiveSparks();
  float t = 2.0f;
  while (LiveRockets(true) > 0) {
    t += 0.04f;
    // Keep the launches away: only children fly here.
    UpdateFireworks(t, t + 1.0f);
    ASSERT_EQ(Particles().ActiveRockets, 0);
  }
  EXPECT_GT(LiveSparks() + 1, sparksBefore);  // trails only, no burst of hundreds
}

TEST(Fireworks, SparksOfTheFountainCarryOver) {
  FreshPools(23);
  for (float t = 0.04f; t < 11.0f; t += 0.04f) UpdateFountain(t, 12.0f);
  std::vector<bool> staysAlive(kSparkCount);
  int carried = 0;
  for (int i = 0; i < kSparkCount; ++i) {
    const SparkRecord& s = Particles().SparkPool[i];
    staysAlive[i] = s.alive && !(s.age > s.lifetime);
    carried += s.alive;
  }
  ASSERT_GT(carried, 0);
  // The fireworks continue the same records, with their fountain times, and make new ones
  // only in free records (five trails on the first frame).
  UpdateFireworks(0.04f, 30.0f);
  int fresh = 0;
  for (int i = 0; i < kSparkCount; ++i) {
    if (staysAlive[i]) {
      ASSERT_TRUE(Particles().SparkPool[i].alive) << i;
    }
    fresh += Particles().SparkPool[i].alive && !staysAlive[i];
  }
  EXPECT_EQ(fresh, 5);
}

// The fireworks after a while (many colours alive at once), and a record with a bad sprite.
TEST(Pools, LiveSparksGroupedBySpriteEachOnceInIndexOrderWithinASprite) {
  FreshPools(5);
  float t = 0;
  for (int frame = 0; frame < 150; ++frame) UpdateFireworks(t += 0.04f, 60);
  Particles().SparkPool[7].alive = true;
  Particles().SparkPool[7].sprite = kSpriteCount + 3;
  uint16_t order[kSparkCount];
  const int live = LiveSparksBySprite(order);
  ASSERT_EQ(live, LiveSparks());
  std::vector<int> seen(kSparkCount, 0), sprites;
  for (int k = 0; k < live; ++k) {
    const SparkRecord& s = Particles().SparkPool[order[k]];
    ASSERT_TRUE(s.alive);
    ++seen[order[k]];
    if (k > 0) {
      const SparkRecord& before = Particles().SparkPool[order[k - 1]];
      const int a = before.sprite < kSpriteCount ? before.sprite : kSpriteCount,
                b = s.sprite < kSpriteCount ? s.sprite : kSpriteCount;
      ASSERT_TRUE(a < b || (a == b && order[k - 1] < order[k])) << k;
    }
    if (sprites.empty() || sprites.back() != s.sprite) sprites.push_back(s.sprite);
  }
  for (int i = 0; i < kSparkCount; ++i) EXPECT_EQ(seen[i], Particles().SparkPool[i].alive ? 1 : 0) << i;
  EXPECT_GT(sprites.size(), 3u) << "the scene should mix colours";
  EXPECT_EQ(order[live - 1], 7) << "a record with no such sprite comes last";

  for (SparkRecord& s : Particles().SparkPool) s.alive = false;
  EXPECT_EQ(LiveSparksBySprite(order), 0);
}
