#include "audio/xm_check.h"

#include <cstring>
#include <string>

namespace lumaro {

namespace {
struct Reader {
  const uint8_t* data;
  size_t size;
  bool ok = true;
  uint32_t u8(size_t at) {
    if (at + 1 > size) return ok = false, 0;
    return data[at];
  }
  uint32_t u16(size_t at) {
    if (at + 2 > size) return ok = false, 0;
    return data[at] | (data[at + 1] << 8);
  }
  uint32_t u32(size_t at) {
    if (at + 4 > size) return ok = false, 0;
    return u16(at) | (u16(at + 2) << 16);
  }
};

Status Truncated(const char* where) { return Status::Failure(std::string("truncated module: ") + where + " missing"); }
Status Damaged(const char* what) { return Status::Failure(std::string("damaged module: ") + what + " make no sense"); }

// Files before version 1.04 keep the patterns after all instrument headers and the sample
// data after the patterns; 1.02 also gives a pattern's rows in one byte, less one.
constexpr uint32_t kVersionSamplesBeside = 0x0104;
constexpr uint32_t kVersionByteRows = 0x0102;

// The patterns from `*at` on. Their rows and packed sizes need no limits: libopenmpt takes
// no more than 1024 rows, and a packed size is 16 bits and read only as far as the rows go.
Status WalkPatterns(Reader& r, uint32_t version, uint32_t patterns, uint64_t* at) {
  const bool byteRows = version == kVersionByteRows;
  for (uint32_t p = 0; p < patterns; ++p) {
    const uint32_t headerLength = r.u32(*at);
    const uint32_t packedSize = r.u16(*at + (byteRows ? 6 : 7));
    if (!r.ok) return Truncated("a pattern header");
    *at += headerLength + static_cast<uint64_t>(packedSize);
    if (*at > r.size) return Truncated("pattern data");
  }
  return {};
}

// The instruments from `*at` on, their sample data beside them or, for older files, summed
// into `*laterSampleBytes` for after the patterns.
Status WalkInstruments(Reader& r, uint32_t instruments, bool samplesBeside, uint64_t* at, uint64_t* laterSampleBytes) {
  for (uint32_t i = 0; i < instruments; ++i) {
    const uint32_t instrumentSize = r.u32(*at);
    const uint32_t samples = r.u16(*at + 27);
    const uint32_t sampleHeaderSize = samples ? r.u32(*at + 29) : 0;
    if (!r.ok) return Truncated("an instrument header");
    if (instrumentSize < 29 || instrumentSize > 2048 || samples > 16 || (samples && sampleHeaderSize != 40))
      return Damaged("the instrument headers");
    *at += instrumentSize;
    uint64_t sampleBytes = 0;
    for (uint32_t s = 0; s < samples; ++s) {
      const uint32_t length = r.u32(*at);
      if (!r.ok) return Truncated("a sample header");
      if (length > (64u << 20)) return Damaged("the sample lengths");
      sampleBytes += length;
      *at += sampleHeaderSize;
    }
    if (*at > r.size) return Truncated("a sample header");
    if (samplesBeside) {
      *at += sampleBytes;
      if (*at > r.size) return Truncated("sample data");
    } else {
      *laterSampleBytes += sampleBytes;
    }
  }
  return {};
}
}  // namespace

bool LooksLikeXm(const uint8_t* data, size_t size) {
  return size >= 17 && std::memcmp(data, "Extended Module: ", 17) == 0;
}

// Values no writer produces: the file is damaged, not cut short.
Status CheckXmComplete(const uint8_t* data, size_t size) {
  Reader r{data, size};
  const uint32_t version = r.u16(58);
  const uint32_t headerSize = r.u32(60);
  const uint32_t channels = r.u16(68), patterns = r.u16(70), instruments = r.u16(72);
  if (!r.ok) return Truncated("header");
  if (headerSize < 20 || headerSize > 4096 || channels == 0 || channels > 127 || patterns > 256 || instruments > 255)
    return Damaged("the header's sizes");
  uint64_t at = 60 + static_cast<uint64_t>(headerSize);
  if (at > size) return Truncated("header");
  if (version >= kVersionSamplesBeside) {
    uint64_t none = 0;
    const Status walked = WalkPatterns(r, version, patterns, &at);
    return walked.ok() ? WalkInstruments(r, instruments, true, &at, &none) : walked;
  }
  uint64_t sampleBytes = 0;
  Status walked = WalkInstruments(r, instruments, false, &at, &sampleBytes);
  if (walked.ok()) walked = WalkPatterns(r, version, patterns, &at);
  if (walked.ok() && at + sampleBytes > size) return Truncated("sample data");
  return walked;
}

}  // namespace lumaro
