// The millisecond wall clock and the demo's elapsed-time reading.
#pragma once
#include <cstdint>

namespace lumaro {

// Millisecond wall clock (wraps after 49.7 days) and the seconds since its first call.
uint32_t MillisecondClock();
float ElapsedSeconds();
// The unsigned difference stays right across the wrap; times the float 0.001.
inline float SecondsSince(uint32_t origin, uint32_t now) { return static_cast<float>(now - origin) * 0.001f; }
void ResetElapsedSeconds();  // forgets the timer origin: the next reading is zero
// While held (the viewer's pause), the elapsed seconds stand still; released, they go on
// from where they stood.
void HoldElapsedSeconds(bool hold);
bool ElapsedSecondsHeld();
void SleepMilliseconds(uint32_t ms);

}  // namespace lumaro
