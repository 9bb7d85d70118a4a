// "-videosave": every frame as a numbered 24-bit TGA file (no footer).
#pragma once
#include <cstdint>
#include <string>

namespace lumaro {

// Creates the directory (with parents); false with a message when it cannot.
bool PrepareCapture(const char* directory);
void ReleaseCapture();

// Writes FrameNumber's file from the current read buffer. False with a message naming
// the file when it cannot be opened or fully written.
bool CaptureFrame(const char* directory);

std::string CaptureFileName(const char* directory, uint32_t frameNumber);  // DIR/000001.tga
void EncodeCaptureHeader(int width, int height, uint8_t header[18]);

}  // namespace lumaro
