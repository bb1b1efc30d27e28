// The progress window's bar and texts.
#include "ProgressBar.h"

namespace torvane {

std::optional<ProgressSegment> SegmentFor(long c, long T, double trackTwips) {
  if (c < 1 || T < 1) return std::nullopt;
  const double width = trackTwips / static_cast<double>(T);
  ProgressSegment segment;
  segment.bordered = width >= kBorderedSegmentTwips;
  if (segment.bordered) {
    segment.element = static_cast<int>(c - 1);
    segment.left = width * static_cast<double>(c - 1);
    segment.width = width;
  } else {
    segment.width = width * static_cast<double>(c);  // element 0 grows
  }
  return segment;
}

std::wstring ProgressIntervalText(long interval) {
  return L"Taking a snap-shot every " + std::to_wstring(interval) + L" seconds...";
}

std::wstring ProgressCountText(long c, long T) {
  return std::to_wstring(c) + L" of " + std::to_wstring(T) + L" pictures captured";
}

}  // namespace torvane
