// "-videosave" and "-video": every frame read back and handed to the frame writer, as a
// numbered 24-bit TGA file (no footer) or into the video encoder's stream. On a graphics
// card frames are read through two pixel-pack buffers: frame n is read while frame n - 1
// is copied out.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/status.h"
#include "engine/capture_settings.h"
#include "engine/show.h"

namespace lumaro {

struct CapturedFrame;  // engine/frame_writer.h

// TGA files: creates the directory (with parents), warns about old frames and too little
// space, and starts the writer.
Status PrepareCapture(const CaptureSettings& settings);
// A sound track needs the module: the reason when the show found none.
Status CheckSoundtrackModule(const ShowSettings& show, bool soundtrack);
// The encoder's streams instead of files (the capture owns and closes them from here).
Status PrepareStreamCapture(const CaptureSettings& settings, std::FILE* video, std::FILE* audio);

// Each frame handed to `examine` (BGR, bottom row first) instead of being written.
Status PrepareExaminedCapture(const CaptureSettings& settings, Status (*examine)(const CapturedFrame& frame));

// Reads the frame just drawn and queues it under its number; fails once writing failed.
Status CaptureFrame(uint32_t frameNumber, float clock);
// Writes everything still in flight, then stops the writer: the capture's first failure, if
// any. Harmless when no capture ran.
Status FinishCapture();
void ReleaseCaptureBuffers();

// Frames a fixed-clock run writes from "-start" to "-end" (or the show's end), and the
// number of the first of them.
uint32_t CaptureFrameTotal();
uint32_t FirstCaptureNumber();
// Before anything is written: frames of an earlier run in the directory, and a capture
// that will not fit its disk, are worth a warning.
void WarnAboutOldFrames(const std::string& directory);
void WarnAboutSpace(const CaptureSettings& settings);

}  // namespace lumaro
