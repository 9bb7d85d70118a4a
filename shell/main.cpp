// Entry: options and window, renderer start-up, the frame loop, teardown.
#include <GL/gl.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "engine/capture.h"
#include "engine/frame_writer.h"
#include "engine/progress.h"
#include "engine/timedemo.h"
#include "engine/startup.h"
#include "engine/timeline.h"
#include "shell/encoder.h"
#include "shell/options.h"
#include "shell/platform.h"
#include "shell/window_proc.h"

using namespace lumaro;

namespace {
// "-video": the encoder takes the frames of the size drawn now, with the track unless silent.
bool StartVideo() {
  std::string why;
  if (!StartEncoder(VideoFile, ScreenWidth, ScreenHeight, SoundtrackOn, &why)) {
    std::fprintf(stderr, "lumaro: %s\n", why.c_str());
    return false;
  }
  std::FILE* video = TakeEncoderVideoStream();
  return PrepareStreamCapture(video, TakeEncoderAudioStream());
}

// The timedemo's table on stdout (and as CSV); false when the CSV cannot be written.
bool ReportTimedemo(std::chrono::steady_clock::time_point programStart, std::chrono::steady_clock::time_point loopStart) {
  using Seconds = std::chrono::duration<double>;
  const auto now = std::chrono::steady_clock::now();
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const TimedemoRun run{renderer ? renderer : "an unknown renderer", ScreenWidth, ScreenHeight,
                        Seconds(now - loopStart).count(), Seconds(FirstFrameDone() - programStart).count() * 1000,
                        usage.ru_maxrss / 1024.0};
  const std::vector<SceneTiming> rows = TimedemoTable();
  std::fputs(FormatTimedemoTable(rows, run).c_str(), stdout);
  std::string why;
  if (!TimedemoFile.empty() && !WriteTimedemoCsv(TimedemoFile, rows, run, &why)) {
    std::fprintf(stderr, "lumaro: %s\n", why.c_str());
    return false;
  }
  return true;
}

// What a capture left on disk, said once the writer has stopped.
void ReportCapture(int signal) {
  const CaptureTally tally = FrameWriterTally();
  if (signal)
    std::fprintf(stderr, "lumaro: interrupted; the last whole frame is %06u (demo time %.2f s)\n", tally.last,
                 tally.lastClock);
  if (VideoFile.empty()) {
    if (tally.frames)
      std::fprintf(stderr, "lumaro: wrote %u frames, %06u.tga to %06u.tga, in %s (%.1f MB)\n", tally.frames,
                   tally.first, tally.last, VideoDir.c_str(), tally.bytes / 1e6);
    return;
  }
  std::string what;
  FinishEncoder(ExitCode == 0, signal != 0, &what);
  std::fprintf(stderr, "lumaro: %s\n", what.c_str());
}
}  // namespace

int main(int argc, char** argv) {
  const auto programStart = std::chrono::steady_clock::now();
  const std::string commandLine = JoinCommandLine(argc, argv);
  ParseOptions(commandLine.c_str());
  if (HelpRequested) {
    std::fputs(OptionsHelpText(), stdout);
    return 0;
  }
  if (!OptionsProblem.empty()) {
    std::fprintf(stderr, "lumaro: %s\n", OptionsProblem.c_str());
    return 2;  // a usage error: nothing started
  }
  for (const std::string& warning : ArgumentWarnings(argc, argv)) std::fprintf(stderr, "lumaro: warning: %s\n", warning.c_str());
  std::string why;
  if (!VideoFile.empty() && !CheckEncoder(VideoFile, &why)) {
    std::fprintf(stderr, "lumaro: %s\n", why.c_str());
    return 1;  // before any window or frame
  }

  const bool screenSaverWasActive = ScreenSaverActive(Headless);
  if (screenSaverWasActive) SetScreenSaver(false);

  if (!CreateRenderWindow(commandLine.c_str())) {
    if (screenSaverWasActive) SetScreenSaver(true);
    return 1;  // start-up failed
  }
  InstallStopSignals();
  RenderStartup();
  if (!VideoFile.empty() && ExitCode == 0 && !StartVideo()) StopRunning(StopReason::Failure);
  if (VideoSave) LockWindowSize();  // a capture has one size
  // "-start": what the frames before it leave behind; captures match a whole run exactly.
  if (ExitCode == 0) CatchUpTo(StartTime, VideoSave ? CatchUp::Exact : CatchUp::Quick);

  Running = ExitCode == 0 ? 1 : 0;
  ElapsedSeconds();  // time zero: loading never counts as demo time
  const auto loopStart = std::chrono::steady_clock::now();
  int signal = 0;
  while (Running) {
    if ((signal = StopSignal()) != 0) {
      StopRunning(StopReason::Signal, signal);
      break;
    }
    if (WindowVanished()) {
      std::fprintf(stderr, "lumaro: the window was destroyed from outside; the show ends\n");
      StopRunning(StopReason::Failure);
      break;
    }
    if (!DispatchPendingEvent()) PaintFrame();
  }
  FinishProgress();
  if (Timedemo && ExitCode == 0 && !signal && !ReportTimedemo(programStart, loopStart)) ExitCode = 1;

  RenderShutdown();  // writes the frames still in flight
  if (VideoSave) ReportCapture(signal);
  DestroyRenderWindow();
  if (screenSaverWasActive) SetScreenSaver(true);
  return ExitCode;
}
