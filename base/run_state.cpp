#include "base/run_state.h"

namespace lumaro {

int32_t ScreenWidth = 800;
int32_t ScreenHeight = 600;
bool Fullscreen = true;
bool ShowFps = false;
bool SoundOn = true;
bool LoopSound = false;
bool VideoSave = false;

bool Headless = false;
bool SeedGiven = false;
uint32_t SeedValue = 0;
float StartTime = 0.0f;
float EndTime = ShowLength;
std::string VideoDir = "demovideo";
std::string VideoFile;
bool SoundtrackOn = false;
bool Timedemo = false;
std::string TimedemoFile;
bool ForceProgress = false;
std::vector<float> StillTimes;
bool HelpRequested = false;

int32_t Running = 0;
int ExitCode = 0;

void StopRunning(StopReason reason, int signal) {
  Running = 0;
  if (reason == StopReason::Failure) ExitCode = 1;
  if (reason == StopReason::Signal && VideoSave && ExitCode == 0) ExitCode = 128 + signal;
}

}  // namespace lumaro
