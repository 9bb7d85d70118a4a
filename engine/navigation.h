// Moving about the show while it plays: the scene starts the viewer jumps to, and starting
// the show over at a second (jumping back, looping) so that it is the show a run from that
// second would be.
#pragma once

namespace lumaro {

// The start of the scene window before (direction -1) or after (+1) the one holding the
// clock: the first scene's for anything before it, and -1 after the last.
float SceneStartFrom(float clock, int direction);
// Runs the releases of scenes that were set up and not yet released.
void ReleasePendingScenes();
// The show over at `second`: the scenes' resources released, GL and the show's state as at
// start-up (the textures and the music kept), then the quick catching up to `second`. The
// music is the caller's to cue.
void RestartShowAt(float second);
// Its first half alone: the resources released, GL and the show's state as at start-up. The
// catching up may then follow in slices (CatchUpPartly) over frames with nothing to draw.
void BeginRestart();
// A live show with music keeps it ready to be cued, without a pause, at the starts of the
// scenes before and after the clock's and where "-loop" starts again.
void KeepMusicCuesReady(float clock);

}  // namespace lumaro
