// Cell-wise frame differencing for motion reports.
#include "media/MotionMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace media {

namespace {

// The noise floor is the median cell difference plus this margin, but
// never above kMaxFloor: when most of the picture moves, the median is
// motion, not noise.
constexpr int kNoiseMargin = 8;
constexpr int kMaxFloor = 24;

// Every second pixel of every second row once the cells are large enough
// to hold plenty of samples; every pixel of small frames.
int SampleStep(int width, int height) {
  return width >= 8 * MotionMeter::kGridColumns && height >= 8 * MotionMeter::kGridRows ? 2 : 1;
}

struct Layout {
  int step = 1, columns = 0, rows = 0;  // sampled columns and rows
  std::vector<int> cellColumn, cellRow;  // cell of each sampled column / row
};

Layout LayoutFor(int width, int height) {
  Layout layout;
  layout.step = SampleStep(width, height);
  layout.columns = (width + layout.step - 1) / layout.step;
  layout.rows = (height + layout.step - 1) / layout.step;
  for (int i = 0; i < layout.columns; ++i) {
    layout.cellColumn.push_back(i * layout.step * MotionMeter::kGridColumns / width);
  }
  for (int j = 0; j < layout.rows; ++j) {
    layout.cellRow.push_back(j * layout.step * MotionMeter::kGridRows / height);
  }
  return layout;
}

void SampleBrightness(const Frame& frame, const Layout& layout, std::vector<std::uint8_t>& out) {
  out.resize(static_cast<std::size_t>(layout.columns) * layout.rows);
  std::uint8_t* sample = out.data();
  for (int y = 0; y < frame.Height(); y += layout.step) {
    const std::uint8_t* p = frame.Row(y);
    for (int i = 0; i < layout.columns; ++i, p += 3 * layout.step) {
      *sample++ = static_cast<std::uint8_t>((p[0] * 29 + p[1] * 150 + p[2] * 77) >> 8);
    }
  }
}

int Score(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
          const Layout& layout) {
  constexpr int kCells = MotionMeter::kGridColumns * MotionMeter::kGridRows;
  std::uint32_t sums[kCells] = {}, counts[kCells] = {};
  const std::uint8_t* pa = a.data();
  const std::uint8_t* pb = b.data();
  for (int j = 0; j < layout.rows; ++j) {
    const int rowBase = layout.cellRow[j] * MotionMeter::kGridColumns;
    for (int i = 0; i < layout.columns; ++i, ++pa, ++pb) {
      const int cell = rowBase + layout.cellColumn[i];
      sums[cell] += static_cast<std::uint32_t>(std::abs(*pa - *pb));
      ++counts[cell];
    }
  }
  // Mean difference of every cell that holds samples (a frame narrower
  // than the grid leaves some cells empty).
  float means[kCells];
  int used = 0;
  for (int cell = 0; cell < kCells; ++cell) {
    if (counts[cell]) means[used++] = static_cast<float>(sums[cell]) / static_cast<float>(counts[cell]);
  }
  if (used == 0) return 0;
  std::vector<float> sorted(means, means + used);
  std::nth_element(sorted.begin(), sorted.begin() + used / 2, sorted.end());
  const float floor = std::min(sorted[used / 2] + kNoiseMargin, static_cast<float>(kMaxFloor));
  double changed = 0;
  for (int k = 0; k < used; ++k) {
    if (means[k] > floor) changed += std::min(1.0, static_cast<double>(means[k] - floor) / MotionMeter::kFullChange);
  }
  const double share = changed / used;
  return std::clamp(static_cast<int>(std::lround(100.0 * std::sqrt(share))), 0, 100);
}

}  // namespace

HRESULT MotionMeter::Compare(const Frame& previous, const Frame& current, int* value) {
  if (value == nullptr || previous.Empty() || !previous.SameSize(current)) return E_INVALIDARG;
  const Layout layout = LayoutFor(current.Width(), current.Height());
  std::vector<std::uint8_t> a, b;
  SampleBrightness(previous, layout, a);
  SampleBrightness(current, layout, b);
  *value = Score(a, b, layout);
  return S_OK;
}

int MotionMeter::Feed(const Frame& frame) {
  if (frame.Empty()) return 0;
  const Layout layout = LayoutFor(frame.Width(), frame.Height());
  std::vector<std::uint8_t> samples;
  SampleBrightness(frame, layout, samples);
  const bool comparable = frame.Width() == width_ && frame.Height() == height_ &&
                          previous_.size() == samples.size();
  const int value = comparable ? Score(previous_, samples, layout) : 0;
  previous_.swap(samples);
  width_ = frame.Width();
  height_ = frame.Height();
  return value;
}

}  // namespace media
