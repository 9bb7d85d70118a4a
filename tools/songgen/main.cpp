// Writes the show's music, or with --sketch a small module of the same kind.
// usage: songgen [--sketch] OUT.xm
#include <cstdio>
#include <cstring>

#include "composition.h"
#include "sketch.h"

int main(int argc, char** argv) {
  const bool sketch = argc == 3 && std::strcmp(argv[1], "--sketch") == 0;
  if (argc != 2 && !sketch) {
    std::fprintf(stderr, "usage: songgen [--sketch] OUT.xm\n");
    return 2;
  }
  const char* out = argv[argc - 1];
  if (!songgen::WriteModule(out, sketch ? songgen::ComposeSketch() : songgen::ComposeSong())) {
    std::fprintf(stderr, "songgen: cannot write %s\n", out);
    return 1;
  }
  return 0;
}
