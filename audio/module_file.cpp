#include "audio/module_file.h"

#include <libopenmpt/libopenmpt.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "audio/xm_check.h"

namespace lumaro {

namespace {
void LogToNowhere(const char*, void*) {}

// Only a regular file is read: opened without waiting (a FIFO would block the open for good)
// and checked for what it is before any byte is read.
bool ReadRegularFile(const char* fileName, std::vector<char>* bytes, std::string* why) {
  const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *why = std::string("cannot open ") + fileName + ": " + std::strerror(errno);
    return false;
  }
  struct stat info;
  if (fstat(fd, &info) != 0) {
    *why = std::string("cannot inspect ") + fileName + ": " + std::strerror(errno);
    close(fd);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *why = std::string(fileName) + ": not a regular file" + (S_ISDIR(info.st_mode) ? " (a directory)" : "");
    close(fd);
    return false;
  }
  char chunk[65536];
  ssize_t got;
  while ((got = read(fd, chunk, sizeof chunk)) > 0) bytes->insert(bytes->end(), chunk, chunk + got);
  const int error = errno;
  close(fd);
  if (got < 0) {
    *why = std::string("cannot read ") + fileName + ": " + std::strerror(error);
    return false;
  }
  if (bytes->empty()) {
    *why = std::string(fileName) + ": the file is empty";
    return false;
  }
  return true;
}
}  // namespace

uint64_t ModuleFramesAt(double seconds) {
  return seconds > 0 ? static_cast<uint64_t>(std::llround(seconds * MusicRate)) : 0;
}

bool SkipModuleFrames(openmpt_module* decoder, uint64_t frames) {
  float scratch[2 * 4096];  // 32 KB on the stack: callers run on several threads
  while (frames > 0) {
    const size_t want = frames < 4096 ? static_cast<size_t>(frames) : 4096;
    const size_t got = openmpt_module_read_interleaved_float_stereo(decoder, MusicRate, want, scratch);
    if (got == 0) return false;
    frames -= got;
  }
  return true;
}

openmpt_module* LoadModuleFile(const char* fileName, std::string* why) {
  std::vector<char> bytes;
  if (!ReadRegularFile(fileName, &bytes, why)) return nullptr;
  return LoadModuleBytes(bytes.data(), bytes.size(), fileName, why);
}

openmpt_module* LoadModuleBytes(const char* bytes, size_t size, const char* fileName, std::string* why) {
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(bytes);
  std::string damage;
  const bool xm = LooksLikeXm(raw, size);
  if (xm && !XmComplete(raw, size, &damage)) {
    *why = std::string(fileName) + ": " + damage;
    return nullptr;
  }
  int error = 0;
  const char* errorText = nullptr;
  openmpt_module* decoder = openmpt_module_create_from_memory2(bytes, size, LogToNowhere, nullptr,
                                                               nullptr, nullptr, &error, &errorText, nullptr);
  if (!decoder)
    *why = std::string(fileName) + ": " +
           (xm ? (errorText ? errorText : "a module libopenmpt cannot read")
               : "not an XM module (no \"Extended Module:\" header), nor any other module libopenmpt reads");
  if (errorText) openmpt_free_string(errorText);
  if (decoder) openmpt_module_set_render_param(decoder, OPENMPT_MODULE_RENDER_MASTERGAIN_MILLIBEL, MusicGainMillibel);
  return decoder;
}

}  // namespace lumaro
