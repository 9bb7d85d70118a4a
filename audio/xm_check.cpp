#include "audio/xm_check.h"

#include <cstring>

namespace lumaro {

namespace {
struct Reader {
  const uint8_t* data;
  size_t size;
  bool ok = true;
  uint32_t u16(size_t at) {
    if (at + 2 > size) return ok = false, 0;
    return data[at] | (data[at + 1] << 8);
  }
  uint32_t u32(size_t at) {
    if (at + 4 > size) return ok = false, 0;
    return u16(at) | (u16(at + 2) << 16);
  }
};
}  // namespace

bool LooksLikeXm(const uint8_t* data, size_t size) {
  return size >= 17 && std::memcmp(data, "Extended Module: ", 17) == 0;
}

// Values no writer produces: the file is damaged, not cut short.
Status CheckXmComplete(const uint8_t* data, size_t size) {
  Reader r{data, size};
  auto truncated = [](const char* where) {
    return Status::Failure(std::string("truncated module: ") + where + " missing");
  };
  auto damaged = [](const char* what) {
    return Status::Failure(std::string("damaged module: ") + what + " make no sense");
  };
  const uint32_t headerSize = r.u32(60);
  const uint32_t channels = r.u16(68), patterns = r.u16(70), instruments = r.u16(72);
  if (!r.ok) return truncated("header");
  if (headerSize < 20 || headerSize > 4096 || channels == 0 || channels > 127 || patterns > 256 || instruments > 255)
    return damaged("the header's sizes");
  uint64_t at = 60 + static_cast<uint64_t>(headerSize);
  if (at > size) return truncated("header");
  for (uint32_t p = 0; p < patterns; ++p) {
    const uint32_t headerLength = r.u32(at), rows = r.u16(at + 5), packedSize = r.u16(at + 7);
    if (!r.ok) return truncated("a pattern header");
    if (headerLength < 9 || headerLength > 64 || rows == 0 || rows > 1024 || packedSize > rows * channels * 5)
      return damaged("the pattern headers");
    at += headerLength + static_cast<uint64_t>(packedSize);
    if (at > size) return truncated("pattern data");
  }
  for (uint32_t i = 0; i < instruments; ++i) {
    const uint32_t instrumentSize = r.u32(at);
    const uint32_t samples = r.u16(at + 27);
    const uint32_t sampleHeaderSize = samples ? r.u32(at + 29) : 0;
    if (!r.ok) return truncated("an instrument header");
    if (instrumentSize < 29 || instrumentSize > 2048 || samples > 16 || (samples && sampleHeaderSize != 40))
      return damaged("the instrument headers");
    at += instrumentSize;
    uint64_t sampleBytes = 0;
    for (uint32_t s = 0; s < samples; ++s) {
      const uint32_t length = r.u32(at);
      if (!r.ok) return truncated("a sample header");
      if (length > (64u << 20)) return damaged("the sample lengths");
      sampleBytes += length;
      at += sampleHeaderSize;
    }
    at += sampleBytes;
    if (at > size) return truncated("sample data");
  }
  return {};
}

}  // namespace lumaro
