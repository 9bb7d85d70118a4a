// "SongM.xm": the show's music, shaped to its scenes.
#pragma once
#include "xm.h"

namespace songgen {

constexpr int kRowsPerSecond = 10;  // speed 5 at 125 BPM: 0.1 s a row
constexpr int kSongRows = 3288;     // 328.8 s

Module ComposeSong();

}  // namespace songgen
