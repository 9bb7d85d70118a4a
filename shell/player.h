// The viewer's controls over a live show: pause and resume picture and music together, jump
// to the previous or next scene's start (the music following, exact to the sample), and
// play the show again from its start when it ends ("-loop").
#pragma once

namespace lumaro {

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

}  // namespace lumaro
