#include "base/run_state.h"

namespace lumaro {

int32_t Running = 0;
volatile std::sig_atomic_t StopSignalNumber = 0;

namespace {
struct RunEnd {
  StopReason lastReason = StopReason::ShowOver;
  int exitCode = 0;
  bool capture = false;
};
RunEnd End;
}  // namespace

void StopRunning(StopReason reason, int signal) {
  Running = 0;
  End.lastReason = reason;
  if (reason == StopReason::Failure) End.exitCode = 1;
  if (reason == StopReason::Signal && End.capture && End.exitCode == 0) End.exitCode = 128 + signal;
  if (reason == StopReason::UserQuit && End.capture && End.exitCode == 0) End.exitCode = kStoppedEarly;
}

StopReason LastStopReason() { return End.lastReason; }
int ExitCode() { return End.exitCode; }
void SetCaptureRun(bool capture) { End.capture = capture; }

void MarkRunFailed() {
  if (End.exitCode == 0 || End.exitCode == kStoppedEarly) End.exitCode = 1;
}

void ResetRunEnd() { End = {}; }

}  // namespace lumaro
