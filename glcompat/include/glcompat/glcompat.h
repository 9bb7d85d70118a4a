// What the layer offers beyond GL: its failure policy, a draw counter, and releasing its
// GL objects before the GLES2 context goes away.
#pragma once
#include "glcompat/api.h"

#ifdef __cplusplus
extern "C" {
#endif

// Where the layer's messages go, one line each ("glcompat: ...", no newline); the program
// installs its own as it does its message boxes. Null puts back the default: stderr.
typedef void (*lgl_MessageHandler)(const char* line);
void lgl_SetMessageHandler(lgl_MessageHandler handler);

// A call outside what the layer covers says "glcompat: <call>: <what> 0x<enum>" and records a GL error for glGetError;
// with aborting on (the default in builds without NDEBUG) it then calls abort().
void lgl_SetAbortOnUnsupported(int abort_on_unsupported);

// How many draws the layer has handed to GLES2 so far.
unsigned long lgl_DrawCount(void);

// Deletes the layer's programs, buffers and lists and returns all state to GL's defaults.
// Call it with the GLES2 context still current, before destroying it.
void lgl_Shutdown(void);

#ifdef __cplusplus
}
#endif
