// A small module for seeding the loader's fuzzer.
#pragma once
#include "xm.h"

namespace songgen {

Module ComposeSketch();

}  // namespace songgen
