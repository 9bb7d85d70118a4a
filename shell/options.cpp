// The command line, from one table. The original switches are case-sensitive substring
// tests, in a fixed order, and stay so; the values of our own options are whole arguments,
// so a value never counts as a switch and may hold spaces.
#include "shell/options.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "base/run_state.h"
#include "shell/option_values.h"

namespace lumaro {

namespace {
// Where an option's value goes: a switch's store is called with an empty value.
using Store = Status (*)(const std::string& name, const std::string& value, RunPlan* plan);

struct Option {
  const char* name;       // a switch's text, or a value option's up to and with its '='
  const char* argument;   // what the help shows after a value option's '='
  const char* help;       // one line or more, each after the first indented under it;
                          // {length} is the show's length
  std::string byDefault;  // a value option's value when it is not given (and the help says so)
  Store store;
};

template <auto field, auto value>
Status Set(const std::string&, const std::string&, RunPlan* plan) {
  plan->*field = value;
  return {};
}
template <int32_t width, int32_t height>
Status Size(const std::string&, const std::string&, RunPlan* plan) {
  plan->ScreenWidth = width, plan->ScreenHeight = height;
  return {};
}
template <std::string RunPlan::*field>
Status Path(const std::string&, const std::string& value, RunPlan* plan) {
  plan->*field = ExpandHome(value);
  return {};
}

// In the order of the original's tests: with several sizes, the later row (the smaller
// size) wins.
const Option kOptions[] = {
    {"-window", "", "run in a resizable window instead of the full screen", "", Set<&RunPlan::Fullscreen, false>},
    {"-fps", "", "show the frame rate in the top-left corner", "", Set<&RunPlan::ShowFps, true>},
    {"-nosound", "", "no music and no audio device", "", Set<&RunPlan::SoundOn, false>},
    {"-loopsound", "", "play the music looped instead of once", "", Set<&RunPlan::LoopSound, true>},
    {"-videosave", "",
     "fixed 0.04 s steps; write every frame as a numbered TGA file and the music as\nsound.wav beside them", "",
     Set<&RunPlan::VideoSave, true>},
    {"-w1600", "", "", "", Size<1600, 1200>},
    {"-w1280", "", "", "", Size<1280, 1024>},
    {"-w1152", "", "", "", Size<1152, 864>},
    {"-w1024", "", "", "", Size<1024, 768>},
    {"-w800", "", "", "", Size<800, 600>},
    {"-w640", "", "", "", Size<640, 480>},
    {"-w512", "", "", "", Size<512, 384>},
    {"-w320", "", "drawing size (default {size}; -w1280 is 1280 x 1024)", "", Size<320, 240>},
    {"-video=", "FILE",
     "make FILE (.mp4, .m4v, .mov, .mkv) with the music, via ffmpeg;\noffscreen unless -window is given", "",
     [](auto& name, auto& value, RunPlan* plan) { return ParseVideoFile(name, value, &plan->videoFile); }},
    {"-timedemo=", "FILE.csv", "as -timedemo, and write each scene's frame times to FILE.csv", "",
     [](auto&, auto& value, RunPlan* plan) {
       plan->timedemo = true;
       return Path<&RunPlan::timedemoFile>("", value, plan);
     }},
    {"-timedemo", "", "draw the whole show as fast as possible on the fixed clock and print\neach scene's frame times",
     "", Set<&RunPlan::timedemo, true>},
    {"-flashcheck=", "FILE.csv", "as -flashcheck, and write every frame's measures to FILE.csv", "",
     [](auto&, auto& value, RunPlan* plan) {
       plan->flashCheck = true;
       return Path<&RunPlan::flashCheckFile>("", value, plan);
     }},
    {"-flashcheck", "",
     "draw the show on the fixed clock and measure its flashes against WCAG's\nthresholds: each stretch that fails, "
     "and whether it passes (exit code 4\nwhen it fails)",
     "", Set<&RunPlan::flashCheck, true>},
    {"-safe", "", "the passages that flash too much (in the lattice and the tunnel) tamed, so\nthat the show passes -flashcheck", "", Set<&RunPlan::safe, true>},
    {"-size=", "WxH",
     "the frame for -video, -videosave, -timedemo, -flashcheck and the window,\nany even size (as 1920x1080, "
     "3840x2160, 1080x1920): the 4:3 show in its middle",
     "",
     [](auto& name, auto& value, RunPlan* plan) {
       return ParseFrameSize(name, value, &plan->frameWidth, &plan->frameHeight);
     }},
    {"-widescreen", "", "with -size: the show fills the frame, seeing more to the sides", "",
     Set<&RunPlan::widescreen, true>},
    {"-videorate=", "N", "frames a second of -video, -videosave, -timedemo and -flashcheck", std::to_string(kDefaultVideoRate),
     [](auto& name, auto& value, RunPlan* plan) {
       return ParseWhole(name, value, kSlowestVideoRate, kFastestVideoRate, "the frame rate", &plan->videoRate);
     }},
    // x264's defaults: measured on the whole show at 800 x 600, these keep the quality of
    // "fast" at CRF 18 for well under half its processor time, which the drawing needs more.
    {"-crf=", "N", "x264's quality for -video, 0 (lossless) to 51", "18",
     [](auto& name, auto& value, RunPlan* plan) { return ParseWhole(name, value, 0, 51, "the quality", &plan->crf); }},
    {"-preset=", "NAME", "x264's speed for -video, ultrafast to veryslow", "ultrafast",
     [](auto& name, auto& value, RunPlan* plan) { return ParsePreset(name, value, &plan->preset); }},
    {"-headless", "",
     "render offscreen, no display needed: with -video, -videosave, -stills or\n-timedemo (or -end=S, to hear the "
     "music alone)",
     "", Set<&RunPlan::headless, true>},
    {"-seed=", "N", "seed the random generator with N (default: the calendar time)", "",
     [](auto& name, auto& value, RunPlan* plan) {
       plan->seedGiven = true;
       return ParseSeed(name, value, &plan->seed);
     }},
    {"-start=", "S", "begin at demo second S (0 up to {length})", "",
     [](auto& name, auto& value, RunPlan* plan) { return ParseSecond(name, value, &plan->startTime); }},
    {"-end=", "S", "end the run at demo second S (after the start, at most {length})", "",
     [](auto& name, auto& value, RunPlan* plan) { return ParseSecond(name, value, &plan->endTime); }},
    {"-videodir=", "DIR", "directory for captured frames", "demovideo", Path<&RunPlan::videoDir>},
    {"-stills=", "S,S,...",
     "capture only the frames at these demo seconds, numbered as in a\nwhole run (no sound track)", "",
     [](auto& name, auto& value, RunPlan* plan) { return ParseStills(name, value, &plan->stillTimes); }},
    {"-readback=", "HOW",
     "how captured frames come back: auto, direct, pack (pixel-pack\nbuffers) or sync (each written before the next); "
     "for comparisons",
     "", [](auto& name, auto& value, RunPlan* plan) { return ParseReadback(name, value, &plan->readback); }},
    {"-loop", "", "play the show again from its start (or -start) each time it ends", "",
     Set<&RunPlan::loopShow, true>},
    {"-novsync", "", "draw as fast as it goes, not in step with the screen", "", Set<&RunPlan::noVsync, true>},
    {"-progress", "", "progress line on stderr during captures even when it is no terminal", "",
     Set<&RunPlan::forceProgress, true>},
    {"-version", "", "the version (also --version)", "", Set<&RunPlan::action, OptionsAction::Version>},
    {"-help", "", "this text (also -h and --help)", "", Set<&RunPlan::action, OptionsAction::Help>},
};
constexpr size_t kOptionCount = std::size(kOptions);

bool IsValueOption(const Option& o) { return o.name[std::strlen(o.name) - 1] == '='; }
// "-w320" to "-w1600": the drawing sizes, one switch each.
bool IsSizeSwitch(const Option& o) { return o.name[1] == 'w' && std::isdigit(static_cast<unsigned char>(o.name[2])); }

std::string SizeNames() {
  std::string names;
  for (auto o = std::rbegin(kOptions); o != std::rend(kOptions); ++o)
    if (IsSizeSwitch(*o)) names.append(names.empty() ? "" : " ").append(o->name);
  return names;
}
Status NoSuchSize(const std::string& size) { return Status::Failure(size + " is not one of the sizes " + SizeNames()); }

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
    if (!IsSizeSwitch(o)) continue;
    const size_t length = std::strlen(o.name);
    for (size_t at = argument.find(o.name); at != std::string::npos; at = argument.find(o.name, at + 1)) {
      if (at + length >= argument.size() || !std::isdigit(static_cast<unsigned char>(argument[at + length]))) continue;
      const size_t end = argument.find_first_not_of("0123456789", at + 2);
      return NoSuchSize(argument.substr(at, end == std::string::npos ? std::string::npos : end - at));
    }
  }
  return {};
}

// What the arguments have said so far: the switches found, to apply in table order once all
// are read, and the value options given.
struct Said {
  bool hit[kOptionCount] = {};
  std::vector<const Option*> values;
  bool Gave(const char* name) const {
    return std::any_of(values.begin(), values.end(), [&](const Option* o) { return !std::strcmp(o->name, name); });
  }
};

// The switches an argument holds as substrings.
Status FindSwitches(const std::string& argument, Said* said, RunPlan* plan) {
  if (Status sizes = RefuseLongerSizes(argument); !sizes.ok()) return sizes;
  bool any = argument == "-h";
  if (any) plan->action = OptionsAction::Help;
  for (size_t i = 0; i < kOptionCount; ++i)
    if (!IsValueOption(kOptions[i]) && HoldsSwitch(argument, kOptions[i].name)) said->hit[i] = any = true;
  if (any) return {};
  if (argument.size() > 2 && argument.rfind("-w", 0) == 0 &&
      argument.find_first_not_of("0123456789", 2) == std::string::npos)
    return NoSuchSize(argument);
  return Status::Failure("'" + argument + "' is no option (see -help)");
}

// One argument: a value option when it starts with one's name, else switches.
Status ReadArgument(const std::string& argument, Said* said, RunPlan* plan) {
  for (const Option& o : kOptions) {
    if (!IsValueOption(o) || argument.rfind(o.name, 0) != 0) continue;
    const std::string name(o.name, std::strlen(o.name) - 1), value = argument.substr(std::strlen(o.name));
    if (said->Gave(o.name)) return Status::Failure(name + " is given twice; say it once");
    said->values.push_back(&o);
    if (value.empty()) return Status::Failure(argument + " needs a value, such as " + name + "=" + o.argument);
    return o.store(name, value, plan);
  }
  return FindSwitches(argument, said, plan);
}

Status SetDefaults(RunPlan* plan) {
  for (const Option& o : kOptions)
    if (!o.byDefault.empty())
      if (Status set = o.store(o.name, o.byDefault, plan); !set.ok()) return set;
  return {};
}
}  // namespace

Status ParseOptions(const std::vector<std::string>& arguments, RunPlan* plan) {
  RunPlan read;
  if (Status set = SetDefaults(&read); !set.ok()) return set;
  Said said;
  for (const std::string& argument : arguments)
    if (Status taken = ReadArgument(argument, &said, &read); !taken.ok()) return taken;
  // In the original's order, whatever order the arguments came in.
  for (size_t i = 0; i < kOptionCount; ++i)
    if (said.hit[i]) (void)kOptions[i].store(kOptions[i].name, "", &read);  // a switch cannot fail
  if (read.action == OptionsAction::Run) {
    bool sizeSwitch = false;
    for (size_t i = 0; i < kOptionCount; ++i) sizeSwitch |= said.hit[i] && IsSizeSwitch(kOptions[i]);
    const Given given{.range = said.Gave("-start=") || said.Gave("-end="),
                      .sizeSwitch = sizeSwitch,
                      .encoder = said.Gave("-crf=") || said.Gave("-preset=")};
    if (Status settled = SettleCombinations(given, &read); !settled.ok()) return settled;
  }
  *plan = read;
  return {};
}

// The keys of the player, as the help and the manual page list them.
const KeyRow kKeys[] = {
    {"Space", "pause and go on (picture and music together)"},
    {"Left, Right", "the previous or next scene's start"},
    {"F, Alt+Enter", "full screen on or off"},
    {"Escape", "end the show (so do closing the window and Ctrl+C)"},
};

std::vector<OptionRow> OptionRows() {
  const RunPlan plain;
  const std::string size = std::to_string(plain.ScreenWidth) + " x " + std::to_string(plain.ScreenHeight);
  std::vector<OptionRow> rows;
  for (const Option& o : kOptions) {
    if (!*o.help) continue;
    OptionRow row{IsSizeSwitch(o) ? SizeNames() : std::string(o.name) + o.argument, o.help, o.byDefault};
    for (const auto& [key, value] : {std::pair{"{length}", ShowLengthText()}, std::pair{"{size}", size}})
      if (const size_t at = row.help.find(key); at != std::string::npos) row.help.replace(at, std::strlen(key), value);
    rows.push_back(row);
  }
  return rows;
}

std::span<const KeyRow> KeyRows() { return kKeys; }

std::string OptionsHelpText() {
  constexpr size_t kHeadWidth = 14, kIndent = 16;  // columns of the option's name and of its help
  std::string text = "usage: lumaro [options]\n";
  for (const OptionRow& row : OptionRows()) {
    std::string help = row.help + (row.byDefault.empty() ? "" : " (default " + row.byDefault + ")");
    for (size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += kIndent + 1)
      help.insert(at + 1, kIndent, ' ');
    const std::string& head = row.heads;
    text += "  " + head +
            (head.size() < kHeadWidth ? std::string(kHeadWidth - head.size(), ' ') : "\n" + std::string(kIndent, ' ')) +
            help + "\n";
  }
  text += "Keys while the show plays:\n";
  for (const KeyRow& key : kKeys)
    text += "  " + std::string(key.keys) + std::string(kHeadWidth - std::strlen(key.keys), ' ') + key.action + "\n";
  return text +
         "In a window, the right mouse button opens a menu of drawing sizes.\n"
         "Each value is the rest of its argument: quote a value with spaces, as in \"-video=my show.mp4\".\n"
         "A FILE or DIR that starts with ~/ is in your home folder, as a shell reads it.\n";
}

}  // namespace lumaro
