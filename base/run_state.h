// State that every layer reads: the run flags and sizes fixed by the command line, the
// drawing size, and whether (and how) the run goes on. Written by the shell and the
// timeline; the lowest layer, so no other layer has to reach upward for it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lumaro {

extern int32_t ScreenWidth;   // drawing area in pixels
extern int32_t ScreenHeight;
extern bool Fullscreen;
extern bool ShowFps;
extern bool SoundOn;
extern bool LoopSound;
extern bool VideoSave;

// Our additions; each leaves the show unchanged when absent.
extern bool Headless;         // offscreen GL context, no display needed
extern bool SeedGiven;        // "-seed=N" replaces the calendar-time seed
extern uint32_t SeedValue;
extern float StartTime;       // "-start=S": first demo second shown
extern float EndTime;         // "-end=S": the run stops at this demo time
extern std::string VideoDir;  // "-videodir=DIR" for captured frames
extern std::string VideoFile;  // "-video=FILE": frames and sound straight into a video
extern bool SoundtrackOn;     // a capture renders the music as its sound track
extern bool Timedemo;         // "-timedemo": the fixed clock as fast as possible, frame times measured
extern std::string TimedemoFile;  // "-timedemo=FILE.csv": the table also as CSV
extern bool ForceProgress;    // "-progress": progress line even when stderr is no terminal
extern std::vector<float> StillTimes;  // "-stills=S,S,...": only the frames at these seconds, ascending
extern bool HelpRequested;    // "-help" / "--help"

constexpr float ShowLength = 329.0f;     // demo seconds; the run ends at the first frame past it
constexpr float FrameStep = 0.04f;       // seconds a frame on the fixed clock: 25 frames a second

// Captures and timedemos step the clock by FrameStep a frame instead of following the wall.
inline bool FixedClock() { return VideoSave || Timedemo; }

// The main loop turns while Running is non-zero; ExitCode is what the program returns.
extern int32_t Running;
extern int ExitCode;

enum class StopReason {
  ShowOver,  // the clock passed the end of the show or "-end"
  UserQuit,  // Escape, the close button, the menu's Exit
  Signal,    // SIGINT / SIGTERM
  Failure,   // something the run cannot go on without: exit code 1
};
// The one way the run is ended, whatever the reason; the loop notices at its next turn.
// A signal that interrupts a capture ends it with 128 + the signal's number.
void StopRunning(StopReason reason, int signal = 0);

}  // namespace lumaro
