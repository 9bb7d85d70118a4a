// A file compiled into the program as a constant byte block (pictures, the ornament mesh,
// the iso-surface tables); generated at build time by tools/embed.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lumaro {

struct EmbeddedBlock {
  const uint8_t* data;
  size_t size;
  const char* name;  // the file it was made from
};

}  // namespace lumaro
