// The show's music rendered offline for a capture, in step with the fixed frame clock:
// the same module, loop setting and gain as live playback, no audio device involved.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/run_state.h"
#include "base/status.h"

namespace lumaro {

// The most a frame's sound holds: 48 kHz for the slowest frame rate.
constexpr int kMostSamplesPerFrame = kSoundRate / kSlowestVideoRate + 1;

// Opens the module `skipFrames` stereo samples after its start, reached sample for sample as
// a whole run plays them. Without a module (missing or damaged) the track is silence and the
// failure says why.
Status OpenSoundtrack(const std::string& fileName, bool loop, uint64_t skipFrames);
// The next `frames` stereo samples, interleaved floats; silence once a module played
// once has ended, or when there is none.
void RenderSoundtrack(float* stereo, size_t frames);
void CloseSoundtrack();

}  // namespace lumaro
