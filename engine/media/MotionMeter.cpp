// Frame differencing for motion reports.
#include "media/MotionMeter.h"

#include <algorithm>
#include <cstdlib>

namespace media {

namespace {

// Every second pixel of every second row: a quarter of the work with no
// visible loss for objects of more than a few pixels.
constexpr int kSampleStep = 2;

std::vector<std::uint8_t> SampleBrightness(const Frame& frame) {
  std::vector<std::uint8_t> samples;
  samples.reserve(static_cast<std::size_t>((frame.Width() + 1) / 2) * ((frame.Height() + 1) / 2));
  for (int y = 0; y < frame.Height(); y += kSampleStep) {
    const std::uint8_t* p = frame.Row(y);
    for (int x = 0; x < frame.Width(); x += kSampleStep, p += 3 * kSampleStep) {
      samples.push_back(static_cast<std::uint8_t>((p[0] * 29 + p[1] * 150 + p[2] * 77) >> 8));
    }
  }
  return samples;
}

// Threshold 64 at sensitivity 1 down to 4 at 100; gain 1x up to 8x. The
// value is the changed share in percent times the gain, so a change over
// an eighth of the picture reads 100 at the highest sensitivity.
int Score(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
          int sensitivity) {
  const int threshold = 4 + (MotionMeter::kMaxSensitivity - sensitivity) * 60 / 99;
  std::size_t changed = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::abs(a[i] - b[i]) > threshold) ++changed;
  }
  if (changed == 0 || a.empty()) return 0;
  const double percent = 100.0 * static_cast<double>(changed) / static_cast<double>(a.size());
  const double gain = 1.0 + 7.0 * (sensitivity - 1) / 99.0;
  return std::clamp(static_cast<int>(percent * gain + 0.999), 1, 100);
}

}  // namespace

HRESULT MotionMeter::Compare(const Frame& previous, const Frame& current, int sensitivity,
                             int* value) {
  if (value == nullptr || previous.Empty() || !previous.SameSize(current) ||
      sensitivity < kMinSensitivity || sensitivity > kMaxSensitivity) {
    return E_INVALIDARG;
  }
  *value = Score(SampleBrightness(previous), SampleBrightness(current), sensitivity);
  return S_OK;
}

int MotionMeter::Feed(const Frame& frame, int sensitivity) {
  if (frame.Empty()) return 0;
  std::vector<std::uint8_t> samples = SampleBrightness(frame);
  const bool comparable = frame.Width() == width_ && frame.Height() == height_ &&
                          previous_.size() == samples.size();
  const int value = comparable
                        ? Score(previous_, samples,
                                std::clamp(sensitivity, kMinSensitivity, kMaxSensitivity))
                        : 0;
  previous_.swap(samples);
  width_ = frame.Width();
  height_ = frame.Height();
  return value;
}

}  // namespace media
