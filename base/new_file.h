// Writing a whole new file in one call, for the capture's frames. The plain writer works
// everywhere; the platform layer installs a faster one where it can (see shell/new_file.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/status.h"

namespace lumaro {

// `data` starts on this boundary, so a writer may hand it to the disk as it is.
constexpr size_t kNewFileAlignment = 4096;

// Creates `path` (failing if anything, a link included, is there) and writes `size` bytes
// from `data` to it. A failed file may be left partly written for the caller to remove.
Status WriteNewFile(const char* path, const uint8_t* data, size_t size);

// Writes `contents` to `path` whole or not at all: into PATH.part, renamed over `path` once
// all of it is on disk. On failure neither name is left behind.
Status WriteWholeFile(const std::string& path, const std::string& contents);
// Renames `from` to `to`, replacing a file there on every system (C's rename refuses to on
// Windows); 0, or the errno value of why not.
int MoveOver(const std::string& from, const std::string& to);

using NewFileWriter = Status (*)(const char* path, const uint8_t* data, size_t size);
void InstallNewFileWriter(NewFileWriter writer);

}  // namespace lumaro
