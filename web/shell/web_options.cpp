#include "web/shell/web_options.h"

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

// "?fps&seed=1&w=640&loop&still=2" as the desktop's arguments: "-fps -seed=1 -w640
// -loopsound -stills=2". The page's names are the options' own without their dash, but for
// the size, the looped music and a single still.
std::vector<std::string> Arguments(const std::string& query) {
  std::vector<std::string> arguments;
  for (size_t at = !query.empty() && query[0] == '?' ? 1 : 0; at < query.size();) {
    size_t end = query.find('&', at);
    if (end == std::string::npos) end = query.size();
    const std::string pair = Decode(query.substr(at, end - at));
    at = end + 1;
    if (pair.empty()) continue;
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
  return arguments;
}
}  // namespace

Status ApplyQuery(const std::string& query) {
  OptionsAction action = OptionsAction::Run;
  const Status parsed = ParseOptions(Arguments(query), &action);
  if (!parsed.ok()) return parsed;
  if (action != OptionsAction::Run) return Status::Failure("the page has no help or version to show");
  // A page draws into its canvas, 4:3 whatever the size's name, and captures nothing: its
  // stills and its timedemo run on the fixed clock, which the engine gives the timedemo.
  Fullscreen = false;
  ScreenHeight = ScreenWidth * 3 / 4;
  Web.stills = ThisRun.stillTimes;
  Web.nextStill = 0;
  Web.mode = !Web.stills.empty() ? Mode::Stills : ThisRun.timedemo ? Mode::Timedemo : Mode::Live;
  if (!Web.stills.empty() && ThisRun.timedemo)
    return Status::Failure("timedemo times the drawing alone: leave out stills");
  VideoSave = false;
  ThisRun.stillTimes.clear();
  if (Web.mode != Mode::Live) ThisRun.timedemo = true;
  return {};
}

}  // namespace lumaro::web
