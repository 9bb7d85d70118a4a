// The switches over scene numbers, each case written by the scene list.
#include "scenes/scenes.h"

namespace lumaro {

#define LUMARO_CASE(n, call) \
  case n:                    \
    call;                    \
    break;

#define LUMARO_SETUP_Card(n)
#define LUMARO_SETUP_Draw(n)
#define LUMARO_SETUP_Stepped(n)
#define LUMARO_SETUP_Owned(n) LUMARO_CASE(n, SetupScene##n())
#define LUMARO_SETUP_OwnedStepped(n) LUMARO_SETUP_Owned(n)
#define LUMARO_SETUP(n, start, duration, backdrop, fades, logo, procedures, name) LUMARO_SETUP_##procedures(n)

#define LUMARO_RELEASE_Card(n)
#define LUMARO_RELEASE_Draw(n)
#define LUMARO_RELEASE_Stepped(n)
#define LUMARO_RELEASE_Owned(n) LUMARO_CASE(n, ReleaseScene##n())
#define LUMARO_RELEASE_OwnedStepped(n) LUMARO_RELEASE_Owned(n)
#define LUMARO_RELEASE(n, start, duration, backdrop, fades, logo, procedures, name) LUMARO_RELEASE_##procedures(n)

#define LUMARO_ADVANCE_Card(n)
#define LUMARO_ADVANCE_Draw(n)
#define LUMARO_ADVANCE_Stepped(n) LUMARO_CASE(n, AdvanceScene##n(frame))
#define LUMARO_ADVANCE_Owned(n)
#define LUMARO_ADVANCE_OwnedStepped(n) LUMARO_ADVANCE_Stepped(n)
#define LUMARO_ADVANCE(n, start, duration, backdrop, fades, logo, procedures, name) LUMARO_ADVANCE_##procedures(n)

#define LUMARO_DRAW_Card(n)
#define LUMARO_DRAW_Draw(n) LUMARO_CASE(n, DrawScene##n(frame))
#define LUMARO_DRAW_Stepped(n) LUMARO_DRAW_Draw(n)
#define LUMARO_DRAW_Owned(n) LUMARO_DRAW_Draw(n)
#define LUMARO_DRAW_OwnedStepped(n) LUMARO_DRAW_Draw(n)
#define LUMARO_DRAW(n, start, duration, backdrop, fades, logo, procedures, name) LUMARO_DRAW_##procedures(n)

void SetupScene(int scene) {
  switch (scene) {
    LUMARO_SCENES(LUMARO_SETUP)
    default: break;
  }
}

void ReleaseScene(int scene) {
  switch (scene) {
    LUMARO_SCENES(LUMARO_RELEASE)
    default: break;
  }
}

void AdvanceScene(int scene, const SceneFrame& frame) {
  switch (scene) {
    LUMARO_SCENES(LUMARO_ADVANCE)
    default: break;  // the others draw from their local time alone
  }
}

void RunScene(int scene, const SceneFrame& frame) {
  AdvanceScene(scene, frame);
  switch (scene) {
    LUMARO_SCENES(LUMARO_DRAW)
    default: break;
  }
}

}  // namespace lumaro
