// The module check against valid layouts other writers use, and what a broken SongM.xm link
// is said to be. The layouts are our own SongM.xm rewritten, so the music they hold is known.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/module_file.h"
#include "base/run_state.h"
#include "shell/module_search.h"

using namespace lumaro;
namespace fs = std::filesystem;

namespace {
using Bytes = std::vector<uint8_t>;

Bytes ReadSong() {
  std::ifstream in(LUMARO_SONG, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
void PutU16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// A version 1.04 file cut into its blocks, as written.
struct XmBlocks {
  Bytes header;
  std::vector<Bytes> patterns;           // header and packed cells each
  std::vector<Bytes> instrumentHeads;    // instrument header with its sample headers
  std::vector<Bytes> instrumentSamples;  // the sample data after them
};

XmBlocks Split(const Bytes& file) {
  XmBlocks xm;
  size_t at = 60 + U32(file, 60);
  xm.header.assign(file.begin(), file.begin() + static_cast<long>(at));
  for (uint32_t p = 0; p < U16(file, 70); ++p) {
    const size_t length = U32(file, at) + U16(file, at + 7);
    xm.patterns.emplace_back(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at + length));
    at += length;
  }
  for (uint32_t i = 0; i < U16(file, 72); ++i) {
    const uint32_t samples = U16(file, at + 27);
    size_t head = U32(file, at), data = 0;
    for (uint32_t s = 0; s < samples; ++s) data += U32(file, at + head + 40 * s);
    head += 40 * samples;
    xm.instrumentHeads.emplace_back(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at + head));
    xm.instrumentSamples.emplace_back(file.begin() + static_cast<long>(at + head),
                                      file.begin() + static_cast<long>(at + head + data));
    at += head + data;
  }
  return xm;
}

void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

// Versions 1.02 and 1.03: every instrument header first, then the patterns, then all sample data.
Bytes InstrumentsFirst(const XmBlocks& xm) {
  Bytes out = xm.header;
  PutU16(out, 58, 0x0103);
  for (const Bytes& head : xm.instrumentHeads) Append(out, head);
  for (const Bytes& pattern : xm.patterns) Append(out, pattern);
  for (const Bytes& samples : xm.instrumentSamples) Append(out, samples);
  return out;
}

// Every cell of every pattern as a flag byte saying all five follow, then the five.
Bytes FlagBeforeEveryCell(const XmBlocks& xm) {
  Bytes out = xm.header;
  for (const Bytes& pattern : xm.patterns) {
    const size_t headerLength = U32(pattern, 0);
    Bytes repacked(pattern.begin(), pattern.begin() + static_cast<long>(headerLength));
    for (size_t at = headerLength; at < pattern.size();) {
      uint8_t cell[5] = {};
      const uint8_t first = pattern[at];
      const uint8_t present = first & 0x80 ? first : 0x1F;
      if (first & 0x80) ++at;
      for (int field = 0; field < 5; ++field)
        if (present & (1 << field)) cell[field] = pattern[at++];
      repacked.push_back(0x9F);
      repacked.insert(repacked.end(), cell, cell + 5);
    }
    PutU16(repacked, 7, static_cast<uint32_t>(repacked.size() - headerLength));
    Append(out, repacked);
  }
  for (size_t i = 0; i < xm.instrumentHeads.size(); ++i) {
    Append(out, xm.instrumentHeads[i]);
    Append(out, xm.instrumentSamples[i]);
  }
  return out;
}

// Our loader takes `bytes`, and what it then plays is the song, sample for sample to its end.
void ExpectPlaysTheSong(const Bytes& bytes, const Bytes& song) {
  openmpt_module *ours = nullptr, *reference = nullptr;
  const Status loaded = LoadModuleBytes(reinterpret_cast<const char*>(bytes.data()), bytes.size(), "rewritten", &ours);
  ASSERT_TRUE(loaded.ok()) << loaded.why();
  ASSERT_TRUE(LoadModuleBytes(reinterpret_cast<const char*>(song.data()), song.size(), "song", &reference).ok());
  EXPECT_EQ(openmpt_module_get_duration_seconds(ours), openmpt_module_get_duration_seconds(reference));
  std::vector<float> a(2 * 4800), b(2 * 4800);
  size_t frames = 0, got = 0;
  do {
    got = openmpt_module_read_interleaved_float_stereo(ours, kMusicRate, 4800, a.data());
    ASSERT_EQ(openmpt_module_read_interleaved_float_stereo(reference, kMusicRate, 4800, b.data()), got) << frames;
    ASSERT_EQ(std::memcmp(a.data(), b.data(), 2 * got * sizeof(float)), 0) << "from frame " << frames;
    frames += got;
  } while (got > 0);
  EXPECT_GT(frames, ModuleFramesAt(328));
  openmpt_module_destroy(ours);
  openmpt_module_destroy(reference);
}
}  // namespace

TEST(ModuleCheck, TakesValidLayoutsOfOtherWriters) {
  const Bytes song = ReadSong();
  ASSERT_EQ(U16(song, 58), 0x0104u);
  const XmBlocks xm = Split(song);
  {
    SCOPED_TRACE("version 1.03, instruments before patterns");
    ExpectPlaysTheSong(InstrumentsFirst(xm), song);
  }
  {
    SCOPED_TRACE("a flag byte before all five bytes of a cell");
    ExpectPlaysTheSong(FlagBeforeEveryCell(xm), song);
  }
  // The older layout cut short is still caught: inside the patterns and in the last sample.
  const Bytes old = InstrumentsFirst(xm);
  size_t headsEnd = xm.header.size();
  for (const Bytes& head : xm.instrumentHeads) headsEnd += head.size();
  for (size_t cut : {headsEnd + 100, old.size() - 1}) {
    openmpt_module* decoder = nullptr;
    const Status loaded = LoadModuleBytes(reinterpret_cast<const char*>(old.data()), cut, "cut", &decoder);
    EXPECT_NE(loaded.why().find("truncated"), std::string::npos) << cut << ": " << loaded.why();
    if (decoder) openmpt_module_destroy(decoder);
  }
}

// A SongM.xm that is a broken link is the one found, and the message says what is wrong with it.
TEST(ModuleSearch, SaysWhatIsWrongWithABrokenLink) {
  const fs::path dir = fs::temp_directory_path() / ("lumaro_link_" + std::to_string(getpid()));
  const fs::path link = dir / "SongM.xm";
  fs::create_directories(dir);
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  struct Case {
    fs::path target;
    std::string said;
  };
  const Case cases[] = {{dir / "gone" / "song.xm", "SongM.xm in " + dir.string() + " is a link to " +
                                                       (dir / "gone" / "song.xm").string() + ", which does not exist"},
                        {"SongM.xm", "SongM.xm in " + dir.string() + " is a link that loops"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    fs::remove(link);
    fs::create_symlink(c.target, link);
    const FoundModule found = FindModule();
    EXPECT_EQ(found.path, link.string());
    openmpt_module* decoder = nullptr;
    EXPECT_EQ(LoadModuleFile(found.path, &decoder).why(), c.said);
  }
  fs::current_path(before);
  fs::remove_all(dir);
}
