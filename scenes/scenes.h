// The scenes' procedures, declared from the scene list: the intro cards' DrawIntroScene with
// (scene, angle), and for each later scene DrawSceneN with its frame and, as its row says,
// AdvanceSceneN (everything a frame changes but the picture, run before the draw),
// SetupSceneN and ReleaseSceneN (its own resources, run once by the timeline).
#pragma once
#include "scenes/scene_frame.h"
#include "scenes/scene_list.h"

namespace lumaro {

void DrawIntroScene(int sceneNumber, float angle);

#define LUMARO_DECLARE_Card(n)
#define LUMARO_DECLARE_Draw(n) void DrawScene##n(const SceneFrame& frame);
#define LUMARO_DECLARE_Stepped(n) LUMARO_DECLARE_Draw(n) void AdvanceScene##n(const SceneFrame& frame);
#define LUMARO_DECLARE_Owned(n)                \
  LUMARO_DECLARE_Draw(n) void SetupScene##n(); \
  void ReleaseScene##n();
#define LUMARO_DECLARE_OwnedStepped(n) LUMARO_DECLARE_Owned(n) void AdvanceScene##n(const SceneFrame& frame);
#define LUMARO_DECLARE_SCENE(n, start, duration, backdrop, fades, logo, procedures, name) LUMARO_DECLARE_##procedures(n)
LUMARO_SCENES(LUMARO_DECLARE_SCENE)

}  // namespace lumaro
