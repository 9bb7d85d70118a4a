#include "shell/options.h"

#include <cstdlib>
#include <cstring>

namespace lumaro {

namespace {

bool Has(const char* line, const char* option) { return std::strstr(line, option) != nullptr; }

// The text right after "option" up to the next blank, or null when the option is absent.
const char* ValueOf(const char* line, const char* option) {
  const char* at = std::strstr(line, option);
  return at ? at + std::strlen(option) : nullptr;
}

struct SizeOption {
  const char* text;
  int32_t width, height;
};

// Later rows win: a line with several sizes ends up with the smallest.
constexpr SizeOption kSizeOptions[] = {
    {"-w1600", 1600, 1200}, {"-w1280", 1280, 1024}, {"-w1152", 1152, 864}, {"-w1024", 1024, 768},
    {"-w800", 800, 600},    {"-w640", 640, 480},    {"-w512", 512, 384},   {"-w320", 320, 240},
};

}  // namespace

void ParseOptions(const char* line) {
  if (!line) line = "";
  Fullscreen = !Has(line, "-window");
  ShowFps = Has(line, "-fps");
  SoundOn = !Has(line, "-nosound");
  LoopSound = Has(line, "-loopsound");
  VideoSave = Has(line, "-videosave");
  VideoFile.clear();
  if (const char* file = ValueOf(line, "-video=")) VideoFile.assign(file, std::strcspn(file, " \t"));
  // A video is made on the fixed clock, offscreen unless a window is asked for, and plays
  // no music live: its sound track is rendered instead.
  SoundtrackOn = SoundOn;
  if (!VideoFile.empty()) {
    VideoSave = true;
    SoundOn = false;
  }
  for (const SizeOption& size : kSizeOptions) {
    if (Has(line, size.text)) {
      ScreenWidth = size.width;
      ScreenHeight = size.height;
    }
  }

  Headless = Has(line, "-headless") || (!VideoFile.empty() && Fullscreen);
  if (const char* seed = ValueOf(line, "-seed=")) {
    char* end = nullptr;
    unsigned long value = std::strtoul(seed, &end, 10);
    SeedGiven = end != seed;
    SeedValue = static_cast<uint32_t>(value);
  }
  if (const char* start = ValueOf(line, "-start=")) {
    float value = std::strtof(start, nullptr);
    StartTime = value > 0.0f ? value : 0.0f;
  }
  if (const char* end = ValueOf(line, "-end=")) {
    float value = std::strtof(end, nullptr);
    if (value > 0.0f) EndTime = value;
  }
  if (const char* dir = ValueOf(line, "-videodir=")) {
    size_t length = std::strcspn(dir, " \t");
    if (length > 0) VideoDir.assign(dir, length);
  }
  ForceProgress = Has(line, "-progress");
  HelpRequested = Has(line, "-help");
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
         "  -w320 -w512 -w640 -w800 -w1024 -w1152 -w1280 -w1600\n"
         "                drawing size (default 800 x 600; -w1280 is 1280 x 1024)\n"
         "  -headless     render offscreen, no display needed\n"
         "  -seed=N       seed the random generator with N (default: the calendar time)\n"
         "  -start=S      begin at demo second S\n"
         "  -end=S        end the run at demo second S (default 329)\n"
         "  -videodir=DIR directory for captured frames (default demovideo)\n"
         "  -progress     progress line on stderr during -videosave even when it is no terminal\n"
         "  -help         this text\n"
         "Escape, closing the window or Ctrl+C ends the show.\n";
}

}  // namespace lumaro
