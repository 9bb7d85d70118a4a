// One progress line on stderr during "-videosave": frame, demo time, rate, time left.
#pragma once

namespace lumaro {

void ReportProgress(float clock);  // at most a few times a second; only on a terminal unless "-progress"
void FinishProgress();             // ends the line

}  // namespace lumaro
