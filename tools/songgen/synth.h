// Instruments synthesised into 16-bit samples: drums, bass, pads, leads, bells, effects.
#pragma once
#include "xm.h"

namespace songgen {

// Every sample is made at this rate with C-4 at exactly 128 frames per cycle; the
// relative note and finetune put it back at concert pitch.
constexpr double kSampleRate = 33452.0;

Instrument MakeKick();
Instrument MakeSnare();
Instrument MakeClosedHat();
Instrument MakeOpenHat();
Instrument MakeBass();
Instrument MakePad();
Instrument MakeLead();
Instrument MakeBell();
Instrument MakeRiser();
Instrument MakeCrash();
Instrument MakeSubDrone();
Instrument MakePluck();

}  // namespace songgen
