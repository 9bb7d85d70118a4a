#include "engine/navigation.h"

#include "audio/music.h"
#include "audio/sound_library.h"
#include "base/run_state.h"
#include "engine/show.h"
#include "engine/startup.h"
#include "engine/timeline.h"
#include "scenes/scenes.h"

namespace lumaro {

float SceneStartFrom(float clock, int direction) {
  const SceneSlot* slot = FindSceneSlot(clock);
  const int current = slot ? static_cast<int>(slot - kSchedule) : clock < kSchedule[0].start ? -1 : kSceneCount;
  const int target = current + direction;
  if (target >= kSceneCount) return -1;
  return kSchedule[target < 0 ? 0 : target].start;
}

void ReleasePendingScenes() {
  for (const SceneSlot& slot : kSchedule)
    if (DoneFlag(slot.scene).setUp && !DoneFlag(slot.scene).released) {
      ReleaseScene(slot.scene);
      DoneFlag(slot.scene).released = true;
    }
}

void KeepMusicCuesReady(float clock) {
  if (!MusicOn() || !Music().MusicModule || FixedClock()) return;
  double seconds[3];
  int count = 0;
  if (Show().loopShow) seconds[count++] = Show().start;
  for (int direction : {-1, +1}) {
    const float start = SceneStartFrom(clock, direction);
    if (start >= 0) seconds[count++] = start;
  }
  (void)SoundPrepareCues(Music().MusicModule, seconds, count);  // fails only without a module
}

void BeginRestart() {
  ReleasePendingScenes();
  ResetShowState();
}

void RestartShowAt(float second) {
  BeginRestart();
  CatchUpTo(second, CatchUp::Quick);
}

}  // namespace lumaro
