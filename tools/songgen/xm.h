// An Extended Module (XM 1.04) in memory, and its writer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace songgen {

constexpr int kNoteOff = 97;

struct Cell {
  uint8_t note = 0;        // 1..96 (C-0..B-7), 97 note off, 0 empty
  uint8_t instrument = 0;  // 1-based, 0 none
  uint8_t volume = 0;      // volume column: 0x10 + 0..64 sets the volume, 0 empty
  uint8_t effect = 0;
  uint8_t param = 0;
  bool empty() const { return !note && !instrument && !volume && !effect && !param; }
};

struct Pattern {
  int rows = 0;
  std::vector<Cell> cells;  // rows x channels
};

struct EnvelopePoint {
  uint16_t tick, value;  // value 0..64
};

struct Instrument {
  std::string name;
  std::vector<int16_t> sample;
  bool loop = false;
  uint32_t loopStart = 0, loopLength = 0;  // in sample frames
  uint8_t volume = 64;
  int8_t finetune = 0;
  int8_t relativeNote = 0;
  uint8_t panning = 128;
  std::vector<EnvelopePoint> envelope;  // up to 12 points; empty: no envelope
  int sustainPoint = -1;
  uint16_t fadeout = 0;
  uint8_t vibratoDepth = 0, vibratoRate = 0, vibratoSweep = 0;
};

struct Module {
  std::string name;
  int channels = 8;
  int speed = 6, bpm = 125;
  std::vector<Pattern> patterns;
  std::vector<uint8_t> orders;
  std::vector<Instrument> instruments;
};

std::vector<uint8_t> EncodeModule(const Module& module);
bool WriteModule(const std::string& path, const Module& module);

}  // namespace songgen
