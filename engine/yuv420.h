// Frames for the video encoder in the form H.264 stores them: 8-bit planar 4:2:0 in studio
// range, converted here on the writer's thread so that the encoder only encodes, the pipe
// carries half the bytes of RGB, and the matrix is the one the file's tags name.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lumaro {

enum class ColourMatrix { Bt601, Bt709 };
constexpr int kFirstHdHeight = 720;  // players take BT.709 from 720 lines up, BT.601 below
inline ColourMatrix VideoMatrixFor(int height) {
  return height >= kFirstHdHeight ? ColourMatrix::Bt709 : ColourMatrix::Bt601;
}

// The video's size: H.264's 4:2:0 wants even sides, so an odd side gains one row or column,
// a copy of its last.
inline int EvenSide(int side) { return side + (side & 1); }
size_t Yuv420Bytes(int width, int height);

// BGRA rows bottom first (as GL reads them), `width` x `height`, into Y, then Cb, then Cr
// planes top row first, of the even size; each chroma sample is its 2 x 2 block's mean.
void ConvertToYuv420(const uint8_t* bgra, int width, int height, ColourMatrix matrix, uint8_t* yuv);

}  // namespace lumaro
