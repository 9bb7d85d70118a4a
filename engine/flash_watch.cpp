#include "engine/flash_watch.h"

#include <cstdio>
#include <string>

#include "base/new_file.h"
#include "base/report.h"
#include "base/run_state.h"
#include "engine/capture.h"
#include "engine/flash_check.h"
#include "engine/frame_writer.h"
#include "engine/show.h"

namespace lumaro {

namespace {
struct FlashWatchState {
  FlashWatchSettings settings;
  std::string table;  // the CSV, kept in memory: a line a frame
  float firstTime = 0, lastTime = 0;
  uint32_t frames = 0;
};
FlashWatchState State;

constexpr const char* kTableHeader = "time,general_flashes,general_share,red_flashes,red_share,fails\n";

// On the writer's thread, in the frames' order.
Status Examine(const CapturedFrame& f) {
  if (State.frames == 0) StartFlashCheck({.frameWidth = f.width, .frameHeight = f.height});
  const FlashMeasure m = CheckFlashFrame({.pixels = f.pixels.pixels(), .pixelBytes = f.pixelBytes, .bgr = true, .time = f.clock});
  State.firstTime = State.frames++ ? State.firstTime : f.clock;
  State.lastTime = f.clock;
  if (!State.settings.tableFile.empty()) {
    char line[128];
    std::snprintf(line, sizeof line, "%.2f,%d,%.4f,%d,%.4f,%s\n", m.time, m.generalFlashes, m.generalShare,
                  m.redFlashes, m.redShare, FlashKindName(m.kind));
    State.table += line;
  }
  return {};
}

int Percent(double share) { return static_cast<int>(share * 100 + 0.5); }

// The verdict, a sentence with "passes" or "fails" in it.
std::string Verdict(size_t stretches) {
  char text[256];
  const int width = State.settings.capture.frameWidth, height = State.settings.capture.frameHeight;
  if (stretches == 0)
    std::snprintf(text, sizeof text,
                  "The show passes the flash check from %.2f s to %.2f s at %d x %d: nowhere more than three flashes "
                  "a second over a quarter of any 10-degree field.",
                  State.firstTime, State.lastTime, width, height);
  else
    std::snprintf(text, sizeof text,
                  "The show fails the flash check from %.2f s to %.2f s at %d x %d: %zu %s more than three flashes "
                  "a second over a quarter of any 10-degree field.",
                  State.firstTime, State.lastTime, width, height, stretches,
                  stretches == 1 ? "stretch has" : "stretches have");
  return text;
}
}  // namespace

std::string DescribeFlashStretch(const FlashStretch& s) {
  char text[160];
  std::snprintf(text, sizeof text, "from %.2f s to %.2f s: %s flashes, %d a second, over %d %% of a 10-degree field", s.from,
                s.to, FlashKindName(s.kind), s.mostFlashes, Percent(s.mostShare));
  return text;
}

Status StartFlashWatch(const FlashWatchSettings& settings) {
  State = {};
  State.settings = settings;
  if (!settings.tableFile.empty()) State.table = kTableHeader;
  return PrepareExaminedCapture(settings.capture, Examine);
}

bool EndFlashWatch(int signal) {
  const Status finished = FinishCapture();
  if (!finished.ok()) {
    Say(finished);
    MarkRunFailed();
    return true;
  }
  if (signal || ExitCode() != 0) {
    char text[96];
    std::snprintf(text, sizeof text, "the flash check stopped at demo time %.2f s: no verdict", State.lastTime);
    Say(text);
    return true;
  }
  std::string report;
  for (const FlashStretch& s : FlashStretches()) report += DescribeFlashStretch(s) + "\n";
  report += Verdict(FlashStretches().size()) + "\n";
  if (std::fputs(report.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
    Say(ErrnoFailure("cannot write the flash check's report to stdout", errno));
    MarkRunFailed();
  }
  if (!State.settings.tableFile.empty())
    if (const Status written = WriteWholeFile(State.settings.tableFile, State.table); !written.ok()) {
      Say(written);
      MarkRunFailed();
    }
  return FlashStretches().empty();
}

}  // namespace lumaro
