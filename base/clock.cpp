#include "base/clock.h"

#include <chrono>
#include <thread>

namespace lumaro {

namespace {
bool TimerStarted = false;
uint32_t TimerOrigin = 0;
bool Held = false;
uint32_t HeldAt = 0;
}  // namespace

uint32_t MillisecondClock() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

float ElapsedSeconds() {
  if (!TimerStarted) {
    TimerStarted = true;
    TimerOrigin = Held ? HeldAt : MillisecondClock();
  }
  return SecondsSince(TimerOrigin, Held ? HeldAt : MillisecondClock());
}

void ResetElapsedSeconds() { TimerStarted = false; }

void HoldElapsedSeconds(bool hold) {
  if (hold == Held) return;
  const uint32_t now = MillisecondClock();
  if (hold)
    HeldAt = now;
  else
    TimerOrigin += now - HeldAt;  // the held time never counts
  Held = hold;
}

bool ElapsedSecondsHeld() { return Held; }

void SleepMilliseconds(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace lumaro
