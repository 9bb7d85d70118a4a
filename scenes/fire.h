// The fireball's flames, simulated on the CPU: a 128 x 128 grid of heat seeded with hot
// blocks near its far edge, smeared one row towards row 0 and cooled at every stage, then
// mapped through a black-red-yellow-white palette into an RGB image. No GL here: scene 9
// uploads the image.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lumaro {

constexpr int kFireSize = 128;  // cells a side
constexpr int kFireCells = kFireSize * kFireSize;
constexpr int kFireSpreadCells = kFireCells - 2 * kFireSize;  // rows 0..125 are recomputed
constexpr int kFireStagesPerStep = 4;
constexpr int kFireStagesPerSecond = 100;  // a step a frame at 25 frames a second
constexpr int kFireSparksPerStage = 5;

// The grids and the image, null until allocated, and the palette.
struct FireState {
  uint32_t* FireHeat = nullptr;     // current grid, values 0..255
  uint32_t* FireScratch = nullptr;  // the next stage is written here, then the two swap
  uint8_t* FireImage = nullptr;     // FireCells x RGB
  uint8_t FirePalette[256][3] = {};
};
const FireState& FireGrids();

// Allocates and zeroes both grids and the image (the allocator is for tests). On failure
// everything is freed again, a message says so and false comes back: the scene then
// draws without its flames.
bool AllocateFire(void* (*allocate)(size_t) = nullptr);
void FreeFire();
bool FireReady();
void BuildFirePalette();

// One hot block of 5 columns by 3 rows for a spark at column X (0..128) and Y (0..16).
void SeedFireSpark(int x, int y);
// Every cell of rows 0..125 into the scratch grid, then the grids swap.
void SpreadFire();
// Sparks from two rand() draws each (column first), then the spread: one stage.
void FireStage();
// Four stages (or as many as given), then the image from the palette; nothing without
// stages, or when the fire has no memory.
void StepFire(int stages = kFireStagesPerStep);
void ConvertFire();

}  // namespace lumaro
