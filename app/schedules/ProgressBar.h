// The progress window's texts and its segmented bar without the window.
// The bar's track (fraProg) is divided into T segments of width track / T
// twips; each stored picture adds one, bordered when it is at least 50
// twips wide. Borderless segments side by side look like one bar, so they
// are one growing element: a long sequence never needs a window per
// picture (there are at most track / 50 bordered ones).
#pragma once

#include <optional>
#include <string>

namespace torvane {

inline constexpr double kBorderedSegmentTwips = 50;

struct ProgressSegment {
  int element = 0;     // index in the lblProg control array
  double left = 0;     // twips from the track's left edge
  double width = 0;    // twips
  bool bordered = true;
};

// The element that shows picture c of T; nothing for c < 1 (no element
// -1) or a total of 0 or less.
std::optional<ProgressSegment> SegmentFor(long c, long T, double trackTwips);

// "Taking a snap-shot every 10 seconds..."
std::wstring ProgressIntervalText(long interval);
// "2 of 5 pictures captured"
std::wstring ProgressCountText(long c, long T);

}  // namespace torvane
