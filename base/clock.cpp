#include "base/clock.h"

#include <chrono>
#include <thread>

namespace lumaro {

namespace {
bool TimerStarted = false;
uint32_t TimerOrigin = 0;
}  // namespace

uint32_t MillisecondClock() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

float ElapsedSeconds() {
  if (!TimerStarted) {
    TimerStarted = true;
    TimerOrigin = MillisecondClock();
  }
  return SecondsSince(TimerOrigin, MillisecondClock());
}

void ResetElapsedSeconds() { TimerStarted = false; }

void SleepMilliseconds(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace lumaro
