// The capture's frame files written past the system's file cache where the file system
// allows (Linux's O_DIRECT): a capture writes gigabytes nobody reads back soon, and copying
// them through the cache costs the kernel more time than the renderer spends drawing them.
// Installed over the plain writer of base/new_file.h at start-up.
#pragma once
#include "base/new_file.h"

namespace lumaro {

Status WriteNewFileDirect(const char* path, const uint8_t* data, size_t size);

}  // namespace lumaro
