// Entry: options and window, renderer start-up, the frame loop, teardown.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/report.h"
#include "base/utf8_path.h"
#include "engine/capture.h"
#include "engine/flash_watch.h"
#include "engine/player.h"
#include "engine/progress.h"
#include "engine/startup.h"
#include "engine/timeline.h"
#include "shell/encoder.h"
#include "shell/message_box.h"
#include "shell/module_search.h"
#include "shell/new_file.h"
#include "shell/options.h"
#include "shell/platform.h"
#include "shell/process.h"
#include "shell/recording.h"
#include "shell/run_setup.h"
#include "shell/window_proc.h"

using namespace lumaro;

namespace {
// A video or a timedemo's CSV must be writable before a minute of drawing, not only after it.
Status CheckOutputFile(const std::string& path) {
  if (path.empty()) return {};
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path file = fs::absolute(PathOf(path), error), folder = file.parent_path();
  if (fs::is_directory(file, error)) return Status::Failure("cannot write " + Utf8Of(file) + ": it is a directory");
  if (!fs::is_directory(folder, error))
    return Status::Failure("cannot write " + Utf8Of(file) + ": no folder " + Utf8Of(folder));
  return CheckFolderWritable(Utf8Of(folder));
}

// Paused or out of sight, nothing is drawn: the loop waits for the next event (a key, the
// window shown again), showing the paused frame anew after whatever the window went through.
void WaitUnseenOrPaused() {
  constexpr int kWaitMilliseconds = 100;  // how late a signal or the show's end may be noticed
  SDL_Event event;
  if (WaitPlatformEvent(&event, kWaitMilliseconds)) HandleWindowEvent(event);
  if (!Paused())
    PassTimeUnseen();
  else if (WindowShown())
    PresentFrame();
}

// The window, or why there is none: no display in a line, a window that fails in the
// original's box.
bool OpenRenderWindow(WindowSettings settings) {
  if (const Status display = ChooseDisplay(&settings); !display.ok()) {
    Say(display);
    return false;
  }
  const Status created = CreateRenderWindow(settings);
  if (!created.ok()) ShowMessage(created.why(), "ERROR");
  return created.ok();
}

// Until Escape, the end of the show, a signal or a vanished window.
int RunLoop() {
  int signal = 0;
  while (Running()) {
    if ((signal = StopSignal()) != 0) {
      StopRunning(StopReason::Signal, signal);
      break;
    }
    if (WindowVanished()) {
      Say("the window was destroyed from outside; the show ends");
      StopRunning(StopReason::Failure);
      break;
    }
    if (DispatchPendingEvent()) continue;
    if (!FixedClock() && (Paused() || !WindowShown()))
      WaitUnseenOrPaused();
    else
      PaintFrame();
  }
  return signal ? signal : StopSignal();  // also one that a waiting capture gave up for
}

// What a run needs from outside, checked before any window or frame: its files can be
// written, the encoder runs, the module is there for a sound track.
Status CheckRunCanStart(const RunPlan& plan, const ShowSettings& show) {
  Status usable = CheckOutputFile(plan.videoFile);
  if (plan.VideoSave) usable.Keep(CheckSoundtrackModule(show, plan.soundtrack));
  if (usable.ok() && !plan.videoFile.empty()) usable = CheckEncoder(plan.videoFile);
  usable.Keep(CheckOutputFile(plan.timedemoFile));
  usable.Keep(CheckOutputFile(plan.flashCheckFile));
  return usable;
}

// Every frame read back: into the flash analyser (-flashcheck), or as files or a video.
void StartCapture(const RunPlan& plan) {
  if (!plan.VideoSave || ExitCode() != 0) return;
  const Status started =
      plan.flashCheck ? StartFlashWatch(FlashWatchSettingsOf(plan)) : StartRecording(RecordingSettingsOf(plan));
  if (!started.ok()) {
    Say(started);
    StopRunning(StopReason::Failure);
  }
}

// The frames still in flight measured or written, and what came of them said; false when the
// flash check found a stretch that fails.
bool EndCapture(const RunPlan& plan, int signal) {
  if (plan.flashCheck) return EndFlashWatch(signal);
  if (plan.VideoSave) EndRecording(signal);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (const int answer = ShowBoxIfAsked(argc, argv); answer >= 0) return answer;  // started to show a box
  const auto programStart = std::chrono::steady_clock::now();
  PrepareStandardFiles();
  std::vector<std::string> arguments = ProgramArguments(argc, argv);
  arguments.erase(arguments.begin());
  RunPlan plan;
  const Status parsed = ParseOptions(arguments, &plan);
  if (!parsed.ok()) {
    Say(parsed);
    return kUsageError;  // nothing started
  }
  const OptionsAction action = plan.action;
  if (action == OptionsAction::Help) return std::fputs(OptionsHelpText().c_str(), stdout) < 0 || std::fflush(stdout);
  if (action == OptionsAction::Version) return std::printf("lumaro %s\n", LUMARO_VERSION) < 0 || std::fflush(stdout);
  InstallNewFileWriter(WriteNewFileDirect);
  InstallStopSignals();  // before the first wait on another program
  const ShowSettings show = ShowSettingsOf(plan, FindModule());
  if (const Status usable = CheckRunCanStart(plan, show); !usable.ok()) {
    Say(usable);
    return usable.interrupted() ? 128 + StopSignal() : 1;  // before any window or frame
  }

  const bool screenSaverWasActive = ScreenSaverActive(plan.headless);
  if (screenSaverWasActive) SetScreenSaver(false);
  if (!OpenRenderWindow(WindowSettingsOf(plan))) {
    if (screenSaverWasActive) SetScreenSaver(true);
    return 1;  // start-up failed
  }
  InstallPlayer({HoldElapsedSeconds, ResetElapsedSeconds, ElapsedSeconds, BeginFrame, PaintFrame});
  RenderStartup(show);
  StartCapture(plan);
  if (plan.VideoSave) LockDrawingSize();  // a capture has one size
  // "-start": what the frames before it leave behind; captures match a whole run exactly.
  if (ExitCode() == 0) CatchUpTo(plan.startTime, plan.VideoSave ? CatchUp::Exact : CatchUp::Quick);

  if (ExitCode() == 0) StartRunning();
  ElapsedSeconds();  // time zero: loading never counts as demo time
  const auto loopStart = std::chrono::steady_clock::now();
  int signal = RunLoop();
  // "-loop": the show again, for as long as nothing but its end stopped it.
  while (plan.loopShow && LastStopReason() == StopReason::ShowOver && ExitCode() == 0) {
    StartShowAgain();
    signal = RunLoop();
  }
  FinishProgress();
  if (plan.timedemo && ExitCode() == 0 && !signal) {
    const Status reported = ReportTimedemo({programStart, loopStart, "", PeakMemoryMegabytes(), nullptr});
    if (!reported.ok()) {
      Say(reported);
      MarkRunFailed();
    }
  }
  const bool flashesPass = EndCapture(plan, signal);
  RenderShutdown();
  DestroyRenderWindow();
  if (screenSaverWasActive) SetScreenSaver(true);
  return ExitCode() == 0 && !flashesPass ? kFlashesFail : ExitCode();
}
