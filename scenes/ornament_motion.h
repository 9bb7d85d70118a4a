// Scene 11's computation without GL: the ornament's drift, the pulse of its corner glows,
// where those glows sit, and the star sphere around it.
#pragma once
#include "base/vec3.h"

namespace lumaro {

// The ornament's centre at local time t: within 0.25 of (0, 0, -1.5) across, 0.75 in depth.
Vec3 OrnamentCentre(float t);
// The corner glows pulse between 0.125 and 0.625, ten radians a second.
float CornerGlowBrightness(float t);

// Just outside the twelve ring corners: the edge midpoints of a cube of half-size 0.43,
// in drawing order.
constexpr int kCornerGlowCount = 12;
extern const Vec3 kCornerGlowOffsets[kCornerGlowCount];

// The star sphere: seven passes of 200 points, point sizes growing by half a step a pass,
// scaled with the drawing width at set-up (1 to 4 pixels at 800).
constexpr int kStarPasses = 7, kStarsPerPass = 200;
constexpr float kStarRadius = 10.0f;
float StarPointSize(int width, int pass);
// One star from two rand() values (r1 first): longitude from r1, a polar angle from r2
// through the tangent mapping that gathers stars towards the poles on the y axis.
Vec3 StarPoint(int r1, int r2);

}  // namespace lumaro
