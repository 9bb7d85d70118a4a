#include "composition.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "synth.h"

namespace songgen {

namespace {
enum Channel { Kick, Snare, Hats, Bass, PadA, PadB, PadC, Lead, Arp, Harmony, Fx, Drone, ChannelCount };
enum InstrumentId {
  IKick = 1,
  ISnare,
  IClosedHat,
  IOpenHat,
  IBass,
  IPad,
  ILead,
  IBell,
  IPluck,
  IRiser,
  ICrash,
  IDrone
};

constexpr int kBar = 16;  // rows: four beats of four sixteenths

struct Chord {
  std::array<int, 3> tones;  // MIDI notes, pad voicing
  int root;                  // MIDI bass note
};
const Chord kAm{{57, 60, 64}, 45}, kF{{57, 60, 65}, 41}, kC{{55, 60, 64}, 48}, kG{{55, 59, 62}, 43},
    kDm{{57, 62, 65}, 50}, kEm{{55, 59, 64}, 40};

// Progressions, one chord a bar.
const std::vector<Chord> kMain = {kAm, kF, kC, kG};
const std::vector<Chord> kSlow = {kAm, kAm, kF, kF, kC, kC, kG, kG};
const std::vector<Chord> kCalm = {kDm, kDm, kF, kF, kAm, kAm, kEm, kEm};
const std::vector<Chord> kBuild = {kF, kG, kAm, kAm};

// The theme over Am F C G, then its answer: (row in the phrase, MIDI note, length in rows).
struct MelodyNote {
  int row, note, length;
};
const std::vector<MelodyNote> kTheme = {
    {0, 76, 6},   {6, 74, 2},   {8, 72, 4},   {12, 76, 4},   {16, 81, 6},  {22, 79, 2}, {24, 77, 4}, {28, 76, 4},
    {32, 79, 6},  {38, 76, 2},  {40, 72, 4},  {44, 74, 4},   {48, 74, 8},  {56, 71, 4}, {60, 67, 4}, {64, 76, 4},
    {68, 81, 4},  {72, 83, 2},  {74, 84, 6},  {80, 84, 4},   {84, 83, 2},  {86, 81, 6}, {92, 77, 4}, {96, 79, 6},
    {102, 81, 2}, {104, 79, 4}, {108, 76, 4}, {112, 74, 12}, {124, 71, 4},
};

struct Section {
  int start, rows;
  const std::vector<Chord>* chords;
  int drums;  // 0 none, 1 half time, 2 four to the floor, 3 with sixteenth hats
  int bass;   // 0 none, 1 long notes, 2 rolling
  int arp;    // 0 none, 1 slow bell, 2 pluck sixteenths
  int lead;   // 0 none, 1 theme, 2 theme with harmony an octave up
  int padVolume;
  bool crash, riser;
};

// Scene windows: captions 0-20 s, title 20, fountain 28, fireworks 40, fractal 70,
// fireball 130, lattice 190, ornament 220, tunnel 250, metaballs 290, closing card 325.
const std::vector<Section> kSections = {
    {0, 200, &kSlow, 0, 0, 1, 0, 18, false, true},    {200, 80, &kMain, 1, 1, 1, 1, 44, true, false},
    {280, 120, &kMain, 1, 2, 2, 0, 40, false, true},  {400, 300, &kMain, 2, 2, 2, 1, 44, true, false},
    {700, 600, &kMain, 2, 2, 2, 1, 42, true, true},   {1300, 600, &kCalm, 1, 1, 1, 1, 40, true, false},
    {1900, 300, &kCalm, 0, 1, 1, 0, 36, false, true}, {2200, 300, &kBuild, 2, 2, 2, 0, 42, true, true},
    {2500, 400, &kMain, 3, 2, 2, 1, 44, true, false}, {2900, 350, &kMain, 3, 2, 2, 2, 48, true, false},
    {3250, 38, &kMain, 0, 0, 0, 0, 48, true, false},
};

// Where each channel sits in the stereo image (0 left, 128 centre, 255 right): the beat and
// the bass in the middle, the pad's three voices spread, lead and harmony either side of
// centre, and the arpeggio bouncing from side to side.
constexpr uint8_t kPanning[ChannelCount] = {
    /*Kick*/ 128, /*Snare*/ 128, /*Hats*/ 160,    /*Bass*/ 128, /*PadA*/ 56,  /*PadB*/ 128, /*PadC*/ 200,
    /*Lead*/ 104, /*Arp*/ 128,   /*Harmony*/ 168, /*Fx*/ 140,   /*Drone*/ 128};
constexpr uint8_t kArpLeft = 76, kArpRight = 180;
constexpr uint8_t kSetPanning = 0x08;  // effect 8xx

struct Grid {
  std::vector<Cell> cells = std::vector<Cell>(static_cast<size_t>(kSongRows) * ChannelCount);
  Cell& at(int row, int channel) { return cells[static_cast<size_t>(row) * ChannelCount + channel]; }
  void note(int row, int channel, int midi, int instrument, int volume) {
    if (row < 0 || row >= kSongRows) return;
    Cell& c = at(row, channel);
    c.note = static_cast<uint8_t>(midi - 11);  // MIDI 60 is C-4, XM note 49
    c.instrument = static_cast<uint8_t>(instrument);
    c.volume = static_cast<uint8_t>(0x10 + std::clamp(volume, 0, 64));
    // A new note takes its sample's panning (the centre); 8xx on the same row moves it.
    const uint8_t pan = channel == Arp ? (row / 2 % 2 ? kArpRight : kArpLeft) : kPanning[channel];
    if (pan != 128) c.effect = kSetPanning, c.param = pan;
  }
  void off(int row, int channel) {
    if (row < 0 || row >= kSongRows) return;
    Cell& c = at(row, channel);
    if (!c.note) c.note = kNoteOff;
  }
  void volume(int row, int channel, int volume) {
    if (row < 0 || row >= kSongRows) return;
    at(row, channel).volume = static_cast<uint8_t>(0x10 + std::clamp(volume, 0, 64));
  }
};

// Drums of one bar; the last bar of a section gets a snare fill into the next.
void DrumBar(Grid& g, int row, int level, bool fill, int bar) {
  if (level >= 2) {
    for (int beat = 0; beat < 4; ++beat) g.note(row + beat * 4, Kick, 60, IKick, 62);
    g.note(row + 4, Snare, 60, ISnare, 50);
    g.note(row + 12, Snare, 60, ISnare, 52);
    for (int step = 2; step < kBar; step += 4) g.note(row + step, Hats, 60, IOpenHat, 30);
    int hatStep = level >= 3 ? 1 : 2;
    for (int step = 0; step < kBar; step += hatStep)
      if (step % 4 != 2) g.note(row + step, Hats, 60, IClosedHat, (step % 4 == 0) ? 34 : 22);
  } else if (level == 1) {
    g.note(row, Kick, 60, IKick, 56);
    g.note(row + 10, Kick, 60, IKick, 44);
    g.note(row + 8, Snare, 60, ISnare, 42);
    for (int step = 0; step < kBar; step += 4) g.note(row + step + 2, Hats, 60, IClosedHat, 20 + (bar % 2) * 6);
  }
  if (fill && level >= 1) {
    for (int step = 8; step < kBar; ++step) g.note(row + step, Snare, 60, ISnare, 26 + (step - 8) * 4);
  }
}

void BassBar(Grid& g, int row, int style, const Chord& chord) {
  if (style == 1) {
    g.note(row, Bass, chord.root - 12, IBass, 50);
    g.note(row + 10, Bass, chord.root, IBass, 36);
  } else if (style == 2) {
    // Rolling offbeat bass: the sixteenths between the kicks, octave jumps for drive.
    for (int step = 0; step < kBar; ++step) {
      if (step % 4 == 0) continue;
      int midi = chord.root - 12 + ((step % 4 == 3) ? 12 : 0);
      g.note(row + step, Bass, midi, IBass, step % 4 == 2 ? 54 : 40);
    }
  }
}

void PadBar(Grid& g, int row, const Chord& chord, const Chord* previous, int volume) {
  const Channel voices[] = {PadA, PadB, PadC};
  for (int v = 0; v < 3; ++v) {
    if (previous && previous->tones[v] == chord.tones[v]) continue;  // common tones ring on
    g.note(row, voices[v], chord.tones[v], IPad, volume);
  }
}

void ArpBar(Grid& g, int row, int style, const Chord& chord, int bar, int bellGain) {
  const int tones[4] = {chord.tones[0] + 12, chord.tones[1] + 12, chord.tones[2] + 12, chord.tones[0] + 24};
  if (style == 1) {
    static const int order[4] = {0, 2, 1, 3};
    for (int beat = 0; beat < 4; ++beat)
      g.note(row + beat * 4, Arp, tones[order[(beat + bar) % 4]], IBell, (beat == 0 ? 30 : 22) * bellGain / 4);
  } else if (style == 2) {
    static const int order[16] = {0, 1, 2, 3, 2, 1, 0, 1, 0, 1, 2, 3, 2, 3, 2, 1};
    for (int step = 0; step < kBar; ++step)
      g.note(row + step, Arp, tones[order[step]], IPluck, step % 4 == 0 ? 36 : (step % 2 ? 22 : 28));
  }
}

// The theme, from the given phrase row; harmony adds a sixth below an octave higher.
void LeadPhrase(Grid& g, int row, int phraseRow, int rows, int style) {
  for (const MelodyNote& n : kTheme) {
    if (n.row < phraseRow || n.row >= phraseRow + rows) continue;
    int at = row + n.row - phraseRow;
    int octave = style == 2 ? 12 : 0;
    g.note(at, Lead, n.note + octave - 12, ILead, 46);
    g.off(at + n.length, Lead);
    if (style == 2) {
      g.note(at, Harmony, n.note - 9, ILead, 30);
      g.off(at + n.length, Harmony);
    }
  }
}

void WriteSection(Grid& g, const Section& s, int index) {
  const std::vector<Chord>& chords = *s.chords;
  const int bars = (s.rows + kBar - 1) / kBar;
  if (s.crash) g.note(s.start, Fx, 60, ICrash, 44);
  if (s.riser) g.note(s.start + s.rows - 40, Fx, 60, IRiser, 40);
  const Chord* previous = nullptr;
  for (int bar = 0; bar < bars; ++bar) {
    const int row = s.start + bar * kBar;
    const bool lastBar = bar == bars - 1;
    const Chord& chord = chords[bar % chords.size()];
    // The long fractal section breathes: a breakdown without kick in its fourth quarter.
    int drums = s.drums;
    if (index == 4 && bar >= 24 && bar < 32) drums = 0;
    if (index == 7 && bar < 8) drums = 1;  // the ornament builds from half time
    DrumBar(g, row, drums, lastBar && s.rows % kBar == 0, bar);
    if (lastBar && s.rows % kBar != 0 && drums >= 1) {
      // A section ending mid-bar gets a pickup fill over its last half bar.
      for (int step = 0; step < 8; ++step) g.note(row + step, Snare, 60, ISnare, 28 + step * 4);
    }
    BassBar(g, row, s.bass, chord);
    PadBar(g, row, chord, previous, s.padVolume);
    ArpBar(g, row, s.arp, chord, bar, index == 0 ? 2 : 4);  // softer under the captions
    previous = &chord;
  }
  if (s.lead) {
    // Phrases of eight bars; the fractal section rests its lead every other phrase.
    for (int phrase = 0; phrase * 128 < s.rows; ++phrase) {
      if (index == 4 && phrase % 2 == 1) continue;
      if (index == 5 && phrase % 2 == 1) continue;
      int rows = std::min(128, s.rows - phrase * 128);
      LeadPhrase(g, s.start + phrase * 128, 0, rows, s.lead);
    }
  }
  if (index == 0) {
    // A low drone under the captions, fading in.
    g.note(0, Drone, 33, IDrone, 26);
    g.off(s.start + s.rows, Drone);
  }
}

// The closing card: one last A minor chord that fades out by 328.8 s.
void WriteEnding(Grid& g, int start) {
  g.note(start, Kick, 60, IKick, 64);
  g.note(start, Bass, 33, IBass, 56);
  g.note(start, PadA, 57, IPad, 50);
  g.note(start, PadB, 60, IPad, 50);
  g.note(start, PadC, 64, IPad, 50);
  g.note(start, Arp, 81, IBell, 40);
  g.note(start, Drone, 33, IDrone, 50);
  g.note(start + 4, Lead, 76, ILead, 30);
  const Channel ringing[] = {Bass, PadA, PadB, PadC, Drone, Lead};
  for (int row = start + 6; row < kSongRows; ++row)
    for (Channel c : ringing) g.volume(row, c, 50 * (kSongRows - 2 - row) / (kSongRows - 2 - start - 6));
}

Module Assemble(Grid& grid) {
  Module m;
  m.name = "Lumaro";
  m.channels = ChannelCount;
  m.speed = 5;
  m.bpm = 125;
  // Cut at section starts and every 64 rows within; identical patterns are stored once.
  std::vector<int> cuts;
  for (const Section& s : kSections)
    for (int r = s.start; r < s.start + s.rows; r += 64) cuts.push_back(r);
  cuts.push_back(kSongRows);
  std::map<std::string, int> seen;  // a pattern's bytes, as a key
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    Pattern p;
    p.rows = cuts[i + 1] - cuts[i];
    for (int r = cuts[i]; r < cuts[i + 1]; ++r)
      for (int c = 0; c < ChannelCount; ++c) p.cells.push_back(grid.at(r, c));
    std::string key(1, static_cast<char>(p.rows));
    for (const Cell& c : p.cells)
      for (uint8_t byte : {c.note, c.instrument, c.volume, c.effect, c.param}) key.push_back(static_cast<char>(byte));
    auto found = seen.find(key);
    if (found == seen.end()) {
      found = seen.emplace(key, static_cast<int>(m.patterns.size())).first;
      m.patterns.push_back(p);
    }
    m.orders.push_back(static_cast<uint8_t>(found->second));
  }
  m.instruments = {MakeKick(), MakeSnare(), MakeClosedHat(), MakeOpenHat(), MakeBass(),  MakePad(),
                   MakeLead(), MakeBell(),  MakePluck(),     MakeRiser(),   MakeCrash(), MakeSubDrone()};
  return m;
}
}  // namespace

Module ComposeSong() {
  Grid grid;
  for (size_t i = 0; i + 1 < kSections.size(); ++i) WriteSection(grid, kSections[i], static_cast<int>(i));
  WriteEnding(grid, kSections.back().start);
  return Assemble(grid);
}

}  // namespace songgen
