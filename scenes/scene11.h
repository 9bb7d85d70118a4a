// Scene 11's pieces that tests look at from outside.
#pragma once
#include <cstdint>

namespace lumaro {

// Compiles the embedded ornament mesh into a new display list and returns its name.
uint32_t BuildOrnamentList();

// The facing matrix of local time t, as the scene reads it back from GL.
void ReadFacingMatrix(float t, float matrix[16]);

}  // namespace lumaro
