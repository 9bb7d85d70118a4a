// libFuzzer: the music's check-and-load path (our structural walk over the XM file, then
// libopenmpt), on any bytes, and a few frames of rendering from what loads.
#include <libopenmpt/libopenmpt.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "audio/module_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  openmpt_module* decoder = nullptr;
  if (!lumaro::LoadModuleBytes(reinterpret_cast<const char*>(data), size, "fuzz", &decoder).ok()) return 0;
  float samples[2 * 512];
  openmpt_module_read_interleaved_float_stereo(decoder, lumaro::kMusicRate, 512, samples);
  openmpt_module_destroy(decoder);
  return 0;
}
