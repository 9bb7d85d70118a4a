// A WAV file of 32-bit float stereo samples at 48 kHz: a header whose sizes are filled in
// when the file is finished, then the samples as they come.
#pragma once
#include <cstdint>
#include <cstdio>

namespace lumaro {

constexpr int kWavHeaderBytes = 44;

void EncodeWavHeader(uint32_t stereoFrames, uint8_t header[kWavHeaderBytes]);
// Rewrites the header of an open file for the frames written; false when that fails.
bool FinishWav(std::FILE* file, uint32_t stereoFrames);

}  // namespace lumaro
