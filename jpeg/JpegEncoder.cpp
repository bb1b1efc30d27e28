// Settings, sampling and file assembly of the encoding core.
#include "JpegEncoder.h"

#include <algorithm>

#include "JpegError.h"
#include "Segments.h"
#include "Statistics.h"

namespace jpeg {

const char kIdentificationComment[] =
    "Torvane baseline JPEG encoder\r\n"
    "Written by the Torvane developers\r\n"
    "After ITU-T T.81 | ISO/IEC 10918-1 and JFIF 1.01";

JpegEncoder::JpegEncoder()
    : zigzag_(BuildZigZagIndex()),
      luminanceBase_(LuminanceBaseTable(zigzag_)),
      chrominanceBase_(ChrominanceBaseTable(zigzag_)) {
  SetSamplingFrequencies(2, 2, 1, 1, 1, 1);
  SetQuality(75);
}

void JpegEncoder::SetQuality(int quality) {
  if (quality < 1 || quality > 100) return;
  RebuildTables(quality);
  quality_ = quality;
}

void JpegEncoder::RebuildTables(int quality) {
  QuantTable fresh[2];
  fresh[0].entries = ScaleBaseTable(luminanceBase_, quality);
  fresh[1].entries = ScaleBaseTable(chrominanceBase_, quality);
  BuildDivisors(fresh[0], zigzag_);
  BuildDivisors(fresh[1], zigzag_);
  tables_[0] = fresh[0];
  tables_[1] = fresh[1];
}

void JpegEncoder::SetSamplingFrequencies(int h1, int v1, int h2, int v2, int h3, int v3) {
  auto check = [](int factor) {
    if (factor < 1 || factor > 4) throw JpegError(1, "Invalid Sampling Value");
  };
  check(h1);
  check(v1);
  std::vector<Component> components;
  if (h2 == 0 && v2 == 0 && h3 == 0 && v3 == 0) {
    components.resize(1);
    components[0].h = components[0].v = 1;
  } else {
    check(h2);
    check(h3);
    check(v2);
    check(v3);
    components.resize(3);
    components[0].h = h1, components[0].v = v1, components[0].tq = 0;
    components[1].h = h2, components[1].v = v2, components[1].tq = 1;
    components[2].h = h3, components[2].v = v3, components[2].tq = 1;
  }
  frame_.components = std::move(components);
  frame_.width = frame_.height = 0;  // back to "not sampled"
  frame_.hmax = frame_.vmax = 1;
  for (const Component& c : frame_.components) {
    frame_.hmax = std::max(frame_.hmax, c.h);
    frame_.vmax = std::max(frame_.vmax, c.v);
  }
}

void JpegEncoder::SetComment(const std::string& text) {
  if (text.size() > static_cast<size_t>(kMaxCommentLength)) {
    throw JpegError(1, "Illegal Comment Length");
  }
  comment_ = text;
}

bool JpegEncoder::BeginSampling(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension) {
    return false;
  }
  precision_ = 8;
  frame_.width = width;
  frame_.height = height;
  for (size_t i = 0; i < frame_.components.size(); ++i) {
    Component& c = frame_.components[i];
    c.id = static_cast<int>(i) + 1;
    SetGeometry(c, width, height, frame_.hmax, frame_.vmax);
    c.blocks.Reset(0);
  }
  sampledTables_[0] = tables_[0];
  sampledTables_[1] = tables_[1];
  return true;
}

void JpegEncoder::SampleComponents(int first, int count, const PixelView& pixels) {
  BlockTarget targets[3];
  for (int i = 0; i < count; ++i) {
    Component& c = frame_.components[first + i];
    targets[i] = {&c, &sampledTables_[c.tq]};
  }
  SampleBlocks(targets, count, static_cast<Channel>(first), pixels, *kernels_);
}

void JpegEncoder::OptimizeTables(const std::vector<std::vector<int>>& scans) {
  const SymbolStatistics stats = CountSymbols(frame_, scans);
  const int largestDc = precision_ == 12 ? 15 : 11;
  const int slots = frame_.components.size() == 3 ? 2 : 1;
  for (int slot = 0; slot < slots; ++slot) {
    codes_.dc[slot] = ExpandTable(GenerateOptimalTable(stats.dc[slot]), largestDc);
    codes_.ac[slot] = ExpandTable(GenerateOptimalTable(stats.ac[slot]), 255);
  }
}

std::vector<uint8_t> JpegEncoder::EncodeFile() {
  const std::vector<std::vector<int>> scans = GroupScans(frame_.components);
  OptimizeTables(scans);
  const bool colour = frame_.components.size() == 3;

  ByteBuffer out;
  // Room for about two bits a pixel, more than the usual qualities need.
  out.Reserve(4096 + static_cast<size_t>(frame_.width) * frame_.height / 4);
  out.Marker(0xD8);
  WriteApp0(out);
  WriteComment(out, comment_);
  WriteComment(out, kIdentificationComment);
  WriteDqt(out, sampledTables_[0], 0, precision_);
  if (colour) WriteDqt(out, sampledTables_[1], 1, precision_);
  WriteSof0(out, frame_, precision_);
  WriteDht(out, codes_.dc[0].spec, 0, 0);
  WriteDht(out, codes_.ac[0].spec, 1, 0);
  if (colour) {
    WriteDht(out, codes_.dc[1].spec, 0, 1);
    WriteDht(out, codes_.ac[1].spec, 1, 1);
  }
  WriteScans(frame_, scans, codes_, out);
  out.Marker(0xD9);
  return out.Take();
}

}  // namespace jpeg
