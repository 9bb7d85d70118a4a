#include "base/clock.h"

#include <chrono>
#include <thread>

namespace lumaro {

namespace {
struct ClockState {
  bool TimerStarted = false;
  uint32_t TimerOrigin = 0;
  bool Held = false;
  uint32_t HeldAt = 0;
};
ClockState State;
}  // namespace

uint32_t MillisecondClock() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

float ElapsedSeconds() {
  if (!State.TimerStarted) {
    State.TimerStarted = true;
    State.TimerOrigin = State.Held ? State.HeldAt : MillisecondClock();
  }
  return SecondsSince(State.TimerOrigin, State.Held ? State.HeldAt : MillisecondClock());
}

void ResetElapsedSeconds() { State.TimerStarted = false; }

void HoldElapsedSeconds(bool hold) {
  if (hold == State.Held) return;
  const uint32_t now = MillisecondClock();
  if (hold)
    State.HeldAt = now;
  else
    State.TimerOrigin += now - State.HeldAt;  // the held time never counts
  State.Held = hold;
}

bool ElapsedSecondsHeld() { return State.Held; }

void SleepMilliseconds(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace lumaro
