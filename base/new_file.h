// Writing a whole new file in one call, for the capture's frames. Declared here at the
// bottom; the platform layer (shell/new_file.cpp) makes it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lumaro {

// The bulk of the file is written past the system's file cache where the file system allows
// (Linux's O_DIRECT): a capture writes gigabytes nobody reads back soon, and copying them
// through the cache costs the kernel more time than the renderer spends drawing them.
// `data` must start on this boundary.
constexpr size_t NewFileAlignment = 4096;

// Creates `path` (failing if anything, a link included, is there) and writes `size` bytes
// from `data` to it. 0, or the errno of what failed; a failed file may be left partly
// written for the caller to remove.
int WriteNewFile(const char* path, const uint8_t* data, size_t size);

}  // namespace lumaro
