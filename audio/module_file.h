// Reading "SongM.xm" into a libopenmpt decoder, shared by the live player and the offline
// sound track so both play the same module at the same gain.
#pragma once
#include <cstdint>
#include <string>

struct openmpt_module;

namespace lumaro {

constexpr int MusicRate = 48000;          // samples a second, stereo
// The player's master gain: the mix then measures about -15 LUFS with true peaks near
// -1.4 dBFS (EBU R128).
constexpr int MusicGainMillibel = 410;

// Stereo frames at the music's rate before a position in seconds, rounded to the nearest.
uint64_t ModuleFramesAt(double seconds);
// Decodes and drops `frames` stereo frames: the one way to reach a position sample for
// sample as a run from the start hears it. False when the module ends first.
bool SkipModuleFrames(openmpt_module* decoder, uint64_t frames);

// The decoder of the file, or null with the reason.
openmpt_module* LoadModuleFile(const char* fileName, std::string* why);
// The same for bytes already read (`name` appears in the reason).
openmpt_module* LoadModuleBytes(const char* bytes, size_t size, const char* name, std::string* why);

}  // namespace lumaro
