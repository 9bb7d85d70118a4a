// Reading "SongM.xm" into a libopenmpt decoder, shared by the live player and the offline
// sound track so both play the same module at the same gain.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/run_state.h"
#include "base/status.h"

struct openmpt_module;

namespace lumaro {

constexpr int kMusicRate = kSoundRate;  // samples a second, stereo
// The player's master gain: the mix then measures about -15 LUFS with true peaks near
// -1.4 dBFS (EBU R128).
constexpr int kMusicGainMillibel = 410;

// Stereo frames at the music's rate before a position in seconds, rounded to the nearest.
uint64_t ModuleFramesAt(double seconds);
// Decodes and drops `frames` stereo frames: the one way to reach a position sample for
// sample as a run from the start hears it. False when the module ends first.
bool SkipModuleFrames(openmpt_module* decoder, uint64_t frames);

// A module is a few megabytes at most; anything far larger is not one, and is not read.
constexpr uint64_t kMaxModuleBytes = 64u << 20;

// The bytes of a file that may be a module (a regular file of a module's size), or why not.
Status ReadModuleFile(const std::string& fileName, std::vector<char>* bytes);
// The decoder of the file in `decoder`, or the reason it cannot be played.
Status LoadModuleFile(const std::string& fileName, openmpt_module** decoder);
// The same for bytes already read (`name` appears in the reason).
Status LoadModuleBytes(const char* bytes, size_t size, const std::string& name, openmpt_module** decoder);

}  // namespace lumaro
