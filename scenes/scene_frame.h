// What the engine hands a scene each frame: where the frame is in the scene's window, and the
// stretch of show time it covers.
//
// Ticks: what advances by the frame rather than by the second (the fire's stages, the light
// trails' entries) counts the steps of a fixed rate that the frame covers, so it goes at the
// same speed at any frame rate. On the fixed clock they come from the frame's number, exactly:
// at 25 frames a second a rate of 25 gives one step every frame, 100 four, as the show was
// made for; at 60 the same steps spread over the frames. On the live clock they come from the
// demo seconds the frame advanced, at most a second's worth.
#pragma once
#include <cstdint>

namespace lumaro {

// The show time one frame covers.
struct FrameSpan {
  float previous = 0, now = 0;  // demo seconds at the frame before and at this one
  uint32_t fixedFrame = 0;      // its number on the fixed clock (1 the first), 0 live
  int fixedRate = 0;            // frames a second of the fixed clock; 0 on the live clock
  int Ticks(int perSecond) const;
};

struct SceneFrame {
  float localTime = 0;  // seconds since the scene's window began
  float duration = 0;   // the window's length in seconds
  FrameSpan span;
  bool safe = false;  // "-safe": a scene that flashes too much tames its flashes
  int Ticks(int perSecond) const { return span.Ticks(perSecond); }
};

}  // namespace lumaro
