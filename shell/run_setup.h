// The plan of the run handed out: each module's part of it, as the settings it takes.
#pragma once
#include "engine/flash_watch.h"
#include "engine/show.h"
#include "shell/module_search.h"
#include "shell/options.h"
#include "shell/platform.h"
#include "shell/recording.h"

namespace lumaro {

ShowSettings ShowSettingsOf(const RunPlan& plan, const FoundModule& module);
WindowSettings WindowSettingsOf(const RunPlan& plan);
RecordingSettings RecordingSettingsOf(const RunPlan& plan);
FlashWatchSettings FlashWatchSettingsOf(const RunPlan& plan);

}  // namespace lumaro
