// How the thresholds of WCAG 2.x are read here (success criterion 2.3.1 "Three Flashes or
// Below Threshold", its definitions "general flash and red flash thresholds" and "relative
// luminance", and Understanding SC 2.3.1):
// - Relative luminance L = 0.2126 R + 0.7152 G + 0.0722 B of the linear channels, each
//   c / 12.92 when c = byte / 255 is at most 0.04045, else ((c + 0.055) / 1.055) ^ 2.4. We
//   take sRGB's 0.04045; WCAG's text has 0.03928, and no byte lies between the two (10 / 255
//   is below both, 11 / 255 above), so for 8-bit frames they are the same.
// - A general transition is a change of L by 0.1 or more where the darker state is below
//   0.80; a red transition is a change of (R - G - B) * 320 (negative values taken as 0) by
//   more than 20, where one of the two states is a saturated red, R / (R + G + B) >= 0.8.
//   A flash is a pair of opposing transitions of one kind.
// - Content fails when more than three flashes of either kind fall within any one second
//   over a combined area larger than 25 % of any 10-degree visual field; a 341 x 256
//   rectangle at 1024 x 768 stands for that field, so a quarter of it is 21824 pixels there.
//   Other frames scale the rectangle with their width and height.
// Our choices:
// - The frame is cut into square cells of about a degree of view (a 32nd of its width),
//   each the average of its linear colour, as light mixes: detail moving within a cell is
//   seen as its average, a flash of an area is as strong in every cell of it. Each cell
//   follows its own light with hysteresis: a transition completes once the value has moved
//   far enough from the last extreme in one direction, so a flash drawn over two frames is
//   one transition and a slow fade is at most one.
// - Flashes are of an area: a field-sized window of cells (at every place on the grid of
//   cells) makes a transition when more than a quarter of the field's area completed a
//   transition the same way in the same frame, and the window's transitions alternate.
//   Light moving across the picture (a stream of glows, a passing object) changes cells
//   one after another, not together, and is no flash of an area.
// - A transition counts in the second it completes in; a frame's second is (t - 1, t].
//   Flashes in it are the window's transitions halved.
#include "engine/flash_check.h"

#include <algorithm>
#include <cmath>

namespace lumaro {

namespace {
constexpr double kGeneralStep = 0.1;              // relative luminance, "0.1 or more"
constexpr double kDarkerBelow = 0.8;              // the darker state's relative luminance
constexpr double kRedScale = 320, kRedStep = 20;  // (R - G - B) * 320, "more than 20"
constexpr double kSaturatedRed = 0.8;             // R / (R + G + B)
constexpr int kMostFlashesASecond = 3;            // more fail
constexpr float kWindowSeconds = 1.0f;
constexpr float kTimeSlack = 1e-4f;  // a transition one second old is out, rounding aside
constexpr double kFieldWidth = 341.0 / 1024, kFieldHeight = 256.0 / 768;  // of the frame's
constexpr double kFieldShareAllowed = 0.25;
constexpr int kCellsAcross = 32;
constexpr int64_t kConcurrentFrames = 0;  // frames after its own a cell's transition counts with others
constexpr int kTransitionsKept = 16;      // enough to tell up to eight flashes a second
enum Kind { General, Red, KindCount };

// One kind of light in one cell: the last extreme, which way it went, and the frame its
// last transition completed in.
struct Swing {
  float extreme = 0;
  bool extremeRed = false;  // the extreme state was a saturated red
  int8_t direction = 0;     // +1 rising since the last transition, -1 falling, 0 none yet
  int64_t frame = -1000;
};

struct Cell {
  Swing swings[KindCount];
  int pixels = 0;
};

// One kind of flash in one field-sized window: its last transition's way, and when its
// last transitions completed (a ring).
struct FieldSwing {
  int8_t direction = 0;
  uint8_t next = 0;
  float times[kTransitionsKept];
};

struct FlashCheckState {
  FlashCheckSettings settings;
  int cell = 1, columns = 0, rows = 0;
  int fieldColumns = 1, fieldRows = 1;  // the field's window in cells
  int placesAcross = 1, placesDown = 1;  // where the window can be
  double fieldArea = 1;                 // pixels
  std::vector<Cell> cells;
  std::vector<float> sums;                    // linear R, G, B per cell
  std::vector<FieldSwing> fields[KindCount];  // per place of the window
  std::vector<double> rising, falling;        // summed areas above and left of each cell corner
  std::vector<FlashStretch> stretches;
  int64_t frame = 0;
  float firstTime = 0;
};
FlashCheckState State;

const float* LinearTable() {
  static float table[256];
  static const bool made = [] {
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      table[i] = static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return true;
  }();
  (void)made;
  return table;
}

double Luminance(double r, double g, double b) { return 0.2126 * r + 0.7152 * g + 0.0722 * b; }

// A cell's two values its swings follow, and whether it is a saturated red.
struct CellLight {
  float values[KindCount];
  bool saturatedRed;
};
CellLight LightOf(size_t cell) {
  const float* sum = &State.sums[3 * cell];
  const double pixels = State.cells[cell].pixels, r = sum[0] / pixels, g = sum[1] / pixels, b = sum[2] / pixels;
  return {{static_cast<float>(Luminance(r, g, b)), static_cast<float>(kRedScale * std::max(0.0, r - g - b))},
          r + g + b > 0 && r >= kSaturatedRed * (r + g + b)};
}

// Moves the swing on by this frame's value; true when a transition completed.
bool Advance(Swing& s, float value, bool red, Kind kind) {
  if ((s.direction > 0 && value >= s.extreme) || (s.direction < 0 && value <= s.extreme)) {
    s.extreme = value, s.extremeRed = red;  // further the same way: a new extreme
    return false;
  }
  const double moved = std::fabs(static_cast<double>(value) - s.extreme);
  const bool counts = kind == General ? moved >= kGeneralStep - 1e-6 && std::min(value, s.extreme) < kDarkerBelow
                                      : moved > kRedStep && (red || s.extremeRed);
  if (!counts) return false;
  s.direction = value > s.extreme ? 1 : -1;
  s.extreme = value, s.extremeRed = red;
  return true;
}

// The linear colour of every cell, summed over its pixels.
void SumCells(const FlashFrame& frame) {
  const float* linear = LinearTable();
  std::fill(State.sums.begin(), State.sums.end(), 0.0f);
  const int width = State.settings.frameWidth, red = frame.bgr ? 2 : 0, blue = frame.bgr ? 0 : 2;
  for (int y = 0; y < State.settings.frameHeight; ++y) {
    const uint8_t* p = frame.pixels + static_cast<size_t>(y) * width * frame.pixelBytes;
    float* row = &State.sums[3 * static_cast<size_t>(y / State.cell) * State.columns];
    for (int x = 0; x < width; ++x, p += frame.pixelBytes) {
      float* sum = row + 3 * (x / State.cell);
      sum[0] += linear[p[red]], sum[1] += linear[p[1]], sum[2] += linear[p[blue]];
    }
  }
}

// Summed-area tables of the cells that have just risen and just fallen.
void TableChanges(Kind kind) {
  const int across = State.columns + 1;
  for (int y = 0; y < State.rows; ++y)
    for (int x = 0; x < State.columns; ++x) {
      const Cell& c = State.cells[static_cast<size_t>(y) * State.columns + x];
      const Swing& s = c.swings[kind];
      const bool now = State.frame - s.frame <= kConcurrentFrames;
      const size_t at = (y + 1) * across + x + 1, up = y * across + x + 1, left = at - 1, corner = up - 1;
      State.rising[at] = (now && s.direction > 0 ? c.pixels : 0) + State.rising[up] + State.rising[left] -
                         State.rising[corner];
      State.falling[at] = (now && s.direction < 0 ? c.pixels : 0) + State.falling[up] + State.falling[left] -
                          State.falling[corner];
    }
}

double AreaIn(const std::vector<double>& table, int x, int y) {
  const int across = State.columns + 1, w = std::min(State.fieldColumns, State.columns),
            h = std::min(State.fieldRows, State.rows);
  return table[(y + h) * across + x + w] - table[y * across + x + w] - table[(y + h) * across + x] +
         table[y * across + x];
}

// Every place of the field's window: a transition of the area when enough of it changed
// together, then its flashes in the second up to now.
void MeasureFields(Kind kind, float time, int* mostFlashes, double* mostShare) {
  TableChanges(kind);
  const double limit = FlashAreaLimit(State.settings.frameWidth, State.settings.frameHeight);
  for (int y = 0; y < State.placesDown; ++y)
    for (int x = 0; x < State.placesAcross; ++x) {
      FieldSwing& f = State.fields[kind][static_cast<size_t>(y) * State.placesAcross + x];
      const double rising = AreaIn(State.rising, x, y), falling = AreaIn(State.falling, x, y);
      const bool canRise = rising > limit && f.direction != 1, canFall = falling > limit && f.direction != -1;
      if (canRise || canFall) {
        f.direction = canRise && (!canFall || rising >= falling) ? 1 : -1;
        f.times[f.next] = time;
        f.next = static_cast<uint8_t>((f.next + 1) % kTransitionsKept);
      }
      int transitions = 0;
      for (float t : f.times) transitions += t > time - kWindowSeconds + kTimeSlack;
      *mostFlashes = std::max(*mostFlashes, transitions / 2);
      // The window may be a little larger than the field, in whole cells: at most all of it.
      *mostShare = std::max(*mostShare, std::min(1.0, std::max(rising, falling) / State.fieldArea));
    }
}

FlashMeasure Measure(float time) {
  for (size_t i = 0; i < State.cells.size(); ++i) {
    const CellLight light = LightOf(i);
    for (Kind kind : {General, Red}) {
      Swing& s = State.cells[i].swings[kind];
      if (State.frame == 0)  // the first frame is where each swing starts from
        s.extreme = light.values[kind], s.extremeRed = light.saturatedRed;
      else if (Advance(s, light.values[kind], light.saturatedRed, kind))
        s.frame = State.frame;
    }
  }
  FlashMeasure m{.time = time};
  MeasureFields(General, time, &m.generalFlashes, &m.generalShare);
  MeasureFields(Red, time, &m.redFlashes, &m.redShare);
  m.kind = m.generalFlashes > kMostFlashesASecond ? FlashKind::General
           : m.redFlashes > kMostFlashesASecond   ? FlashKind::Red
                                                  : FlashKind::None;
  return m;
}

// A failing frame starts a stretch, or lengthens the one its second overlaps.
void Remember(const FlashMeasure& m) {
  const bool failed = m.Fails();
  const bool overlaps = !State.stretches.empty() && State.stretches.back().kind == m.kind &&
                        m.time - kWindowSeconds <= State.stretches.back().to;
  if (failed && overlaps) {
    FlashStretch& s = State.stretches.back();
    s.to = m.time;
    s.mostFlashes = std::max(s.mostFlashes, m.kind == FlashKind::Red ? m.redFlashes : m.generalFlashes);
    s.mostShare = std::max(s.mostShare, m.kind == FlashKind::Red ? m.redShare : m.generalShare);
  } else if (failed) {
    State.stretches.push_back({.from = std::max(State.firstTime, m.time - kWindowSeconds),
                               .to = m.time,
                               .kind = m.kind,
                               .mostFlashes = m.kind == FlashKind::Red ? m.redFlashes : m.generalFlashes,
                               .mostShare = m.kind == FlashKind::Red ? m.redShare : m.generalShare});
  }
}
}  // namespace

const char* FlashKindName(FlashKind kind) {
  return kind == FlashKind::General ? "general" : kind == FlashKind::Red ? "red" : "none";
}

double FlashAreaLimit(int frameWidth, int frameHeight) {
  return kFieldShareAllowed * kFieldWidth * frameWidth * kFieldHeight * frameHeight;
}

double RelativeLuminance(uint8_t red, uint8_t green, uint8_t blue) {
  const float* linear = LinearTable();
  return Luminance(linear[red], linear[green], linear[blue]);
}

void StartFlashCheck(const FlashCheckSettings& settings) {
  State = {};
  State.settings = settings;
  State.cell = settings.cellPixels > 0 ? settings.cellPixels : std::max(1, settings.frameWidth / kCellsAcross);
  State.columns = (settings.frameWidth + State.cell - 1) / State.cell;
  State.rows = (settings.frameHeight + State.cell - 1) / State.cell;
  State.cells.resize(static_cast<size_t>(State.columns) * State.rows);
  for (int y = 0; y < settings.frameHeight; ++y)
    for (int x = 0; x < settings.frameWidth; ++x) State.cells[(y / State.cell) * State.columns + x / State.cell].pixels++;
  State.sums.resize(3 * State.cells.size());
  const double fieldWidth = kFieldWidth * settings.frameWidth, fieldHeight = kFieldHeight * settings.frameHeight;
  State.fieldArea = fieldWidth * fieldHeight;
  State.fieldColumns = std::max(1, static_cast<int>(std::lround(fieldWidth / State.cell)));
  State.fieldRows = std::max(1, static_cast<int>(std::lround(fieldHeight / State.cell)));
  State.placesAcross = std::max(1, State.columns - State.fieldColumns + 1);
  State.placesDown = std::max(1, State.rows - State.fieldRows + 1);
  FieldSwing none;
  std::fill(std::begin(none.times), std::end(none.times), -INFINITY);
  for (auto& fields : State.fields) fields.assign(static_cast<size_t>(State.placesAcross) * State.placesDown, none);
  State.rising.assign(static_cast<size_t>(State.columns + 1) * (State.rows + 1), 0.0);
  State.falling = State.rising;
}

FlashMeasure CheckFlashFrame(const FlashFrame& frame) {
  if (State.frame == 0) State.firstTime = frame.time;
  SumCells(frame);
  const FlashMeasure m = Measure(frame.time);
  State.frame += 1;
  Remember(m);
  return m;
}

const std::vector<FlashStretch>& FlashStretches() { return State.stretches; }

}  // namespace lumaro
