// The portable encoding core behind cJpeg: settings, component layout,
// sampling of 24-bit pixels into quantized blocks, and assembly of the whole
// baseline JFIF file in memory. No platform header: the Windows class feeds
// it from a GDI bitmap, tests and tools from plain pixel buffers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BlockSampler.h"
#include "Quantization.h"
#include "SampleKernels.h"
#include "Scans.h"
#include "ScanEncoder.h"
#include "Tables.h"

namespace jpeg {

// The second COM segment of every file.
extern const char kIdentificationComment[];

class JpegEncoder {
 public:
  static constexpr int kMaxCommentLength = 65533;  // most a COM segment holds
  static constexpr int kMaxDimension = 65535;      // SOF0 holds 16-bit sizes

  JpegEncoder();

  int Quality() const { return quality_; }
  // 1..100 rebuilds both tables; any other value is ignored.
  void SetQuality(int quality);

  // Raises "Invalid Sampling Value"; all-zero chroma factors select grey.
  void SetSamplingFrequencies(int h1, int v1, int h2, int v2, int h3, int v3);

  const std::string& Comment() const { return comment_; }
  // Bytes in the ANSI code page; raises "Illegal Comment Length".
  void SetComment(const std::string& text);

  // Starts sampling a width x height picture: sets every component's
  // geometry and the frame size. False for sizes a frame cannot describe.
  bool BeginSampling(int width, int height);
  // Samples components first..first+count-1, which have the same size,
  // from their shared cw8 x ch8 pixel area (edges replicated).
  void SampleComponents(int first, int count, const PixelView& pixels);

  // The kernels sampling uses: the widest set the processor runs, unless
  // chosen (tests and benchmarks compare the sets; all give the same bytes).
  const SampleKernels& Kernels() const { return *kernels_; }
  void SetKernels(const SampleKernels& kernels) { kernels_ = &kernels; }

  // Builds the optimal tables and assembles the file.
  std::vector<uint8_t> EncodeFile();

  const Frame& GetFrame() const { return frame_; }
  const QuantTable& Table(int slot) const { return tables_[slot]; }
  const ZigZagIndex& ZigZag() const { return zigzag_; }
  const CodeTables& LastCodeTables() const { return codes_; }

 private:
  void RebuildTables(int quality);
  void OptimizeTables(const std::vector<std::vector<int>>& scans);

  ZigZagIndex zigzag_;
  BaseTable luminanceBase_, chrominanceBase_;
  int quality_ = 0;
  std::string comment_;
  int precision_ = 8;
  Frame frame_;
  QuantTable tables_[2];
  // Tables the coefficients were quantized with; the file declares these.
  QuantTable sampledTables_[2];
  CodeTables codes_;
  const SampleKernels* kernels_ = &BestKernels();
};

}  // namespace jpeg
