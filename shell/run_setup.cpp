#include "shell/run_setup.h"

namespace lumaro {

namespace {
CaptureSettings CaptureSettingsOf(const RunPlan& plan) {
  // A video streams to its encoder, a flash check to the analyser.
  return {.directory = plan.videoFile.empty() && !plan.flashCheck ? plan.videoDir : "",
          .frameWidth = plan.FrameWidth(),
          .frameHeight = plan.FrameHeight(),
          .soundtrack = plan.soundtrack,
          .readback = plan.readback};
}
}  // namespace

ShowSettings ShowSettingsOf(const RunPlan& plan, const FoundModule& module) {
  return {.start = plan.startTime,
          .end = plan.endTime,
          .stills = plan.stillTimes,
          .fixedClock = plan.FixedClock(),
          .videoRate = plan.videoRate,
          .ShowFps = plan.ShowFps,
          .SoundOn = plan.SoundOn,
          .LoopSound = plan.LoopSound,
          .VideoSave = plan.VideoSave,
          .loopShow = plan.loopShow,
          .timedemo = plan.timedemo,
          .timedemoFile = plan.timedemoFile,
          .seedGiven = plan.seedGiven,
          .seed = plan.seed,
          .forceProgress = plan.forceProgress,
          .safe = plan.safe,
          .modulePath = module.path,
          .moduleSearch = module.searched,
          .capture = CaptureSettingsOf(plan)};
}

FlashWatchSettings FlashWatchSettingsOf(const RunPlan& plan) {
  return {.capture = CaptureSettingsOf(plan), .tableFile = plan.flashCheckFile};
}

WindowSettings WindowSettingsOf(const RunPlan& plan) {
  return {.area = {.ScreenWidth = plan.ScreenWidth, .ScreenHeight = plan.ScreenHeight, .widescreen = plan.widescreen},
          .frameWidth = plan.frameWidth,
          .frameHeight = plan.frameHeight,
          .Fullscreen = plan.Fullscreen,
          .headless = plan.headless,
          .fixedClock = plan.FixedClock(),
          .vsync = !plan.FixedClock() && !plan.noVsync};
}

RecordingSettings RecordingSettingsOf(const RunPlan& plan) {
  return {.capture = CaptureSettingsOf(plan),
          .encoder = {.file = plan.videoFile,
                      .width = plan.FrameWidth(),
                      .height = plan.FrameHeight(),
                      .videoRate = plan.videoRate,
                      .sound = plan.soundtrack,
                      .crf = plan.crf,
                      .preset = plan.preset},
          .videoRate = plan.videoRate,
          .stills = !plan.stillTimes.empty()};
}

}  // namespace lumaro
