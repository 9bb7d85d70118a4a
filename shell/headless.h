// EGL on Mesa without a display: a pbuffer on the surfaceless platform.
#pragma once
#include "base/status.h"

namespace lumaro {

// The failing step's message, as the window's creation would show it.
Status HeadlessCreate(int width, int height);
// The first step that failed, if any (all steps run).
Status HeadlessDestroy();
bool HeadlessExists();

}  // namespace lumaro
