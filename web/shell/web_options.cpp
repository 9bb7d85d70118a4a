#include "web/shell/web_options.h"

#include <cctype>
#include <vector>

#include "base/run_state.h"
#include "shell/options.h"
#include "web/shell/web_run.h"

namespace lumaro::web {

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// %XX escapes and '+' as a space, as a form's query has them.
std::string Decode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i] == '+' ? ' ' : text[i];
    }
  }
  return out;
}

constexpr const char* kPageOptions = "fps, seed=N, start=S, end=S, w=640, nosound, loop, safe, timedemo, stills=S,S";
constexpr const char* kPageNames[] = {"fps",  "seed", "start", "end",      "w",     "nosound",
                                      "loop", "safe", "timedemo", "stills", "still"};

bool IsPageName(const std::string& name) {
  for (const char* known : kPageNames)
    if (name == known) return true;
  return false;
}

// The desktop program's options that mean nothing in a browser, and why: a switch matches
// its name, a value option (with its '=') the start of the item.
struct DesktopOnly {
  const char* name;
  const char* why;
};
constexpr DesktopOnly kDesktopOnly[] = {
    {"window", "the page is the window; F shows it full screen"},
    {"headless", "the page always draws into its canvas"},
    {"size=", "the page fits the 4:3 picture to the window; w= sets its drawing size"},
    {"widescreen", "the page fits the 4:3 picture to the window"},
    {"video=", "the page makes no video files"},
    {"videosave", "the page writes no frame files"},
    {"videodir=", "the page writes no frame files"},
    {"videorate=", "the page makes no video files"},
    {"crf=", "the page makes no video files"},
    {"preset=", "the page makes no video files"},
    {"readback=", "the page writes no frame files"},
    {"timedemo=", "the page writes no files; its timedemo shows the table on the page"},
    {"novsync", "the page draws on the browser's beat"},
    {"progress", "the page writes no progress line"},
    {"flashcheck", "the page measures no flashes; the desktop program does (-flashcheck)"},
};

// The query's item as the page names it, when the page takes no such option.
Status CheckPageItem(const std::string& item) {
  const std::string name = item.substr(0, item.find('='));
  for (const DesktopOnly& d : kDesktopOnly) {
    const std::string entry = d.name;
    const bool matches = entry.back() == '=' ? item.rfind(entry, 0) == 0 : name == entry;
    if (matches) return Status::Failure("?" + item + " is the desktop program's option: " + d.why);
  }
  if (IsPageName(name)) return {};
  return Status::Failure("?" + item + " is no option of the page; it takes " + kPageOptions);
}

// The desktop's messages name its options with a dash ("-seed=abc", "-w641", "-loopsound"):
// the page names them as its query does ("?seed=abc", "?w=641", "?loop").
std::string PageWording(const std::string& text) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    if (text[at] == '-' && (at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1])))) {
      size_t end = at + 1;
      while (end < text.size() && std::islower(static_cast<unsigned char>(text[end]))) ++end;
      std::string name = text.substr(at + 1, end - at - 1);
      if (name == "loopsound") name = "loop";
      const bool size = name == "w" && end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]));
      if (size || (name != "w" && IsPageName(name))) {
        out += "?" + name + (size ? "=" : "");
        at = end;
        continue;
      }
    }
    out += text[at++];
  }
  return out;
}

// "?fps&seed=1&w=640&loop&still=2" as the desktop's arguments: "-fps -seed=1 -w640
// -loopsound -stills=2". The page's names are the options' own without their dash, but for
// the size, the looped music and a single still.
Status Arguments(const std::string& query, std::vector<std::string>* out) {
  std::vector<std::string>& arguments = *out;
  for (size_t at = !query.empty() && query[0] == '?' ? 1 : 0; at < query.size();) {
    size_t end = query.find('&', at);
    if (end == std::string::npos) end = query.size();
    const std::string pair = Decode(query.substr(at, end - at));
    at = end + 1;
    if (pair.empty()) continue;
    if (Status known = CheckPageItem(pair); !known.ok()) return known;
    const size_t equals = pair.find('=');
    const std::string name = pair.substr(0, equals), value = equals == std::string::npos ? "" : pair.substr(equals);
    if (name == "w")
      arguments.push_back("-w" + value.substr(value.empty() ? 0 : 1));
    else if (name == "loop")
      arguments.push_back("-loopsound" + value);
    else if (name == "still")
      arguments.push_back("-stills" + value);
    else
      arguments.push_back("-" + pair);
  }
  return {};
}
}  // namespace

Status ApplyQuery(const std::string& query, ShowSettings* show, DrawingArea* area) {
  std::vector<std::string> arguments;
  if (Status known = Arguments(query, &arguments); !known.ok()) return known;
  RunPlan plan;
  const Status parsed = ParseOptions(arguments, &plan);
  if (!parsed.ok()) return Status::Failure(PageWording(parsed.why()));
  if (plan.action != OptionsAction::Run) return Status::Failure("the page has no help or version to show");
  Web.stills = plan.stillTimes;
  Web.nextStill = 0;
  Web.mode = !Web.stills.empty() ? Mode::Stills : plan.timedemo ? Mode::Timedemo : Mode::Live;
  if (!Web.stills.empty() && plan.timedemo)
    return Status::Failure("timedemo times the drawing alone: leave out stills");
  // A page draws into its canvas, 4:3 whatever the size's name, and captures nothing: its
  // stills and its timedemo run on the fixed clock, which the engine gives the timedemo.
  *area = {.ScreenWidth = plan.ScreenWidth, .ScreenHeight = plan.ScreenWidth * 3 / 4, .widescreen = false};
  const bool fixed = Web.mode != Mode::Live;
  *show = {};
  show->start = plan.startTime;
  show->end = plan.endTime;
  show->fixedClock = show->timedemo = fixed;
  show->ShowFps = plan.ShowFps;
  show->SoundOn = plan.SoundOn && !fixed;
  show->LoopSound = plan.LoopSound;
  show->seedGiven = plan.seedGiven;
  show->seed = plan.seed;
  show->safe = plan.safe;
  show->modulePath = "SongM.xm";  // in the page's own files
  return {};
}

}  // namespace lumaro::web
