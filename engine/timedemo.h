// "-timedemo": each frame's time (drawing, the buffer swap and a finish of the GL pipeline)
// by scene, and the table of medians, 95th percentiles and worst frames made from them.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"

namespace lumaro {

constexpr int kBlankScene = 0;  // the last second, nothing drawn

void ResetTimedemo();
void RecordFrameTime(int scene, float clock, double milliseconds);
// When the first frame was done: the end of the start-up time.
std::chrono::steady_clock::time_point FirstFrameDone();

struct SceneTiming {
  int scene;  // 1..14, BlankScene, or -1 for the whole show
  uint32_t frames;
  double median, p95, worst;  // milliseconds
  double fps;                 // 1000 / median
};
// One row a scene that had frames, in show order, then the whole show.
std::vector<SceneTiming> TimedemoTable();
const char* SceneName(int scene);

struct TimedemoRun {
  std::string renderer;  // GL_RENDERER
  int width, height;
  double wallSeconds, startupMs, peakMegabytes;
};
std::string FormatTimedemoTable(const std::vector<SceneTiming>& rows, const TimedemoRun& run);
// The table as CSV at `path`, and every frame's time at path with "-frames" before the
// extension.
Status WriteTimedemoCsv(const std::string& path, const std::vector<SceneTiming>& rows, const TimedemoRun& run);

}  // namespace lumaro
