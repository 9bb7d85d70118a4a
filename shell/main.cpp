// Entry: options and window, renderer start-up, the frame loop, teardown.
#include <GL/gl.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/report.h"
#include "engine/capture.h"
#include "engine/frame_writer.h"
#include "engine/progress.h"
#include "engine/startup.h"
#include "engine/timedemo.h"
#include "engine/timeline.h"
#include "shell/encoder.h"
#include "shell/module_search.h"
#include "shell/new_file.h"
#include "shell/options.h"
#include "shell/platform.h"
#include "shell/window_proc.h"

using namespace lumaro;

namespace {
// "-video": the encoder takes the frames of the size drawn now, with the track unless silent.
Status StartVideo() {
  Status started = StartEncoder(ThisRun.videoFile, ScreenWidth, ScreenHeight, ThisRun.soundtrack);
  if (!started.ok()) return started;
  std::FILE* video = TakeEncoderVideoStream();
  return PrepareStreamCapture(video, TakeEncoderAudioStream());
}

// The timedemo's table on stdout (and as CSV).
Status ReportTimedemo(std::chrono::steady_clock::time_point programStart,
                      std::chrono::steady_clock::time_point loopStart) {
  using Seconds = std::chrono::duration<double>;
  const auto now = std::chrono::steady_clock::now();
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const TimedemoRun run{renderer ? renderer : "an unknown renderer",
                        ScreenWidth,
                        ScreenHeight,
                        Seconds(now - loopStart).count(),
                        Seconds(FirstFrameDone() - programStart).count() * 1000,
                        usage.ru_maxrss / 1024.0};
  const std::vector<SceneTiming> rows = TimedemoTable();
  std::fputs(FormatTimedemoTable(rows, run).c_str(), stdout);
  return ThisRun.timedemoFile.empty() ? Status() : WriteTimedemoCsv(ThisRun.timedemoFile, rows, run);
}

// What a capture left on disk, said once the writer has stopped.
void ReportCapture(int signal, const Status& captured) {
  const CaptureTally tally = FrameWriterTally();
  if (signal) {
    char text[120];
    std::snprintf(text, sizeof text, "interrupted; the last whole frame is %06u (demo time %.2f s)", tally.last,
                  tally.lastClock);
    Say(text);
  }
  if (!captured.ok()) Say(captured);
  if (ThisRun.videoFile.empty()) {
    if (tally.frames) {
      char text[200];
      std::snprintf(text, sizeof text, "wrote %u frames, %06u.tga to %06u.tga, in %s (%.1f MB)", tally.frames,
                    tally.first, tally.last, ThisRun.videoDir.c_str(), tally.bytes / 1e6);
      Say(text);
    }
    return;
  }
  std::string what;
  const Status finished = FinishEncoder(ThisRun.exitCode == 0 && captured.ok(), signal != 0, &what);
  Say(what);
  if (!finished.ok() && ThisRun.exitCode == 0) ThisRun.exitCode = 1;
}

// Until Escape, the end of the show, a signal or a vanished window.
int RunLoop() {
  int signal = 0;
  while (Running) {
    if ((signal = StopSignal()) != 0) {
      StopRunning(StopReason::Signal, signal);
      break;
    }
    if (WindowVanished()) {
      Say("the window was destroyed from outside; the show ends");
      StopRunning(StopReason::Failure);
      break;
    }
    if (!DispatchPendingEvent()) PaintFrame();
  }
  return signal;
}
}  // namespace

int main(int argc, char** argv) {
  const auto programStart = std::chrono::steady_clock::now();
  OptionsAction action = OptionsAction::Run;
  const Status parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &action);
  if (!parsed.ok()) {
    Say(parsed);
    return 2;  // a usage error: nothing started
  }
  if (action == OptionsAction::Help) return std::fputs(OptionsHelpText().c_str(), stdout) < 0;
  if (action == OptionsAction::Version) return std::printf("lumaro %s\n", LUMARO_VERSION) < 0;
  InstallNewFileWriter(WriteNewFileDirect);
  FindModule();
  if (!ThisRun.videoFile.empty()) {
    const Status usable = CheckEncoder(ThisRun.videoFile);
    if (!usable.ok()) {
      Say(usable);
      return 1;  // before any window or frame
    }
  }

  const bool screenSaverWasActive = ScreenSaverActive(ThisRun.headless);
  if (screenSaverWasActive) SetScreenSaver(false);
  if (!CreateRenderWindow()) {
    if (screenSaverWasActive) SetScreenSaver(true);
    return 1;  // start-up failed
  }
  InstallStopSignals();
  RenderStartup();
  if (!ThisRun.videoFile.empty() && ThisRun.exitCode == 0) {
    const Status started = StartVideo();
    if (!started.ok()) {
      Say(started);
      StopRunning(StopReason::Failure);
    }
  }
  if (VideoSave) LockWindowSize();  // a capture has one size
  // "-start": what the frames before it leave behind; captures match a whole run exactly.
  if (ThisRun.exitCode == 0) CatchUpTo(ThisRun.startTime, VideoSave ? CatchUp::Exact : CatchUp::Quick);

  Running = ThisRun.exitCode == 0 ? 1 : 0;
  ElapsedSeconds();  // time zero: loading never counts as demo time
  const auto loopStart = std::chrono::steady_clock::now();
  const int signal = RunLoop();
  FinishProgress();
  if (ThisRun.timedemo && ThisRun.exitCode == 0 && !signal) {
    const Status reported = ReportTimedemo(programStart, loopStart);
    if (!reported.ok()) {
      Say(reported);
      ThisRun.exitCode = 1;
    }
  }
  const Status captured = FinishCapture();  // writes the frames still in flight
  if (!captured.ok() && ThisRun.exitCode == 0) ThisRun.exitCode = 1;
  RenderShutdown();
  if (VideoSave) ReportCapture(signal, captured);
  DestroyRenderWindow();
  if (screenSaverWasActive) SetScreenSaver(true);
  return ThisRun.exitCode;
}
