#include "engine/progress.h"

#include <unistd.h>

#include <cstdio>

#include "base/clock.h"
#include "base/report.h"
#include "engine/capture.h"
#include "engine/show.h"

namespace lumaro {

namespace {
struct ProgressState {
  bool Decided = false;
  bool Enabled = false;
  uint32_t FirstMs = 0, LastMs = 0;
  uint32_t Done = 0, Total = 0;
};
ProgressState State;

bool ProgressWanted() {
  if (!State.Decided) {
    State.Decided = true;
    State.Enabled = Show().forceProgress || isatty(STDERR_FILENO);
  }
  return State.Enabled;
}

void Clock(char* text, size_t size, int seconds) { std::snprintf(text, size, "%d:%02d", seconds / 60, seconds % 60); }
}  // namespace

void ReportProgress(float clock) {
  if (!ProgressWanted()) return;
  const uint32_t now = MillisecondClock();
  if (State.Done++ == 0) {
    State.FirstMs = State.LastMs = now;
    State.Total = CaptureFrameTotal();
  }
  const bool last = !Running();
  if (!last && now - State.LastMs < 250) return;
  State.LastMs = now;
  const float seconds = SecondsSince(State.FirstMs, now);
  const float rate = seconds > 0 ? State.Done / seconds : 0.0f;
  const int left = rate > 0 && State.Total > State.Done ? static_cast<int>((State.Total - State.Done) / rate) : 0;
  char elapsed[16], eta[16];
  Clock(elapsed, sizeof elapsed, static_cast<int>(seconds));
  Clock(eta, sizeof eta, left);
  char line[160];
  std::snprintf(line, sizeof line, "frame %u of %u  demo %6.2f s  %5.1f frames/s  %s elapsed  %s left ", State.Done,
                State.Total, clock, rate, elapsed, eta);
  ShowProgressLine(line);
}

void FinishProgress() { EndProgressLine(); }

}  // namespace lumaro
