// Writes the show's music module.  usage: songgen OUT.xm
#include <cstdio>

#include "composition.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: songgen OUT.xm\n");
    return 2;
  }
  if (!songgen::WriteModule(argv[1], songgen::ComposeSong())) {
    std::fprintf(stderr, "songgen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
