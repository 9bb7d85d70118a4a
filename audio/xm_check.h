// A structural walk over an Extended Module: libopenmpt plays truncated files without a
// word, so the loader checks that every declared block is really there.
#pragma once
#include <cstddef>
#include <cstdint>
#include "base/status.h"

namespace lumaro {

bool LooksLikeXm(const uint8_t* data, size_t size);
// Whether the headers, patterns, instruments and samples the file declares all fit.
Status CheckXmComplete(const uint8_t* data, size_t size);

}  // namespace lumaro
