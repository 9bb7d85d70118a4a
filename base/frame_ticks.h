// Steps of a fixed rate that the current frame covers, so that what advances by the frame
// rather than by the second (the fire's stages, the light trails' entries) goes at the same
// speed at any frame rate. On the fixed clock they come from the frame's number, exactly:
// at 25 frames a second a rate of 25 gives one step every frame, 100 four, as the show was
// made for; at 60 the same steps spread over the frames. On the live clock they come from
// the demo seconds the frame advanced, at most a second's worth.
#pragma once
#include <cstdint>

namespace lumaro {

// The timeline's note of each frame: its number on the fixed clock, the clocks before and now.
void NoteFrameClock(uint32_t fixedFrameNumber, float previousClock, float clock);
int TicksThisFrame(int perSecond);

}  // namespace lumaro
