// The command line. The original switches are case-sensitive substring tests over the
// whole line, in a fixed order, and stay so; but the values of our own options (a
// directory, a file, a number) are blanked out first, so a value never counts as a switch.
#include "shell/options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace lumaro {

std::string OptionsProblem;

namespace {

bool Has(const std::string& line, const char* option) { return line.find(option) != std::string::npos; }

struct SizeOption {
  const char* text;
  int32_t width, height;
};

// Later rows win: a line with several sizes ends up with the smallest.
constexpr SizeOption kSizeOptions[] = {
    {"-w1600", 1600, 1200}, {"-w1280", 1280, 1024}, {"-w1152", 1152, 864}, {"-w1024", 1024, 768},
    {"-w800", 800, 600},    {"-w640", 640, 480},    {"-w512", 512, 384},   {"-w320", 320, 240},
};

// Our options that carry a value after '='; the value runs to the next blank.
constexpr const char* kValueOptions[] = {"-seed=",  "-start=",    "-end=",     "-videodir=",
                                         "-video=", "-timedemo=", "-stills="};
enum ValueOption { SeedOption, StartOption, EndOption, VideoDirOption, VideoOption, TimedemoOption, StillsOption };
static_assert(std::size(kValueOptions) == StillsOption + 1, "one name for each value option");

struct Values {
  std::string masked;  // the line with every value blanked out
  const char* found[std::size(kValueOptions)] = {};  // where each option's first value starts
  size_t length[std::size(kValueOptions)] = {};
};

Values Scan(const char* line) {
  Values v;
  v.masked = line;
  for (size_t at = 0; at < v.masked.size();) {
    size_t option = std::size(kValueOptions);
    for (size_t o = 0; o < std::size(kValueOptions); ++o)
      if (v.masked.compare(at, std::strlen(kValueOptions[o]), kValueOptions[o]) == 0) option = o;
    if (option == std::size(kValueOptions)) {
      ++at;
      continue;
    }
    const size_t start = at + std::strlen(kValueOptions[option]);
    const size_t length = std::strcspn(line + start, " \t");
    if (!v.found[option]) v.found[option] = line + start, v.length[option] = length;
    v.masked.replace(start, length, length, ' ');
    at = start + length;
  }
  return v;
}

void Refuse(const std::string& problem) {
  if (OptionsProblem.empty()) OptionsProblem = problem;
}

// A finite number and nothing else, or NaN.
float Number(const std::string& text) {
  if (text.empty()) return NAN;
  char* end = nullptr;
  errno = 0;
  const float value = std::strtof(text.c_str(), &end);
  return (*end == 0 && errno == 0 && std::isfinite(value)) ? value : NAN;
}

// "-stills=S,S,...": demo seconds, each as "-start" takes it; kept ascending.
void ParseStills(const std::string& list, bool rangeGiven) {
  StillTimes.clear();
  size_t at = 0;
  for (;;) {
    const size_t comma = list.find(',', at);
    const std::string item = list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    const float second = Number(item);
    if (!(second >= 0 && second < ShowLength))
      return Refuse("-stills=" + list + ": '" + item + "' is not a demo second from 0 up to (not including) 329");
    StillTimes.push_back(second);
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  if (rangeGiven) return Refuse("-stills picks its own frames: leave out -start and -end");
  std::sort(StillTimes.begin(), StillTimes.end());
  StartTime = StillTimes.front();
  EndTime = StillTimes.back();
}

void ParseValues(const Values& v) {
  auto value = [&](ValueOption o) { return v.found[o] ? std::string(v.found[o], v.length[o]) : std::string(); };
  if (v.found[SeedOption]) {
    const std::string text = value(SeedOption);
    char* end = nullptr;
    errno = 0;
    const unsigned long long seed = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end || errno || text[0] == '-' || seed > 0xFFFFFFFFull)
      Refuse("-seed=" + text + ": the seed is a whole number from 0 to 4294967295");
    SeedGiven = true;
    SeedValue = static_cast<uint32_t>(seed);
  }
  if (v.found[StartOption]) {
    const float start = Number(value(StartOption));
    if (!(start >= 0 && start < ShowLength))
      Refuse("-start=" + value(StartOption) + ": the start is a demo second from 0 up to (not including) 329");
    else
      StartTime = start;
  }
  if (v.found[EndOption]) {
    const float end = Number(value(EndOption));
    if (!(end > 0 && end <= ShowLength))
      Refuse("-end=" + value(EndOption) + ": the end is a demo second above 0, at most 329");
    else
      EndTime = end;
  }
  if (!(EndTime > StartTime) && !v.found[StillsOption])
    Refuse("-end=" + value(EndOption) + " is not after -start=" + value(StartOption) + ": the run would show nothing");
  if (v.found[VideoDirOption]) {
    if (v.length[VideoDirOption] == 0) Refuse("-videodir= needs a directory");
    VideoDir = value(VideoDirOption);
  }
  VideoFile = value(VideoOption);
  if (v.found[VideoOption] && VideoFile.empty()) Refuse("-video= needs a file name, such as lumaro.mp4");
  TimedemoFile = value(TimedemoOption);
  if (v.found[TimedemoOption] && TimedemoFile.empty()) Refuse("-timedemo= needs a file name, such as timedemo.csv");
  if (v.found[StillsOption]) ParseStills(value(StillsOption), v.found[StartOption] || v.found[EndOption]);
}
}  // namespace

void ParseOptions(const char* line) {
  if (!line) line = "";
  OptionsProblem.clear();
  const Values v = Scan(line);
  const std::string& s = v.masked;
  Fullscreen = !Has(s, "-window");
  ShowFps = Has(s, "-fps");
  SoundOn = !Has(s, "-nosound");
  LoopSound = Has(s, "-loopsound");
  VideoSave = Has(s, "-videosave");
  for (const SizeOption& size : kSizeOptions) {
    if (Has(s, size.text)) {
      ScreenWidth = size.width;
      ScreenHeight = size.height;
    }
  }
  ParseValues(v);
  // A video is made on the fixed clock, offscreen unless a window is asked for, and plays
  // no music live: its sound track is rendered instead.
  SoundtrackOn = SoundOn;
  if (!VideoFile.empty()) {
    VideoSave = true;
    SoundOn = false;
  }
  // Stills are single frames: no music, no track.
  if (!StillTimes.empty()) {
    VideoSave = true;
    SoundOn = SoundtrackOn = false;
    if (!VideoFile.empty()) Refuse("-stills writes frame files: leave out -video");
  }
  // A timedemo draws the show as fast as it can on the fixed clock: no capture, no music.
  Timedemo = Has(s, "-timedemo");
  if (Timedemo) SoundOn = SoundtrackOn = false;
  if (Timedemo && VideoSave) Refuse("-timedemo times the drawing alone: leave out -videosave and -video");
  Headless = Has(s, "-headless") || ((!VideoFile.empty() || Timedemo) && Fullscreen);
  ForceProgress = Has(s, "-progress");
  HelpRequested = Has(s, "-help");
}

std::vector<std::string> ArgumentWarnings(int argc, char** argv) {
  static const char* const flags[] = {"-window", "-fps", "-nosound", "-loopsound", "-videosave", "-headless",
                                      "-progress", "-help", "--help", "-timedemo"};
  std::vector<std::string> warnings;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    bool known = false;
    for (const char* f : flags) known |= a == f;
    for (const char* o : kValueOptions) known |= a.rfind(o, 0) == 0;
    bool size = false;
    for (const SizeOption& s : kSizeOptions) size |= a == s.text;
    if (known || size) continue;
    if (a.size() > 2 && a.rfind("-w", 0) == 0 && std::strspn(a.c_str() + 2, "0123456789") == a.size() - 2)
      warnings.push_back(a + " is not one of the sizes -w320 -w512 -w640 -w800 -w1024 -w1152 -w1280 -w1600; "
                             "the size is " + std::to_string(ScreenWidth) + " x " + std::to_string(ScreenHeight));
    else
      warnings.push_back("'" + a + "' matches no option (see -help)");
  }
  return warnings;
}

std::string JoinCommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

const char* OptionsHelpText() {
  return "usage: lumaro [options]\n"
         "  -window       run in a resizable window instead of the full screen\n"
         "  -fps          show the frame rate in the top-left corner\n"
         "  -nosound      no music and no audio device\n"
         "  -loopsound    play the music looped instead of once\n"
         "  -videosave    fixed 0.04 s steps; write every frame as a numbered TGA file and\n"
         "                the music as sound.wav beside them\n"
         "  -video=FILE   make FILE (.mp4, .mkv, .mov) with the music, via ffmpeg; offscreen\n"
         "                unless -window is given\n"
         "  -timedemo[=FILE.csv]\n"
         "                draw the whole show as fast as possible on the fixed clock and print\n"
         "                each scene's frame times (and write them to FILE.csv)\n"
         "  -w320 -w512 -w640 -w800 -w1024 -w1152 -w1280 -w1600\n"
         "                drawing size (default 800 x 600; -w1280 is 1280 x 1024)\n"
         "  -headless     render offscreen, no display needed\n"
         "  -seed=N       seed the random generator with N (default: the calendar time)\n"
         "  -start=S      begin at demo second S (0 up to 329)\n"
         "  -end=S        end the run at demo second S (after the start, at most 329)\n"
         "  -videodir=DIR directory for captured frames (default demovideo)\n"
         "  -stills=S,S,... capture only the frames at these demo seconds, numbered as in a\n"
         "                whole run (no sound track)\n"
         "  -progress     progress line on stderr during captures even when it is no terminal\n"
         "  -help         this text\n"
         "Escape, closing the window or Ctrl+C ends the show.\n";
}

}  // namespace lumaro
