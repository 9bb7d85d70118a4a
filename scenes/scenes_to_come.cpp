// Scenes 12 to 14 are not built yet: their windows show the composer's frame (backdrop,
// logo, fades) around an empty scene. Each moves to its own file when it is built.
#include "scenes/scenes.h"

namespace lumaro {

void SetupScene12() {}
void DrawScene12(float, float) {}
void ReleaseScene12() {}
void SetupScene13() {}
void DrawScene13(float, float) {}
void ReleaseScene13() {}
void SetupScene14() {}
void DrawScene14(float, float) {}
void ReleaseScene14() {}

}  // namespace lumaro
