// Our small sound library: libopenmpt decodes the module, an SDL audio device plays it
// from its own callback. A call that can fail returns its Status, the reason inside.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/status.h"

namespace lumaro {

struct SoundModule;  // a decoded module

struct SoundModuleInfo {
  char title[32];
  int channels;
  int instruments;
  int orders;
  double durationSeconds;
};

void SoundStartup();
void SoundSetForceNoSound(bool silent);  // silent: initialise without any audio device
Status SoundInit();
Status SoundStartBackgroundPlay();
Status SoundLoadModule(const char* fileName, SoundModule** module);
Status SoundPlayModule(SoundModule* module, bool loop, uint32_t* playHandle);
Status SoundGetModuleInfo(SoundModule* module, SoundModuleInfo* info);
// Puts a module that is not playing at `seconds` exactly: decoded from its start with the
// samples before the position thrown away (a module's own seek lands on the next row, and
// what it skipped still sounds different for a while), or onward from where it stopped when
// that lies before. Playing then starts there; past the end of a module played once, silent.
Status SoundCueModule(SoundModule* module, double seconds);
// Makes the module ready to be cued at these seconds without delay, decoding there on a
// thread of its own; a later call replaces the list. A cue elsewhere takes its usual way.
Status SoundPrepareCues(SoundModule* module, const double* seconds, int count);
Status SoundStopModule(uint32_t playHandle);
Status SoundFreeModule(SoundModule* module);
Status SoundStopBackgroundPlay();
Status SoundClose();

// For checks: whether the handle's module is still producing sound, the library calls
// made so far, and whether the audio device is open.
bool SoundIsPlaying(uint32_t playHandle);
int SoundCallCount();
bool SoundDeviceOpen();
// Whether a cue at `seconds` prepared by SoundPrepareCues would take no decoding now, and
// the stereo frames the cues so far decoded on the thread that asked for them.
bool SoundCueReady(SoundModule* module, double seconds);
uint64_t SoundCueFramesDecoded();
// The next samples of a module that is not playing, as the device would get them.
size_t SoundReadModule(SoundModule* module, float* stereo, size_t frames);

}  // namespace lumaro
