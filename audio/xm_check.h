// A structural walk over an Extended Module: libopenmpt plays truncated files without a
// word, so the loader checks that every declared block is really there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumaro {

bool LooksLikeXm(const uint8_t* data, size_t size);
// True when the headers, patterns, instruments and samples the file declares all fit;
// otherwise false with the reason.
bool XmComplete(const uint8_t* data, size_t size, std::string* why);

}  // namespace lumaro
