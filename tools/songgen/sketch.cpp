// A small module of the same kind as the song (three short instruments, two patterns of
// notes, volumes, panning and a note-off), for fuzzing the loader from a real starting point.
#include "sketch.h"

#include "synth.h"

namespace songgen {

Module ComposeSketch() {
  Module m;
  m.name = "Lumaro sketch";
  m.channels = 4;
  m.speed = 5;
  m.bpm = 125;
  m.instruments = {MakeKick(), MakeClosedHat(), MakeBass()};
  for (Instrument& in : m.instruments) {
    if (in.sample.size() > 1500) in.sample.resize(1500);
    in.loop = false;
    in.loopStart = in.loopLength = 0;
  }
  for (int p = 0; p < 2; ++p) {
    Pattern pattern;
    pattern.rows = 16;
    pattern.cells.resize(16 * 4);
    for (int row = 0; row < 16; row += 4) {
      Cell& kick = pattern.cells[row * 4];
      kick.note = 49, kick.instrument = 1, kick.volume = 0x10 + 60;
      Cell& hat = pattern.cells[(row + 2) * 4 + 1];
      hat.note = 61, hat.instrument = 2, hat.volume = 0x10 + 30, hat.effect = 0x08, hat.param = 160;
    }
    Cell& bass = pattern.cells[2];
    bass.note = static_cast<uint8_t>(34 + p * 5), bass.instrument = 3, bass.volume = 0x10 + 50;
    pattern.cells[8 * 4 + 2].note = kNoteOff;
    m.patterns.push_back(pattern);
  }
  m.orders = {0, 1, 0};
  return m;
}

}  // namespace songgen
