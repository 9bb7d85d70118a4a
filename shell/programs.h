// Other programs run by ours (ffmpeg, ffprobe): started with an argument list, never through
// a shell, so no name or value is ever read as shell syntax. Each system's file says how it
// starts and ends them (programs_posix.h, programs_win.h).
#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "base/run_state.h"
#include "base/status.h"

namespace lumaro {

// Seconds a program is given to end by itself after a stop signal before it is killed with
// all it started: enough to write a trailer, short enough that Ctrl+C still ends the run at once.
constexpr double kStopPatienceSeconds = 3.0;

// Runs a program from PATH to its end, in a process group of its own, and keeps what it
// printed on stdout (stderr goes nowhere); fails when it cannot start or does not exit with
// 0, and is interrupted when a stop signal came and it had to be killed.
Status RunAndRead(const std::vector<std::string>& arguments, std::string* output);

// Counts a program's patience from the first look that finds a stop signal.
class Patience {
 public:
  explicit Patience(double seconds) : seconds_(seconds) {}
  bool Over() {
    using Clock = std::chrono::steady_clock;
    if (!StopSignalNumber) return false;
    if (signalled_ == Clock::time_point{}) signalled_ = Clock::now();
    return Clock::now() - signalled_ >= std::chrono::duration<double>(seconds_);
  }

 private:
  double seconds_;
  std::chrono::steady_clock::time_point signalled_{};
};

}  // namespace lumaro
