#include "engine/timedemo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/new_file.h"
#include "scenes/scene_list.h"

namespace lumaro {

namespace {
struct FrameTime {
  int scene;
  float clock;
  double ms;
};
std::vector<FrameTime> Frames;
std::chrono::steady_clock::time_point FirstDone;

// The value below which the given share of the sorted times lie (nearest rank).
double Percentile(const std::vector<double>& sorted, double share) {
  const size_t rank = static_cast<size_t>(share * sorted.size() + 0.999999);
  return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

SceneTiming Summarise(int scene, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  return {scene,        static_cast<uint32_t>(n),      median, Percentile(times, 0.95),
          times.back(), median > 0 ? 1000 / median : 0};
}

std::string FramesPath(const std::string& path) {
  const size_t dot = path.find_last_of('.'), slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + "-frames";
  return path.substr(0, dot) + "-frames" + path.substr(dot);
}
}  // namespace

void ResetTimedemo() { Frames.clear(); }

void RecordFrameTime(int scene, float clock, double milliseconds) {
  if (Frames.empty()) FirstDone = std::chrono::steady_clock::now();
  Frames.push_back({scene, clock, milliseconds});
}

std::chrono::steady_clock::time_point FirstFrameDone() { return FirstDone; }

std::vector<SceneTiming> TimedemoTable() {
  std::vector<SceneTiming> rows;
  std::vector<double> all;
  std::vector<int> order;
  for (const SceneSlot& slot : kSchedule) order.push_back(slot.scene);
  order.push_back(kBlankScene);  // after the scenes
  for (int scene : order) {
    std::vector<double> times;
    for (const FrameTime& f : Frames)
      if (f.scene == scene) times.push_back(f.ms);
    if (!times.empty()) rows.push_back(Summarise(scene, times));
    all.insert(all.end(), times.begin(), times.end());
  }
  if (!all.empty()) rows.push_back(Summarise(-1, all));
  return rows;
}

const char* SceneName(int scene) {
  if (scene == kBlankScene) return "(nothing drawn)";
  for (const SceneSlot& slot : kSchedule)
    if (slot.scene == scene) return slot.name;
  return "the whole show";
}

std::string FormatTimedemoTable(const std::vector<SceneTiming>& rows, const TimedemoRun& run) {
  std::string text;
  char line[160];
  std::snprintf(line, sizeof line, "Lumaro timedemo at %d x %d on %s\n", run.width, run.height, run.renderer.c_str());
  text += line;
  text += "scene  what               frames  median ms   95% ms  worst ms      fps\n";
  for (const SceneTiming& r : rows) {
    const std::string label = r.scene < 0 ? "show" : r.scene == kBlankScene ? "-" : std::to_string(r.scene);
    std::snprintf(line, sizeof line, "%5s  %-16s %8u %10.2f %8.2f %9.2f %8.1f\n", label.c_str(), SceneName(r.scene),
                  r.frames, r.median, r.p95, r.worst, r.fps);
    text += line;
  }
  std::snprintf(line, sizeof line, "wall time %.1f s; start-up to the first frame %.0f ms; peak memory %.0f MB\n",
                run.wallSeconds, run.startupMs, run.peakMegabytes);
  return text + line;
}

Status WriteTimedemoCsv(const std::string& path, const std::vector<SceneTiming>& rows, const TimedemoRun& run) {
  // The whole run's figures are columns of the "show" row.
  std::string table = "scene,name,frames,median_ms,p95_ms,worst_ms,fps,wall_s,startup_ms,peak_mb\n";
  char line[200];
  for (const SceneTiming& r : rows) {
    const std::string label = r.scene < 0 ? "show" : r.scene == kBlankScene ? "blank" : std::to_string(r.scene);
    std::snprintf(line, sizeof line, "%s,%s,%u,%.3f,%.3f,%.3f,%.2f", label.c_str(), SceneName(r.scene), r.frames,
                  r.median, r.p95, r.worst, r.fps);
    table += line;
    if (r.scene < 0)
      std::snprintf(line, sizeof line, ",%.3f,%.1f,%.1f\n", run.wallSeconds, run.startupMs, run.peakMegabytes);
    table += r.scene < 0 ? line : ",,,\n";
  }
  std::string frames = "clock_s,scene,ms\n";
  for (const FrameTime& f : Frames) {
    std::snprintf(line, sizeof line, "%.2f,%d,%.3f\n", f.clock, f.scene, f.ms);
    frames += line;
  }
  // Both files or neither: the frames first, taken back when the table cannot follow.
  const std::string framesPath = FramesPath(path);
  Status written = WriteWholeFile(framesPath, frames);
  if (written.ok()) written = WriteWholeFile(path, table);
  if (!written.ok()) std::remove(framesPath.c_str());
  return written;
}

}  // namespace lumaro
