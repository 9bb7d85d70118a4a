// Pausing the live show, and going to another scene's start: forward by walking the fixed
// clock from where the show stands (CatchUpTo), back by starting over as a show from that
// second would. The music follows, cued exactly as for "start".
#include <emscripten/emscripten.h>

#include "audio/music.h"
#include "audio/sound_library.h"
#include "base/run_state.h"
#include "engine/navigation.h"
#include "engine/startup.h"
#include "engine/timeline.h"
#include "glcompat/glcompat.h"
#include "web/shell/web_run.h"

namespace lumaro::web {

void TogglePause() {
  if (Web.phase == Phase::Running) {
    Web.pausedAtMs = emscripten_get_now();
    if (SoundOn) (void)SoundStopBackgroundPlay();  // the device asks for no samples: the module holds its place
    SetPhase(Phase::Paused);
  } else if (Web.phase == Phase::Paused) {
    if (Web.originSet) Web.originMs += emscripten_get_now() - Web.pausedAtMs;
    if (SoundOn) (void)SoundStartBackgroundPlay();  // fails only before start-up, which ran
    SetPhase(Phase::Running);
  }
}

namespace {
// The module stops where it is; the audio device stays open and plays silence.
void LeaveMusic() {
  if (PlayHandle) (void)SoundStopModule(PlayHandle);  // a handle that ended on its own has nothing to stop
  PlayHandle = 0;
}

// Back: the show starts over as one from that second would, on the same context and audio
// device (the GL state goes back to a fresh context's, the scenes' set-ups are released).
void StartOverAt(float target) {
  ReleasePendingScenes();
  const bool sound = SoundOn;
  SoundOn = false;  // the module stays loaded, the device open
  RenderShutdown();
  lgl_Shutdown();
  ThisRun.startTime = target;
  RenderStartup();
  SoundOn = sound;
  CatchUpTo(target, CatchUp::Quick);
}
}  // namespace

void JumpScene(int direction) {
  const float target = SceneStartFrom(DemoClock, direction);
  if (target < 0) return;
  LeaveMusic();
  if (target > DemoClock) {
    CatchUpTo(target, CatchUp::Quick);
  } else {
    StartOverAt(target);
  }
  ThisRun.startTime = target;  // the live clock reads elapsed + start
  MusicStarted = false;        // the next frame plays it, from the cue
  if (SoundOn) CueMusic(MusicModule, target);
  Web.originSet = false;  // elapsed zero at the next frame
  if (Web.phase == Phase::Paused) {
    Web.pausedAtMs = emscripten_get_now();
    RunFrame(LiveElapsed());  // paused, the page shows the scene's first frame
    ++Web.framesDrawn;
  }
}

}  // namespace lumaro::web
