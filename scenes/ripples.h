// Scene 13's computation without GL: the rippling sheet's frames and the circling lights.
#pragma once
#include "base/vec3.h"

namespace lumaro {

constexpr int kRippleFrames = 32;
constexpr float kRipplePhaseStep = 0.19634955f;  // pi / 16: 32 frames make one period
constexpr float kRippleAmplitude = 0.6f;

// Height of the sheet at (x, y) for a phase: a radial wave of wavelength 2 pi.
float RippleHeight(float x, float y, float phase);
// The frame shown at local time t: one period a second.
int RippleFrameAt(float t);
// Rows start at y = -10, -8 ... while y + 2 < 9.9; columns at x = -10 ... while x + 2 < 10.1.
int RippleRows();
int RippleColumns();

// Blue, red and green lights, relative to the cluster's centre.
void BlobLightPositions(float t, Vec3 lights[3]);

}  // namespace lumaro
