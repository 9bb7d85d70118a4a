// The viewer's controls over a live show, the same on the desktop and the page: pause and
// resume picture and music together, jump to the previous or next scene's start (the music
// following, exact to the sample), play the show again from its start when it ends
// ("-loop"), and the timedemo's report at the end of a run.
#pragma once
#include <chrono>
#include <string>

#include "base/status.h"

namespace lumaro {

// What the player needs of the platform: its live clock (the one RunFrame is given) and
// its frames. Each platform has its own wall clock; the player only holds and restarts it.
struct PlayerPlatform {
  void (*holdClock)(bool hold);  // held, the clock's seconds stand still; released, go on
  void (*restartClock)();        // the next reading is zero
  float (*elapsedSeconds)();     // seconds of show since the clock's start
  void (*beginFrame)();          // before frames drawn out of sight (a jump's walk); may be null
  void (*showPausedFrame)();     // paused, draws where the show now stands; may be null
};
// A new show: playing, nothing pending, on this platform's clock and frames.
void InstallPlayer(const PlayerPlatform& platform);

bool Paused();
void TogglePause();
void JumpScene(int direction);  // -1 back, +1 forward

// "-loop": the show from its start again, as a run from there would be. Begun in the show's
// blank last second by StartOverInTheBlank, which stands in for a frame there (true when it
// did), it only finishes what that second left.
bool StartOverInTheBlank();
void StartShowAgain();
// Minimised or hidden, the show draws nothing but goes on: the clock and the music run and
// the show ends on time. PassTimeUnseen stands in for a frame; CatchUpUnseen, before the
// next frame drawn, brings the scenes to the clock as the frames left out would have.
void PassTimeUnseen();
void CatchUpUnseen();

// The timedemo's table on stdout (and as CSV for "-timedemofile"): the run as the platform
// measured it, the rest from the engine.
struct TimedemoReport {
  std::chrono::steady_clock::time_point programStart, loopStart;
  std::string renderer;  // empty: GL's own name for it
  double peakMegabytes;
  void (*alsoShow)(const char* table);  // a second place for the table; may be null
};
Status ReportTimedemo(const TimedemoReport& report);

}  // namespace lumaro
