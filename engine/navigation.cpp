#include "engine/navigation.h"

#include "base/run_state.h"
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
    if (DoneFlag[slot.scene].setUp && !DoneFlag[slot.scene].released) {
      ReleaseScene(slot.scene);
      DoneFlag[slot.scene].released = true;
    }
}

void RestartShowAt(float second) {
  ReleasePendingScenes();
  ResetShowState();
  CatchUpTo(second, CatchUp::Quick);
}

}  // namespace lumaro
