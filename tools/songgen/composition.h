// "SongM.xm": the show's music, shaped to its scenes.
#pragma once
#include "xm.h"

namespace songgen {

constexpr int RowsPerSecond = 10;  // speed 5 at 125 BPM: 0.1 s a row
constexpr int SongRows = 3288;     // 328.8 s

Module ComposeSong();

}  // namespace songgen
