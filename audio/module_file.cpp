#include "audio/module_file.h"

#include <libopenmpt/libopenmpt.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "audio/xm_check.h"

namespace lumaro {

namespace {
void LogToNowhere(const char*, void*) {}
}

openmpt_module* LoadModuleFile(const char* fileName, std::string* why) {
  std::FILE* file = std::fopen(fileName, "rb");
  if (!file) {
    *why = std::string("cannot open ") + fileName + ": " + std::strerror(errno);
    return nullptr;
  }
  std::vector<char> bytes;
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(bytes.data());
  std::string damage;
  if (LooksLikeXm(raw, bytes.size()) && !XmComplete(raw, bytes.size(), &damage)) {
    *why = std::string(fileName) + ": " + damage;
    return nullptr;
  }
  int error = 0;
  const char* errorText = nullptr;
  openmpt_module* decoder = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), LogToNowhere, nullptr,
                                                               nullptr, nullptr, &error, &errorText, nullptr);
  if (!decoder) *why = std::string(fileName) + ": " + (errorText ? errorText : "not a module libopenmpt can read");
  if (errorText) openmpt_free_string(errorText);
  if (decoder) openmpt_module_set_render_param(decoder, OPENMPT_MODULE_RENDER_MASTERGAIN_MILLIBEL, MusicGainMillibel);
  return decoder;
}

}  // namespace lumaro
