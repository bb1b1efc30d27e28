// The video hook: the engine's shared frame image "VX_MEMORY_IMAGE_1_0"
// and the control's own buffer at the capture size. Frames of the capture
// size are handed out in place; other sizes are converted into the buffer.
#pragma once

#include <windows.h>

#include <vector>

#include "common/UniqueHandle.h"

namespace portal {

// Converts a 24-bit bottom-up image into a buffer of another size: smaller
// buffers take every k-th pixel of every m-th row, buffers 2 or 4 times
// larger repeat pixels and rows; any other ratio leaves the buffer alone
// and returns false. Source rows are sourceStride bytes apart, buffer
// rows width * 3.
bool ConvertHookFrame(const BYTE* source, LONG sourceWidth, LONG sourceHeight, LONG sourceStride, BYTE* buffer,
                      LONG width, LONG height);

class HookImage {
 public:
  // Opens the engine's mapping and sizes the buffer for width x height.
  bool Open(LONG width, LONG height);
  void Close();
  bool IsOpen() const { return view_.valid(); }
  // Reallocates the buffer for a new capture size (mapping stays open).
  void Resize(LONG width, LONG height);

  // Prepares the newest frame; header and pixels point into the mapping or
  // into the buffer. False when the mapped image is unusable.
  bool Prepare(const BITMAPINFOHEADER** header, const BYTE** pixels);

 private:
  common::UniqueKernelHandle mapping_;
  common::UniqueMappedView view_;
  SIZE_T viewSize_ = 0;
  std::vector<BYTE> buffer_;  // BITMAPINFOHEADER + width * height * 3
};

}  // namespace portal
