#include "base/run_state.h"

namespace lumaro {

volatile std::sig_atomic_t StopSignalNumber = 0;

namespace {
struct RunEnd {
  bool running = false;
  StopReason lastReason = StopReason::ShowOver;
  int exitCode = 0;
  bool capture = false;
};
RunEnd End;
}  // namespace

void StopRunning(StopReason reason, int signal) {
  End.running = false;
  End.lastReason = reason;
  if (reason == StopReason::Failure) End.exitCode = kFailed;
  if (reason == StopReason::Signal && End.capture && End.exitCode == 0) End.exitCode = kSignalExitBase + signal;
  if (reason == StopReason::UserQuit && End.capture && End.exitCode == 0) End.exitCode = kStoppedEarly;
}

bool Running() { return End.running; }
void StartRunning() { End.running = true; }
StopReason LastStopReason() { return End.lastReason; }
int ExitCode() { return End.exitCode; }
void SetCaptureRun(bool capture) { End.capture = capture; }

void MarkRunFailed() {
  if (End.exitCode == 0 || End.exitCode == kStoppedEarly) End.exitCode = kFailed;
}

void ResetRunEnd() { End = {}; }

}  // namespace lumaro
