// What every layer may read about the run: the original switches and drawing size under the
// names the show was designed with, our own settings in one struct, and how the run ends.
// Written by the shell (options, window) and the timeline; the lowest layer, so no other
// layer has to reach upward for it.
#pragma once
#include <cmath>
#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

namespace lumaro {

constexpr float kFrameStep = 0.04f;    // seconds a frame on the fixed clock at its first rate
constexpr int kDefaultVideoRate = 25;  // frames a second of the fixed clock: kFrameStep
constexpr int kSlowestVideoRate = 10, kFastestVideoRate = 120;
constexpr int kSoundRate = 48000;      // stereo samples a second, live and in captures

extern int32_t ScreenWidth;  // drawing area in pixels
extern int32_t ScreenHeight;
extern bool Fullscreen;
extern bool ShowFps;
extern bool SoundOn;
extern bool LoopSound;
extern bool VideoSave;
extern int32_t Running;  // the main loop turns while it is non-zero
// The signal (SIGINT, SIGTERM, SIGHUP) that asked the run to stop, or 0: set by the shell's
// handler, read by anything that waits and should give up waiting.
extern volatile std::sig_atomic_t StopSignalNumber;

// How captured frames come back from GL. Auto: through two pixel-pack buffers, a frame late,
// on a graphics card; straight into the writer's buffer on a software renderer (where a
// pack buffer only adds a copy). Synchronous: read and written before the next frame.
enum class Readback { Auto, Direct, PackBuffer, Synchronous };

// Our additions to the original's switches; each leaves the show as it was when absent.
struct RunState {
  bool headless = false;   // offscreen GL context, no display needed
  bool seedGiven = false;  // "-seed=N" replaces the calendar-time seed
  uint32_t seed = 0;
  float startTime = 0;                 // "-start=S": the first demo second shown
  float endTime = INFINITY;            // "-end=S": the run stops at this demo time (else the show's end)
  std::vector<float> stillTimes;       // "-stills=S,...": only these frames, ascending
  std::string videoDir = "demovideo";  // "-videodir=DIR" for captured frames
  std::string videoFile;               // "-video=FILE": frames and sound straight into a video
  bool soundtrack = false;             // a capture renders the music as its track
  bool timedemo = false;               // the fixed clock as fast as it draws, frame times measured
  std::string timedemoFile;            // "-timedemo=FILE.csv"
  bool forceProgress = false;          // a progress line even when stderr is no terminal
  Readback readback = Readback::Auto;
  bool loopShow = false;  // "-loop": the show again from its start when it ends
  float loopStart = 0;    // where it starts again: "-start", whatever the viewer jumped to
  bool noVsync = false;   // "-novsync": draw as fast as it goes, unsynchronised
  int videoRate = kDefaultVideoRate;  // "-videorate=N": frames a second of the fixed clock
  // "-size=WxH": the frame captures and the window hold (0: the drawing size); the show is
  // drawn in its middle at 4:3, or over all of it with "-widescreen".
  int frameWidth = 0, frameHeight = 0;
  bool widescreen = false;
  int crf = -1;        // "-crf=N" for x264 (-1: the encoder's default for the run)
  std::string preset;  // "-preset=NAME" for x264 (empty: the default)
  // Where the music module is: found by the shell beside the program, in its install
  // location or in the working directory; empty when none of them has it, and then
  // moduleSearch says where it looked.
  std::string modulePath = "SongM.xm";
  std::string moduleSearch;
  int exitCode = 0;  // what the program returns
};
extern RunState ThisRun;

// Captures and timedemos step the clock by FrameStep() a frame instead of following the wall.
inline bool FixedClock() { return VideoSave || ThisRun.timedemo; }
// 1/rate in single precision: kFrameStep at 25 frames a second.
inline float FrameStep() { return 1.0f / static_cast<float>(ThisRun.videoRate); }
// The stereo samples of a capture's first `frames` frames: frame n sounds the samples from
// SamplesBefore(n - 1) to SamplesBefore(n), 48000 / rate each when that is whole, else
// alternately one more or less so that the track never drifts from the frames.
inline uint64_t SamplesBefore(uint64_t frames) {
  return frames * kSoundRate / static_cast<uint64_t>(ThisRun.videoRate);
}
// The frame the show is shown in: "-size", or the drawing size.
inline int FrameWidth() { return ThisRun.frameWidth ? ThisRun.frameWidth : ScreenWidth; }
inline int FrameHeight() { return ThisRun.frameHeight ? ThisRun.frameHeight : ScreenHeight; }

enum class StopReason {
  ShowOver,  // the clock passed the end of the show or "-end"
  UserQuit,  // Escape, the close button, the menu's Exit
  Signal,    // SIGINT, SIGTERM, SIGHUP
  Failure,   // something the run cannot go on without: exit code 1
};
// The one way the run is ended, whatever the reason; the loop notices at its next turn.
// The reason is kept for the loop (a show that ends may start again with "-loop").
// A signal that interrupts a capture ends it with 128 + the signal's number; the viewer
// stopping it (Escape, the window closed) before its end with kStoppedEarly.
constexpr int kStoppedEarly = 3;
void StopRunning(StopReason reason, int signal = 0);
extern StopReason LastStopReason;

}  // namespace lumaro
