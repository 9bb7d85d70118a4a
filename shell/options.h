// Run flags and sizes fixed by the command line before the window exists.
#pragma once
#include <cstdint>
#include <string>

namespace lumaro {

extern int32_t ScreenWidth;   // drawing area in pixels
extern int32_t ScreenHeight;
extern bool Fullscreen;
extern bool ShowFps;
extern bool SoundOn;
extern bool LoopSound;
extern bool VideoSave;
extern int32_t Running;       // the main loop turns while non-zero

// Our additions; each leaves the show unchanged when absent.
extern bool Headless;         // offscreen GL context, no display needed
extern bool SeedGiven;        // "-seed=N" replaces the calendar-time seed
extern uint32_t SeedValue;
extern float StartTime;       // "-start=S": first demo second shown
extern float EndTime;         // "-end=S": the run stops at this demo time
extern std::string VideoDir;  // "-videodir=DIR" for captured frames
extern bool ForceProgress;    // "-progress": progress line even when stderr is no terminal
extern bool HelpRequested;    // "-help" / "--help"

constexpr float ShowLength = 329.0f;

// Case-sensitive substring tests over the whole line, in a fixed order.
void ParseOptions(const char* commandLine);

// Joins argv[1..] with blanks, the one-string form the options are read from.
std::string JoinCommandLine(int argc, char** argv);

const char* OptionsHelpText();

}  // namespace lumaro
