#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace songgen {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kCycle = 128.0;  // frames per cycle of C-4

struct Noise {
  uint32_t state;
  explicit Noise(uint32_t seed) : state(seed) {}
  double next() {  // -1 .. 1
    state = state * 1664525u + 1013904223u;
    return ((state >> 8) / 8388608.0) - 1.0;
  }
};

std::vector<int16_t> ToSamples(const std::vector<double>& wave, double peak = 0.89) {
  double top = 1e-9;
  for (double v : wave) top = std::max(top, std::fabs(v));
  std::vector<int16_t> out(wave.size());
  for (size_t i = 0; i < wave.size(); ++i) out[i] = static_cast<int16_t>(std::lround(wave[i] / top * peak * 32767.0));
  return out;
}

Instrument Tonal(const char* name, std::vector<double> wave, bool loop) {
  Instrument in;
  in.name = name;
  in.sample = ToSamples(wave);
  in.relativeNote = 24;  // 33452 Hz is two octaves above the 8363 Hz of C-4
  in.finetune = 2;       // 128 frames per cycle is 1.9 cents flat of concert C
  in.loop = loop;
  if (loop) {
    in.loopStart = 0;
    in.loopLength = static_cast<uint32_t>(in.sample.size());
  }
  return in;
}

// A loop of `cycles` periods of C-4 built from harmonics; each voice runs a few extra
// whole cycles over the loop so detuned voices still meet seamlessly at the loop point.
std::vector<double> AdditiveLoop(int cycles, const std::vector<int>& extraCycles, int harmonics,
                                 double (*amplitude)(int), double brightness) {
  const size_t frames = static_cast<size_t>(cycles * kCycle);
  std::vector<double> wave(frames, 0.0);
  uint32_t phaseSeed = 7;
  for (int extra : extraCycles) {
    const double voiceCycles = cycles + extra;
    for (int h = 1; h <= harmonics; ++h) {
      phaseSeed = phaseSeed * 69069u + 1;
      const double phase = (phaseSeed >> 8) / 16777216.0 * 2 * kPi;
      const double gain = amplitude(h) * std::exp(-h / brightness);
      const double step = 2 * kPi * voiceCycles * h / frames;
      for (size_t i = 0; i < frames; ++i) wave[i] += gain * std::sin(step * i + phase);
    }
  }
  return wave;
}

double SawHarmonic(int h) { return 1.0 / h; }
double SquareHarmonic(int h) { return (h % 2) ? 1.0 / h : 0.12 / h; }
}  // namespace

Instrument MakeKick() {
  const size_t frames = static_cast<size_t>(kSampleRate * 0.45);
  std::vector<double> w(frames);
  double phase = 0;
  for (size_t i = 0; i < frames; ++i) {
    double t = i / kSampleRate;
    double freq = 48 + 160 * std::exp(-t * 28);  // pitch sweep down to a low thump
    phase += 2 * kPi * freq / kSampleRate;
    double body = std::sin(phase) * std::exp(-t * 7.5);
    double click = std::exp(-t * 400) * 0.5;
    w[i] = std::tanh((body + click) * 1.6);
  }
  Instrument in = Tonal("kick", w, false);
  return in;
}

Instrument MakeSnare() {
  const size_t frames = static_cast<size_t>(kSampleRate * 0.32);
  std::vector<double> w(frames);
  Noise noise(99);
  double low = 0, band = 0;
  for (size_t i = 0; i < frames; ++i) {
    double t = i / kSampleRate;
    double n = noise.next();
    // state-variable band-pass around 2.2 kHz for the snare wires
    double f = 2 * std::sin(kPi * 2200 / kSampleRate);
    low += f * band;
    double high = n - low - 0.6 * band;
    band += f * high;
    double tone = std::sin(2 * kPi * 185 * t) * std::exp(-t * 30);
    w[i] = (0.9 * band + 0.35 * high) * std::exp(-t * 14) + 0.7 * tone;
  }
  return Tonal("snare", w, false);
}

namespace {
std::vector<double> Hat(double seconds, double decay, uint32_t seed) {
  const size_t frames = static_cast<size_t>(kSampleRate * seconds);
  std::vector<double> w(frames);
  Noise noise(seed);
  double previous = 0;
  for (size_t i = 0; i < frames; ++i) {
    double t = i / kSampleRate;
    double n = noise.next();
    double high = n - previous;  // first difference: a bright, thin hiss
    previous = n;
    double metal = std::sin(2 * kPi * 6100 * t) * std::sin(2 * kPi * 8320 * t) * 0.4;
    w[i] = (high * 0.8 + metal) * std::exp(-t * decay);
  }
  return w;
}
}  // namespace

Instrument MakeClosedHat() { return Tonal("closed hat", Hat(0.09, 55, 17), false); }
Instrument MakeOpenHat() { return Tonal("open hat", Hat(0.4, 9, 23), false); }

Instrument MakeBass() {
  // Saw with a warm top and a square's hollow body underneath.
  std::vector<double> saw = AdditiveLoop(8, {0}, 40, SawHarmonic, 7.0);
  std::vector<double> square = AdditiveLoop(8, {0}, 40, SquareHarmonic, 5.0);
  for (size_t i = 0; i < saw.size(); ++i) saw[i] = saw[i] + 0.6 * square[i];
  Instrument in = Tonal("bass", saw, true);
  in.envelope = {{0, 64}, {4, 52}, {14, 38}, {40, 30}};
  in.sustainPoint = 3;
  in.fadeout = 2400;
  return in;
}

Instrument MakePad() {
  // Six detuned saws over a one-second loop: a wide, slowly beating string pad.
  std::vector<double> w = AdditiveLoop(256, {0, 1, -1, 2, -2, 3}, 28, SawHarmonic, 6.0);
  Instrument in = Tonal("pad", w, true);
  in.envelope = {{0, 0}, {40, 40}, {90, 58}, {140, 52}};
  in.sustainPoint = 3;
  in.fadeout = 300;  // long release
  in.volume = 52;
  return in;
}

Instrument MakeLead() {
  std::vector<double> w = AdditiveLoop(16, {0, 1}, 18, SquareHarmonic, 9.0);
  Instrument in = Tonal("lead", w, true);
  in.envelope = {{0, 0}, {2, 64}, {10, 48}, {30, 42}};
  in.sustainPoint = 3;
  in.fadeout = 900;
  in.vibratoDepth = 6;
  in.vibratoRate = 20;
  in.vibratoSweep = 60;
  return in;
}

Instrument MakeBell() {
  // Inharmonic partials with their own decays: a glassy bell for arpeggios.
  const size_t frames = static_cast<size_t>(kSampleRate * 1.8);
  std::vector<double> w(frames);
  const double f = kSampleRate / kCycle;
  const double ratios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
  const double gains[] = {1.0, 0.45, 0.3, 0.16, 0.08};
  const double decays[] = {2.2, 3.5, 5.0, 7.5, 11.0};
  for (size_t i = 0; i < frames; ++i) {
    double t = i / kSampleRate, v = 0;
    for (int p = 0; p < 5; ++p) v += gains[p] * std::sin(2 * kPi * f * ratios[p] * t) * std::exp(-t * decays[p]);
    w[i] = v * (1 - std::exp(-t * 900));  // a soft strike, no click
  }
  return Tonal("bell", w, false);
}

Instrument MakePluck() {
  // Karplus-Strong string at C-4: a short, bright pluck for the faster arpeggios.
  const size_t frames = static_cast<size_t>(kSampleRate * 0.9);
  std::vector<double> w(frames), line(128);
  Noise noise(5);
  for (double& v : line) v = noise.next();
  for (size_t i = 0; i < frames; ++i) {
    size_t k = i % 128;
    double next = 0.5 * (line[k] + line[(k + 1) % 128]) * 0.996;
    w[i] = line[k];
    line[k] = next;
  }
  return Tonal("pluck", w, false);
}

Instrument MakeRiser() {
  // A four-second noise sweep rising in pitch and loudness, for the lift into a section.
  const size_t frames = static_cast<size_t>(kSampleRate * 4.0);
  std::vector<double> w(frames);
  Noise noise(41);
  double low = 0, band = 0;
  for (size_t i = 0; i < frames; ++i) {
    double t = i / kSampleRate, progress = t / 4.0;
    double freq = 300 * std::pow(25.0, progress);
    double f = 2 * std::sin(kPi * std::min(freq, 9000.0) / kSampleRate);
    low += f * band;
    double high = noise.next() - low - 0.25 * band;
    band += f * high;
    w[i] = band * progress * progress;
  }
  return Tonal("riser", w, false);
}

Instrument MakeCrash() {
  const size_t frames = static_cast<size_t>(kSampleRate * 2.2);
  std::vector<double> w(frames);
  Noise noise(77);
  double previous = 0, smooth = 0;
  for (size_t i = 0; i < frames; ++i) {
    double t = i / kSampleRate;
    double n = noise.next();
    double high = n - previous;
    previous = n;
    smooth = 0.7 * smooth + 0.3 * high;
    double shimmer = std::sin(2 * kPi * 4700 * t + 3 * std::sin(2 * kPi * 1130 * t));
    w[i] = (smooth * 0.9 + 0.2 * shimmer) * std::exp(-t * 1.8) * (1 - std::exp(-t * 2000));
  }
  return Tonal("crash", w, false);
}

Instrument MakeSubDrone() {
  // Nearly pure low sine with a touch of second harmonic, under the quiet opening.
  std::vector<double> w = AdditiveLoop(32, {0}, 3, SawHarmonic, 1.2);
  Instrument in = Tonal("drone", w, true);
  in.envelope = {{0, 0}, {120, 64}, {200, 60}};
  in.sustainPoint = 2;
  in.fadeout = 160;
  return in;
}

}  // namespace songgen
