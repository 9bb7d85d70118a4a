// The show's music: start-up with its retry dialog, load, play from the first frame,
// stop and close. Nothing here runs with "-nosound".
#pragma once
#include <cstdint>

#include "audio/sound_library.h"

namespace lumaro {

extern SoundModule* MusicModule;  // null when loading failed
extern uint32_t PlayHandle;       // 0 until the first frame

void MusicStartup();
SoundModule* LoadMusic(const char* fileName);
uint32_t PlayMusic(SoundModule* module, bool loop);
// "-start": before the first frame, the module is put where the first frame's music is
// (silence past the end of a module played once).
void CueMusic(SoundModule* module, float seconds);
void StopMusic(uint32_t playHandle, SoundModule* module);
void MusicShutdown();
[[noreturn]] void MusicFatal();

}  // namespace lumaro
