#include "engine/wav.h"

#include <cstring>

#include "audio/module_file.h"

namespace lumaro {

namespace {
void Put16(uint8_t* at, uint32_t v) { at[0] = v & 0xFF, at[1] = (v >> 8) & 0xFF; }
void Put32(uint8_t* at, uint32_t v) { Put16(at, v & 0xFFFF), Put16(at + 2, v >> 16); }
}  // namespace

void EncodeWavHeader(uint32_t stereoFrames, uint8_t h[kWavHeaderBytes]) {
  const uint32_t blockAlign = 2 * sizeof(float), data = stereoFrames * blockAlign;
  std::memcpy(h, "RIFF", 4);
  Put32(h + 4, 36 + data);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  Put32(h + 16, 16);
  Put16(h + 20, 3);  // IEEE float
  Put16(h + 22, 2);
  Put32(h + 24, kMusicRate);
  Put32(h + 28, kMusicRate * blockAlign);
  Put16(h + 32, blockAlign);
  Put16(h + 34, 32);
  std::memcpy(h + 36, "data", 4);
  Put32(h + 40, data);
}

bool FinishWav(std::FILE* file, uint32_t stereoFrames) {
  uint8_t header[kWavHeaderBytes];
  EncodeWavHeader(stereoFrames, header);
  return std::fflush(file) == 0 && std::fseek(file, 0, SEEK_SET) == 0 &&
         std::fwrite(header, 1, sizeof header, file) == sizeof header && std::fflush(file) == 0;
}

}  // namespace lumaro
