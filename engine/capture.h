// "-videosave" and "-video": every frame read back and handed to the frame writer, as a
// numbered 24-bit TGA file (no footer) or into the video encoder's stream. Frames are read
// through two pixel-pack buffers: frame n is read while frame n - 1 is copied out.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace lumaro {

// TGA files: creates the directory (with parents) and starts the writer; false with a
// message when it cannot.
bool PrepareCapture(const char* directory);
// The encoder's streams instead of files (the capture owns and closes them from here); the
// video's size is the drawing size now.
bool PrepareStreamCapture(std::FILE* video, std::FILE* audio);

// Reads the frame just drawn and queues it. False (with a message) once writing failed.
bool CaptureFrame();
// Writes everything still in flight, then stops the writer; false when anything failed.
bool FinishCapture();
void ReleaseCapture();

std::string CaptureFileName(const char* directory, uint32_t frameNumber);  // DIR/000001.tga
void EncodeCaptureHeader(int width, int height, uint8_t header[18]);
// Frames a fixed-clock run writes from "-start" to "-end" (or the show's end), and the
// number of the first of them.
uint32_t CaptureFrameTotal();
uint32_t FirstCaptureNumber();

}  // namespace lumaro
