// The command line, from one table. The original switches are case-sensitive substring
// tests, in a fixed order, and stay so; the values of our own options are whole arguments,
// so a value never counts as a switch and may hold spaces.
#include "shell/options.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "shell/option_values.h"

namespace lumaro {

namespace {
enum class Id {
  Window,
  Fps,
  NoSound,
  LoopSound,
  VideoSave,
  Size,
  Headless,
  Progress,
  Help,
  Version,
  Timedemo,
  Seed,
  Start,
  End,
  VideoDir,
  Video,
  TimedemoFile,
  Stills,
  Readback,
  Loop,
  NoVsync,
  FrameSize,
  Widescreen,
  VideoRate,
  Crf,
  Preset,
};

struct Option {
  Id id;
  const char* name;               // a switch's text, or a value option's up to and with its '='
  const char* argument;           // what the help shows after a value option's '='
  const char* help;               // one line or more, each after the first indented under it;
                                  // {length} is the show's length
  int32_t width = 0, height = 0;  // the size switches
};

// In the order of the original's tests: with several sizes, the later row (the smaller
// size) wins.
const Option kOptions[] = {
    {Id::Window, "-window", "", "run in a resizable window instead of the full screen"},
    {Id::Fps, "-fps", "", "show the frame rate in the top-left corner"},
    {Id::NoSound, "-nosound", "", "no music and no audio device"},
    {Id::LoopSound, "-loopsound", "", "play the music looped instead of once"},
    {Id::VideoSave, "-videosave", "",
     "fixed 0.04 s steps; write every frame as a numbered TGA file and the music as\nsound.wav beside them"},
    {Id::Size, "-w1600", "", "", 1600, 1200},
    {Id::Size, "-w1280", "", "", 1280, 1024},
    {Id::Size, "-w1152", "", "", 1152, 864},
    {Id::Size, "-w1024", "", "", 1024, 768},
    {Id::Size, "-w800", "", "", 800, 600},
    {Id::Size, "-w640", "", "", 640, 480},
    {Id::Size, "-w512", "", "", 512, 384},
    {Id::Size, "-w320", "", "drawing size (default 800 x 600; -w1280 is 1280 x 1024)", 320, 240},
    {Id::Video, "-video=", "FILE",
     "make FILE (.mp4, .m4v, .mov, .mkv) with the music, via ffmpeg;\noffscreen unless -window is given"},
    {Id::TimedemoFile, "-timedemo=", "FILE.csv", "as -timedemo, and write each scene's frame times to FILE.csv"},
    {Id::Timedemo, "-timedemo", "",
     "draw the whole show as fast as possible on the fixed clock and print\neach scene's frame times"},
    {Id::FrameSize, "-size=", "WxH",
     "the frame for -video, -videosave, -timedemo and the window, any even size\n(as 1920x1080, 3840x2160, 1080x1920): "
     "the 4:3 show in its middle"},
    {Id::Widescreen, "-widescreen", "", "with -size: the show fills the frame, seeing more to the sides"},
    {Id::VideoRate, "-videorate=", "N", "frames a second of -video, -videosave and -timedemo (default 25)"},
    {Id::Crf, "-crf=", "N", "x264's quality for -video, 0 (lossless) to 51 (default 18)"},
    {Id::Preset, "-preset=", "NAME", "x264's speed for -video, ultrafast to veryslow (default ultrafast)"},
    {Id::Headless, "-headless", "",
     "render offscreen, no display needed: with -video, -videosave, -stills or\n-timedemo (or -end=S, to hear the "
     "music alone)"},
    {Id::Seed, "-seed=", "N", "seed the random generator with N (default: the calendar time)"},
    {Id::Start, "-start=", "S", "begin at demo second S (0 up to {length})"},
    {Id::End, "-end=", "S", "end the run at demo second S (after the start, at most {length})"},
    {Id::VideoDir, "-videodir=", "DIR", "directory for captured frames (default demovideo)"},
    {Id::Stills, "-stills=", "S,S,...",
     "capture only the frames at these demo seconds, numbered as in a\nwhole run (no sound track)"},
    {Id::Readback, "-readback=", "HOW",
     "how captured frames come back: auto, direct, pack (pixel-pack\nbuffers) or sync (each written before the next); "
     "for comparisons"},
    {Id::Loop, "-loop", "", "play the show again from its start (or -start) each time it ends"},
    {Id::NoVsync, "-novsync", "", "draw as fast as it goes, not in step with the screen"},
    {Id::Progress, "-progress", "", "progress line on stderr during captures even when it is no terminal"},
    {Id::Version, "-version", "", "the version (also --version)"},
    {Id::Help, "-help", "", "this text (also -h and --help)"},
};

bool IsValueOption(const Option& o) { return o.name[std::strlen(o.name) - 1] == '='; }

// Everything back to how a run without options starts.
void ResetToDefaults() {
  ScreenWidth = 800;
  ScreenHeight = 600;
  Fullscreen = true;
  ShowFps = LoopSound = VideoSave = false;
  SoundOn = true;
  ThisRun = RunState{};
}

constexpr size_t kOptionCount = std::size(kOptions);

// Whether the argument holds the switch somewhere that is not the start of a longer switch:
// "-loopsound" holds "-loop" only as part of itself.
bool HoldsSwitch(const std::string& argument, const char* name) {
  const size_t length = std::strlen(name);
  for (size_t at = argument.find(name); at != std::string::npos; at = argument.find(name, at + 1)) {
    bool longer = false;
    for (const Option& o : kOptions)
      longer |=
          !IsValueOption(o) && std::strlen(o.name) > length && argument.compare(at, std::strlen(o.name), o.name) == 0;
    if (!longer) return true;
  }
  return false;
}

// "-w8000" holds "-w800" as a substring, but nobody who typed it meant 800 x 600: a size
// switch with more digits after it is a size we do not have.
Status RefuseLongerSizes(const std::string& argument) {
  for (const Option& o : kOptions) {
    if (o.id != Id::Size) continue;
    const size_t length = std::strlen(o.name);
    for (size_t at = argument.find(o.name); at != std::string::npos; at = argument.find(o.name, at + 1)) {
      if (at + length >= argument.size() || !std::isdigit(static_cast<unsigned char>(argument[at + length]))) continue;
      const size_t end = argument.find_first_not_of("0123456789", at + 2);
      return Status::Failure(argument.substr(at, end == std::string::npos ? std::string::npos : end - at) +
                             " is not one of the sizes -w320 -w512 -w640 -w800 -w1024 -w1152 -w1280 -w1600");
    }
  }
  return {};
}

// The switches an argument holds as substrings, noted for applying in table order.
Status FindSwitches(const std::string& argument, bool (&hit)[kOptionCount], OptionsAction* action) {
  Status sizes = RefuseLongerSizes(argument);
  if (!sizes.ok()) return sizes;
  bool any = argument == "-h";
  if (any) *action = OptionsAction::Help;
  for (size_t i = 0; i < kOptionCount; ++i)
    if (!IsValueOption(kOptions[i]) && HoldsSwitch(argument, kOptions[i].name)) hit[i] = any = true;
  if (any) return {};
  if (argument.size() > 2 && argument.rfind("-w", 0) == 0 &&
      argument.find_first_not_of("0123456789", 2) == std::string::npos)
    return Status::Failure(argument + " is not one of the sizes -w320 -w512 -w640 -w800 -w1024 -w1152 -w1280 -w1600");
  return Status::Failure("'" + argument + "' is no option (see -help)");
}

// In the original's order, whatever order the arguments came in.
void ApplySwitches(const bool (&hit)[kOptionCount], OptionsAction* action) {
  for (size_t i = 0; i < kOptionCount; ++i) {
    if (!hit[i]) continue;
    const Option& o = kOptions[i];
    switch (o.id) {
      case Id::Window: Fullscreen = false; break;
      case Id::Fps: ShowFps = true; break;
      case Id::NoSound: SoundOn = false; break;
      case Id::LoopSound: LoopSound = true; break;
      case Id::VideoSave: VideoSave = true; break;
      case Id::Size: ScreenWidth = o.width, ScreenHeight = o.height; break;
      case Id::Headless: ThisRun.headless = true; break;
      case Id::Progress: ThisRun.forceProgress = true; break;
      case Id::Timedemo: ThisRun.timedemo = true; break;
      case Id::Loop: ThisRun.loopShow = true; break;
      case Id::Widescreen: ThisRun.widescreen = true; break;
      case Id::NoVsync: ThisRun.noVsync = true; break;
      case Id::Help: *action = OptionsAction::Help; break;
      case Id::Version: *action = OptionsAction::Version; break;
      default: break;
    }
  }
}

Status ApplyValue(Id id, const std::string& name, const std::string& value) {
  switch (id) {
    case Id::Seed: return ParseSeed(name, value);
    case Id::Start: return ParseSecond(name, value, &ThisRun.startTime);
    case Id::End: return ParseSecond(name, value, &ThisRun.endTime);
    case Id::VideoDir: ThisRun.videoDir = ExpandHome(value); return {};
    case Id::Video:
      if (!VideoContainerFor(value))
        return Status::Failure(name + "=" + value + ": the name must end in .mp4, .m4v, .mov or .mkv");
      ThisRun.videoFile = ExpandHome(value);
      return {};
    case Id::TimedemoFile: ThisRun.timedemo = true, ThisRun.timedemoFile = ExpandHome(value); return {};
    case Id::Stills: return ParseStills(name, value);
    case Id::Readback: return ParseReadback(name, value);
    case Id::FrameSize: return ParseFrameSize(name, value);
    case Id::VideoRate:
      return ParseWhole(name, value, kSlowestVideoRate, kFastestVideoRate, "the frame rate", &ThisRun.videoRate);
    case Id::Crf: return ParseWhole(name, value, 0, 51, "the quality", &ThisRun.crf);
    case Id::Preset: return ParsePreset(name, value);
    default: return {};
  }
}

// One argument: a value option when it starts with one's name, else switches.
Status ApplyArgument(const std::string& argument, std::vector<Id>* given, bool (&hit)[kOptionCount],
                     OptionsAction* action) {
  for (const Option& o : kOptions) {
    if (!IsValueOption(o) || argument.rfind(o.name, 0) != 0) continue;
    const std::string name(o.name, std::strlen(o.name) - 1), value = argument.substr(std::strlen(o.name));
    if (std::find(given->begin(), given->end(), o.id) != given->end())
      return Status::Failure(name + " is given twice; say it once");
    given->push_back(o.id);
    if (value.empty()) return Status::Failure(argument + " needs a value, such as " + name + "=" + o.argument);
    return ApplyValue(o.id, name, value);
  }
  return FindSwitches(argument, hit, action);
}
}  // namespace

Status ParseOptions(const std::vector<std::string>& arguments, OptionsAction* action) {
  ResetToDefaults();
  *action = OptionsAction::Run;
  std::vector<Id> given;
  bool hit[kOptionCount] = {};
  for (const std::string& argument : arguments) {
    Status applied = ApplyArgument(argument, &given, hit, action);
    if (!applied.ok()) return applied;
  }
  ApplySwitches(hit, action);
  if (*action != OptionsAction::Run) return {};
  auto was = [&](Id id) { return std::find(given.begin(), given.end(), id) != given.end(); };
  bool sizeSwitch = false;
  for (size_t i = 0; i < kOptionCount; ++i) sizeSwitch |= hit[i] && kOptions[i].id == Id::Size;
  return SettleCombinations({.range = was(Id::Start) || was(Id::End), .sizeSwitch = sizeSwitch});
}

std::string OptionsHelpText() {
  std::string text = "usage: lumaro [options]\n";
  for (const Option& o : kOptions) {
    if (!*o.help) continue;
    std::string head =
        o.id == Id::Size ? "-w320 -w512 -w640 -w800 -w1024 -w1152 -w1280 -w1600" : std::string(o.name) + o.argument;
    std::string help = o.help;
    if (const size_t at = help.find("{length}"); at != std::string::npos) help.replace(at, 8, ShowLengthText());
    for (size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += 17) help.insert(at + 1, 16, ' ');
    text += "  " + head + (head.size() < 14 ? std::string(14 - head.size(), ' ') : "\n" + std::string(16, ' ')) + help +
            "\n";
  }
  return text +
         "Keys while the show plays:\n"
         "  Space         pause and go on (picture and music together)\n"
         "  Left, Right   the previous or next scene's start\n"
         "  F, Alt+Enter  full screen on or off\n"
         "  Escape        end the show (so do closing the window and Ctrl+C)\n"
         "In a window, the right mouse button opens a menu of drawing sizes.\n"
         "Each value is the rest of its argument: quote a value with spaces, as in \"-video=my show.mp4\".\n"
         "A FILE or DIR that starts with ~/ is in your home folder, as a shell reads it.\n";
}

}  // namespace lumaro
