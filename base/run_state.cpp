#include "base/run_state.h"

namespace lumaro {

int32_t ScreenWidth = 800;
int32_t ScreenHeight = 600;
bool Fullscreen = true;
bool ShowFps = false;
bool SoundOn = true;
bool LoopSound = false;
bool VideoSave = false;
int32_t Running = 0;
volatile std::sig_atomic_t StopSignalNumber = 0;

RunState ThisRun;

StopReason LastStopReason = StopReason::ShowOver;

void StopRunning(StopReason reason, int signal) {
  Running = 0;
  LastStopReason = reason;
  if (reason == StopReason::Failure) ThisRun.exitCode = 1;
  if (reason == StopReason::Signal && VideoSave && ThisRun.exitCode == 0) ThisRun.exitCode = 128 + signal;
  if (reason == StopReason::UserQuit && VideoSave && ThisRun.exitCode == 0) ThisRun.exitCode = kStoppedEarly;
}

}  // namespace lumaro
