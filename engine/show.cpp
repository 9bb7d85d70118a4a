#include "engine/show.h"

namespace lumaro {

namespace {
ShowSettings Settings;
}  // namespace

void KeepShowSettings(const ShowSettings& settings) { Settings = settings; }
const ShowSettings& Show() { return Settings; }

}  // namespace lumaro
