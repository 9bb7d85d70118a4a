// EGL on Mesa without a display: a pbuffer on the surfaceless platform.
#pragma once

namespace lumaro {

// Returns null on success, else the message of the step that failed.
const char* HeadlessCreate(int width, int height);
// Returns null on success, else the message of the first step that failed (all steps run).
const char* HeadlessDestroy();
bool HeadlessExists();

}  // namespace lumaro
