// The plan of a run, as the command line gives it (shell/options.h makes it).
#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/capture_settings.h"

namespace lumaro {

// What the command line asks for besides a run.
enum class OptionsAction { Run, Help, Version };

struct RunPlan {
  OptionsAction action = OptionsAction::Run;
  // The original's switches, under the names the show was designed with.
  int32_t ScreenWidth = 800;  // drawing size in pixels
  int32_t ScreenHeight = 600;
  bool Fullscreen = true;
  bool ShowFps = false;
  bool SoundOn = true;
  bool LoopSound = false;
  bool VideoSave = false;
  // Ours: each leaves the show as it was when absent. A value option's default is in its
  // row of the table, and set from there.
  bool headless = false;   // offscreen GL context, no display needed
  bool seedGiven = false;  // "-seed=N" replaces the calendar-time seed
  uint32_t seed = 0;
  float startTime = 0;            // "-start=S": the first demo second shown
  float endTime = INFINITY;       // "-end=S": the run stops at this demo time (else the show's end)
  std::vector<float> stillTimes;  // "-stills=S,...": only these frames, ascending
  std::string videoDir;           // "-videodir=DIR" for captured frames
  std::string videoFile;          // "-video=FILE": frames and sound straight into a video
  bool soundtrack = false;        // a capture renders the music as its track
  bool timedemo = false;          // the fixed clock as fast as it draws, frame times measured
  std::string timedemoFile;       // "-timedemo=FILE.csv"
  bool forceProgress = false;     // a progress line even when stderr is no terminal
  bool flashCheck = false;        // "-flashcheck": the frames measured for flashes, not written
  std::string flashCheckFile;     // "-flashcheck=FILE.csv": every frame's measures
  bool safe = false;              // "-safe": the passages that flash too much tamed
  Readback readback = Readback::Auto;
  bool loopShow = false;  // "-loop": the show again from its start when it ends
  bool noVsync = false;   // "-novsync": draw as fast as it goes, unsynchronised
  int videoRate = 0;      // "-videorate=N": frames a second of the fixed clock
  // "-size=WxH": the frame captures and the window hold (0: the drawing size); the show is
  // drawn in its middle at 4:3, or over all of it with "-widescreen".
  int frameWidth = 0, frameHeight = 0;
  bool widescreen = false;
  int crf = 0;         // "-crf=N" for x264
  std::string preset;  // "-preset=NAME" for x264

  bool operator==(const RunPlan&) const = default;
  bool FixedClock() const { return VideoSave || timedemo || flashCheck; }  // the clock steps by the frame
  int FrameWidth() const { return frameWidth ? frameWidth : ScreenWidth; }
  int FrameHeight() const { return frameHeight ? frameHeight : ScreenHeight; }
};

}  // namespace lumaro
