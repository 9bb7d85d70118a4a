#include "xm.h"

#include <cstdio>
#include <cstring>

namespace songgen {

namespace {
struct Writer {
  std::vector<uint8_t> bytes;
  void u8(uint8_t v) { bytes.push_back(v); }
  void u16(uint16_t v) {
    u8(v & 0xFF);
    u8(v >> 8);
  }
  void u32(uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void text(const std::string& s, size_t width) {
    for (size_t i = 0; i < width; ++i) u8(i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
  }
  void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
};

// Packed cells: a flag byte names the fields that follow; an empty cell is one byte.
std::vector<uint8_t> PackPattern(const Pattern& p) {
  std::vector<uint8_t> out;
  for (const Cell& c : p.cells) {
    uint8_t flags = 0x80;
    if (c.note) flags |= 1;
    if (c.instrument) flags |= 2;
    if (c.volume) flags |= 4;
    if (c.effect) flags |= 8;
    if (c.param) flags |= 16;
    out.push_back(flags);
    if (c.note) out.push_back(c.note);
    if (c.instrument) out.push_back(c.instrument);
    if (c.volume) out.push_back(c.volume);
    if (c.effect) out.push_back(c.effect);
    if (c.param) out.push_back(c.param);
  }
  return out;
}

void WriteInstrument(Writer& w, const Instrument& in) {
  const size_t start = w.bytes.size();
  w.u32(263);
  w.text(in.name, 22);
  w.u8(0);
  w.u16(1);     // one sample
  w.u32(40);    // sample header size
  w.zeros(96);  // every note plays sample 0
  for (int i = 0; i < 12; ++i) {
    bool has = i < static_cast<int>(in.envelope.size());
    w.u16(has ? in.envelope[i].tick : 0);
    w.u16(has ? in.envelope[i].value : 0);
  }
  w.zeros(48);  // no panning envelope
  w.u8(static_cast<uint8_t>(in.envelope.size()));
  w.u8(0);
  w.u8(in.sustainPoint < 0 ? 0 : static_cast<uint8_t>(in.sustainPoint));
  w.u8(0);
  w.u8(0);
  w.zeros(3);
  uint8_t volumeType = 0;
  if (!in.envelope.empty()) volumeType |= 1;
  if (in.sustainPoint >= 0) volumeType |= 2;
  w.u8(volumeType);
  w.u8(0);
  w.u8(0);  // vibrato: sine
  w.u8(in.vibratoSweep);
  w.u8(in.vibratoDepth);
  w.u8(in.vibratoRate);
  w.u16(in.fadeout);
  w.zeros(263 - (w.bytes.size() - start));

  // Sample header; lengths in bytes for 16-bit data.
  w.u32(static_cast<uint32_t>(in.sample.size() * 2));
  w.u32(in.loop ? in.loopStart * 2 : 0);
  w.u32(in.loop ? in.loopLength * 2 : 0);
  w.u8(in.volume);
  w.u8(static_cast<uint8_t>(in.finetune));
  w.u8(static_cast<uint8_t>(0x10 | (in.loop ? 1 : 0)));
  w.u8(in.panning);
  w.u8(static_cast<uint8_t>(in.relativeNote));
  w.u8(0);
  w.text(in.name, 22);
  // Sample data as 16-bit deltas.
  int16_t previous = 0;
  for (int16_t s : in.sample) {
    w.u16(static_cast<uint16_t>(static_cast<int16_t>(s - previous)));
    previous = s;
  }
}
}  // namespace

std::vector<uint8_t> EncodeModule(const Module& m) {
  Writer w;
  w.text("Extended Module: ", 17);
  w.text(m.name, 20);
  w.u8(0x1A);
  w.text("Lumaro songgen", 20);
  w.u16(0x0104);
  w.u32(276);  // header size: from this field to the end of the order table
  w.u16(static_cast<uint16_t>(m.orders.size()));
  w.u16(0);  // restart position
  w.u16(static_cast<uint16_t>(m.channels));
  w.u16(static_cast<uint16_t>(m.patterns.size()));
  w.u16(static_cast<uint16_t>(m.instruments.size()));
  w.u16(1);  // linear frequency table
  w.u16(static_cast<uint16_t>(m.speed));
  w.u16(static_cast<uint16_t>(m.bpm));
  for (int i = 0; i < 256; ++i) w.u8(i < static_cast<int>(m.orders.size()) ? m.orders[i] : 0);

  for (const Pattern& p : m.patterns) {
    std::vector<uint8_t> packed = PackPattern(p);
    w.u32(9);
    w.u8(0);
    w.u16(static_cast<uint16_t>(p.rows));
    w.u16(static_cast<uint16_t>(packed.size()));
    w.bytes.insert(w.bytes.end(), packed.begin(), packed.end());
  }
  for (const Instrument& in : m.instruments) WriteInstrument(w, in);
  return w.bytes;
}

bool WriteModule(const std::string& path, const Module& module) {
  std::vector<uint8_t> bytes = EncodeModule(module);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace songgen
