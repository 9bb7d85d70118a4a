#include "engine/progress.h"

#include <unistd.h>

#include <cstdio>

#include "base/clock.h"
#include "base/run_state.h"
#include "engine/timeline.h"

namespace lumaro {

namespace {
bool Decided = false;
bool Enabled = false;
bool Printed = false;
uint32_t FirstMs = 0, LastMs = 0;
uint32_t FirstFrame = 0;

bool ProgressWanted() {
  if (!Decided) {
    Decided = true;
    Enabled = ForceProgress || isatty(STDERR_FILENO);
  }
  return Enabled;
}
}  // namespace

void ReportProgress() {
  if (!ProgressWanted()) return;
  const uint32_t now = MillisecondClock();
  if (!Printed && FirstFrame == 0) {
    FirstMs = LastMs = now;
    FirstFrame = FrameNumber;
  }
  const bool last = Running == 0;
  if (!last && now - LastMs < 250) return;
  LastMs = now;
  const float seconds = SecondsSince(FirstMs, now);
  const float rate = seconds > 0 ? (FrameNumber - FirstFrame) / seconds : 0.0f;
  const float end = EndTime < ShowLength ? EndTime : ShowLength;
  const float framesLeft = DemoClock < end ? (end - DemoClock) / 0.04f : 0.0f;
  const int secondsLeft = rate > 0 ? static_cast<int>(framesLeft / rate) : 0;
  std::fprintf(stderr, "\rframe %6u  demo %7.2f s  %6.1f frames/s  %d:%02d left ", FrameNumber, DemoClock, rate,
               secondsLeft / 60, secondsLeft % 60);
  std::fflush(stderr);
  Printed = true;
}

void FinishProgress() {
  if (Printed) std::fputc('\n', stderr);
  Printed = false;
}

}  // namespace lumaro
