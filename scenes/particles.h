// The spark and rocket pools of the fountain and the fireworks, and their update rules.
// Plain computation over the pools and the shared generator; the scenes only draw.
#pragma once
#include <cstdint>

namespace lumaro {

struct SparkRecord {
  float x, y, z;
  float vx, vy, vz;
  float age;           // seconds since birth as of the last update
  float lifetime;      // goes out once age exceeds it
  float birthTime;     // local time of birth
  float respawnDelay;  // fountain only
  float lastUpdate;    // local time of the last visit
  bool alive;
  int32_t sprite;  // SpriteTextures index
};

struct RocketRecord {
  float x, y, z;
  float vx, vy, vz;
  float age;
  float fuse;  // bursts once age exceeds it
  float birthTime;
  float relaunchDelay;
  float lastUpdate;
  bool alive;
  int32_t kind;  // trail: 0 plain, 1 wide spray, 2 spiral
  bool child;    // made by a rocket burst: neither counts as active nor bursts
  int32_t trailSprite;
};

constexpr int kSparkCount = 5000;
constexpr int kRocketCount = 50;
constexpr int kMaxActiveRockets = 5;

struct ParticlePools {
  SparkRecord SparkPool[kSparkCount];
  RocketRecord RocketPool[kRocketCount];
  int32_t ActiveRockets = 0;  // main rockets in flight
};
ParticlePools& Particles();  // the scenes draw from it, tests set it up

void ResetRocketPool();
void ResetSparkPool();  // draws one random delay per record, in index order

// The live sparks' indices grouped by sprite, from sprite 0 up, in index order within a
// sprite (records with no such sprite come last); returns how many.
int LiveSparksBySprite(uint16_t order[kSparkCount]);

// The fountain's update of every record for local time t of a scene lasting d.
void UpdateFountain(float t, float d);
// The fireworks' update: rockets (launches, bursts, trails), then sparks.
void UpdateFireworks(float t, float d);
// Trail sparks (burst false) or the burst of rocket i.
void EmitSparks(float t, float dt, int rocketIndex, bool burst);

}  // namespace lumaro
