// How the run goes on and ends, which every layer may ask: the loop's flag, the stop signal,
// the exit code. The settings of the run are not here: the options make a plan of them, and
// each module is handed its part (see shell/options.h).
#pragma once
#include <csignal>
#include <cstdint>

namespace lumaro {

constexpr float kFrameStep = 0.04f;    // seconds a frame on the fixed clock at its first rate
constexpr int kDefaultVideoRate = 25;  // frames a second of the fixed clock: kFrameStep
constexpr int kSlowestVideoRate = 10, kFastestVideoRate = 120;
constexpr int kSoundRate = 48000;  // stereo samples a second, live and in captures

// The stereo samples of a capture's first `frames` frames at `rate` frames a second: frame n
// sounds the samples from SamplesBefore(n - 1) to SamplesBefore(n), 48000 / rate each when
// that is whole, else alternately one more or less so that the track never drifts.
inline uint64_t SamplesBefore(uint64_t frames, int rate) { return frames * kSoundRate / static_cast<uint64_t>(rate); }

// The signal (SIGINT, SIGTERM, SIGHUP) that asked the run to stop, or 0: set by the shell's
// handler, read by anything that waits and should give up waiting.
extern volatile std::sig_atomic_t StopSignalNumber;

enum class StopReason {
  ShowOver,  // the clock passed the end of the show or "-end"
  UserQuit,  // Escape, the close button, the menu's Exit
  Signal,    // SIGINT, SIGTERM, SIGHUP
  Failure,   // something the run cannot go on without: exit code 1
};
// The one way the run is ended, whatever the reason; the loop notices at its next turn.
// The reason is kept for the loop (a show that ends may start again with "-loop").
// A signal that interrupts a capture ends it with 128 + the signal's number; the viewer
// stopping it (Escape, the window closed) before its end with kStoppedEarly.
constexpr int kFailed = 1;         // something the run could not do
constexpr int kUsageError = 2;     // the command line was refused; nothing started
constexpr int kStoppedEarly = 3;
constexpr int kSignalExitBase = 128;  // plus the signal's number
void StopRunning(StopReason reason, int signal = 0);
// The main loop turns while the run is running: from StartRunning to a StopRunning.
bool Running();
void StartRunning();
StopReason LastStopReason();
int ExitCode();  // what the program returns
// A capture's stops have their own exit codes (above); told once, before the first frame.
void SetCaptureRun(bool capture);
// The run failed after its end (its capture could not be finished): exit code 1, unless a
// signal's code says more.
void MarkRunFailed();
// Back to a run that has not stopped: for the next test.
void ResetRunEnd();

}  // namespace lumaro
