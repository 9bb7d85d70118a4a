// The closing card's brightness: up in half a second, two seconds at full, down in the last half.
#pragma once

namespace lumaro {

float EndCardBrightness(float t);

}  // namespace lumaro
