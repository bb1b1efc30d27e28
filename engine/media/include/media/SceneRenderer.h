// The synthetic camera's picture: a textured background, a disc that moves
// across it, a clock (hh:mm:ss) and a frame counter. The picture depends
// only on (camera seed, size, frame number, time), so tests can compare
// frames; consecutive frame numbers always move the disc, so motion is
// measurable. Different seeds give different colours and paths.
#pragma once

#include <windows.h>

#include <cstdint>

#include "media/Frame.h"

namespace media {

class SceneRenderer {
 public:
  static constexpr int kMinWidth = 16, kMinHeight = 16;
  // Frames the disc takes to cross the picture once.
  static constexpr std::uint32_t kCrossingFrames = 60;

  explicit SceneRenderer(std::uint32_t cameraSeed = 0) noexcept : seed_(cameraSeed) {}

  // Renders into out, (re)sizing it to width x height. E_INVALIDARG for a
  // size below kMinWidth x kMinHeight or above Frame::kMaxDimension.
  HRESULT Render(int width, int height, std::uint32_t frameNumber, const SYSTEMTIME& localTime,
                 Frame& out);

  // The same picture, for a frame that holds this renderer's previous
  // RenderNext output untouched (a camera's own live frame): only what the
  // previous frame drew over the background is restored before drawing,
  // instead of copying the whole background. Any other frame is rendered
  // in full.
  HRESULT RenderNext(int width, int height, std::uint32_t frameNumber, const SYSTEMTIME& localTime,
                     Frame& out);

  // Centre and radius of the disc in frame frameNumber (top-down pixels).
  struct Disc {
    int centreX, centreY, radius;
  };
  Disc DiscAt(int width, int height, std::uint32_t frameNumber) const noexcept;

 private:
  // A rectangle drawn over the background (top-down pixels).
  struct Area {
    int x = 0, y = 0, width = 0, height = 0;
  };
  static constexpr int kDrawnAreas = 3;  // disc, clock, counter

  HRESULT PrepareBackground(int width, int height);
  HRESULT RenderWhole(int width, int height, std::uint32_t frameNumber, const SYSTEMTIME& localTime, Frame& out,
                      Area* drawn);
  // Each returns the rectangle it drew into.
  Area DrawDisc(Frame& frame, std::uint32_t frameNumber) const;
  Area DrawClock(Frame& frame, const SYSTEMTIME& localTime) const;
  Area DrawCounter(Frame& frame, std::uint32_t frameNumber) const;
  void DrawScene(Frame& frame, std::uint32_t frameNumber, const SYSTEMTIME& localTime, Area* drawn) const;
  void Restore(Frame& frame, const Area& area) const;

  std::uint32_t seed_;
  Frame background_;  // cached: only the size changes it
  // The last RenderNext output: its pixel block and the areas drawn.
  const std::uint8_t* nextBits_ = nullptr;
  Area nextDrawn_[kDrawnAreas];
};

}  // namespace media
