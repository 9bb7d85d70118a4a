// Entry: options and window, renderer start-up, the frame loop, teardown.
#include <cstdio>

#include "base/clock.h"
#include "engine/progress.h"
#include "engine/startup.h"
#include "shell/options.h"
#include "shell/platform.h"
#include "shell/window_proc.h"

using namespace lumaro;

int main(int argc, char** argv) {
  const std::string commandLine = JoinCommandLine(argc, argv);
  ParseOptions(commandLine.c_str());
  if (HelpRequested) {
    std::fputs(OptionsHelpText(), stdout);
    return 0;
  }

  const bool screenSaverWasActive = ScreenSaverActive(commandLine.c_str());
  if (screenSaverWasActive) SetScreenSaver(false);

  if (!CreateRenderWindow(commandLine.c_str())) {
    if (screenSaverWasActive) SetScreenSaver(true);
    return 1;  // start-up failed
  }
  InstallStopSignals();
  RenderStartup();

  Running = ExitCode == 0 ? 1 : 0;
  ElapsedSeconds();  // time zero: loading never counts as demo time
  while (Running) {
    if (StopSignalled()) {
      StopRunning(StopReason::Signal);
      break;
    }
    if (!DispatchPendingEvent()) PaintFrame();
  }
  FinishProgress();

  RenderShutdown();
  DestroyRenderWindow();
  if (screenSaverWasActive) SetScreenSaver(true);
  return ExitCode;
}
