// Encode-time comparison of the encoding core with the system JPEG library
// measured in the same run, on synthetic camera-like pictures at the
// application's settings (quality 90, no chroma subsampling). Prints times,
// ratios, file sizes and PSNR, the same with each kernel set, and where the
// time of one encode goes, stage by stage; asserts nothing.
//   reference (a): float DCT with optimal Huffman tables (the same algorithm)
//   reference (b): the library's default integer DCT and standard tables
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BgrSampler.h"
#include "Statistics.h"
#include "SymbolCoding.h"

namespace {

struct Picture {
  int width, height;
  std::vector<uint8_t> bgr;
};

// Smooth shading, a few edges and sensor-like noise: what a webcam delivers.
Picture MakeScene(int width, int height) {
  Picture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  std::mt19937 random(42);
  std::normal_distribution<float> noise(0.0f, 3.0f);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float u = static_cast<float>(x) / width, v = static_cast<float>(y) / height;
      const bool box = (x / (width / 8) + y / (height / 6)) % 5 == 0;
      float base[3] = {90 + 80 * u + 40 * std::sin(9 * v), 120 + 60 * std::cos(6 * u * v),
                       60 + 150 * v * u};
      uint8_t* px = &p.bgr[(static_cast<size_t>(y) * width + x) * 3];
      for (int c = 0; c < 3; ++c) {
        const float value = (box ? 255 - base[c] : base[c]) + noise(random);
        px[c] = static_cast<uint8_t>(std::clamp(value, 0.0f, 255.0f));
      }
    }
  }
  return p;
}

void Sample(jpeg::JpegEncoder& e, const Picture& p, const jpeg::SampleKernels& kernels) {
  e.SetKernels(kernels);
  e.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  e.SetQuality(90);
  jpeg::SampleBgr(e, p.bgr.data(), static_cast<ptrdiff_t>(p.width) * 3, p.width, p.height);
}

std::vector<uint8_t> EncodeWith(const Picture& p, const jpeg::SampleKernels& kernels) {
  jpeg::JpegEncoder e;
  Sample(e, p, kernels);
  return e.EncodeFile();
}

__attribute__((noinline)) std::vector<uint8_t> EncodeOurs(const Picture& p) {
  return EncodeWith(p, jpeg::BestKernels());
}

std::vector<uint8_t> EncodeReference(const Picture& p, bool sameAlgorithm) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = p.width;
  cinfo.image_height = p.height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  for (int c = 0; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  if (sameAlgorithm) {
    cinfo.dct_method = JDCT_FLOAT;
    cinfo.optimize_coding = TRUE;
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(&p.bgr[static_cast<size_t>(cinfo.next_scanline) * p.width * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> file(buffer, buffer + size);
  free(buffer);
  return file;
}

// Separate entry points, so an instruction counter can attribute each.
__attribute__((noinline)) std::vector<uint8_t> EncodeReferenceA(const Picture& p) {
  return EncodeReference(p, true);
}
__attribute__((noinline)) std::vector<uint8_t> EncodeReferenceB(const Picture& p) {
  return EncodeReference(p, false);
}

double Psnr(const Picture& p, const std::vector<uint8_t>& file) {
  jpeg_decompress_struct dinfo;
  jpeg_error_mgr jerr;
  dinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&dinfo);
  jpeg_mem_src(&dinfo, file.data(), file.size());
  jpeg_read_header(&dinfo, TRUE);
  dinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&dinfo);
  std::vector<uint8_t> row(static_cast<size_t>(p.width) * 3);
  double squared = 0;
  while (dinfo.output_scanline < dinfo.output_height) {
    const int y = static_cast<int>(dinfo.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&dinfo, rows, 1);
    for (size_t i = 0; i < row.size(); ++i) {
      squared += std::pow(row[i] - p.bgr[static_cast<size_t>(y) * row.size() + i], 2);
    }
  }
  jpeg_finish_decompress(&dinfo);
  jpeg_destroy_decompress(&dinfo);
  return 10 * std::log10(255.0 * 255.0 * p.bgr.size() / squared);
}

double Milliseconds(const std::function<void()>& encode) {
  const auto t0 = std::chrono::steady_clock::now();
  encode();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Median times of several encoders, measured in turns so that load from
// other processes on the shared machine hits all of them alike; at least
// 15 rounds, more within a time budget.
std::vector<double> MedianMs(const std::vector<std::function<void()>>& encoders) {
  std::vector<std::vector<double>> times(encoders.size());
  const auto start = std::chrono::steady_clock::now();
  while (times[0].size() < 15 ||
         (times[0].size() < 101 && std::chrono::steady_clock::now() - start < std::chrono::seconds(3))) {
    for (size_t i = 0; i < encoders.size(); ++i) times[i].push_back(Milliseconds(encoders[i]));
  }
  std::vector<double> medians;
  for (auto& t : times) medians.push_back(Median(t));
  return medians;
}

void Compare(const Picture& p) {
  const std::vector<double> ms = MedianMs({[&] { EncodeOurs(p); }, [&] { EncodeReferenceA(p); },
                                           [&] { EncodeReferenceB(p); }});
  const double ours = ms[0], refA = ms[1], refB = ms[2];
  const auto fileOurs = EncodeOurs(p), fileA = EncodeReferenceA(p), fileB = EncodeReferenceB(p);
  std::printf("%dx%d  time ms: ours %.2f  (a) %.2f  (b) %.2f   speed ours/(a) %.2fx  ours/(b) %.2fx\n",
              p.width, p.height, ours, refA, refB, refA / ours, refB / ours);
  std::printf("          bytes: ours %zu  (a) %zu  (b) %zu   PSNR dB: ours %.2f  (a) %.2f  (b) %.2f\n",
              fileOurs.size(), fileA.size(), fileB.size(), Psnr(p, fileOurs), Psnr(p, fileA),
              Psnr(p, fileB));
}

// The whole encode with each kernel set, as speed ratios to the references.
void CompareKernelSets(const Picture& p) {
  const std::vector<const jpeg::SampleKernels*> sets = jpeg::AvailableKernels();
  std::vector<std::function<void()>> encoders = {[&] { EncodeReferenceA(p); }, [&] { EncodeReferenceB(p); }};
  for (const jpeg::SampleKernels* set : sets) encoders.push_back([&p, set] { EncodeWith(p, *set); });
  const std::vector<double> ms = MedianMs(encoders);
  for (size_t i = 0; i < sets.size(); ++i) {
    std::printf("          %-6s kernels: %.2f ms  speed /(a) %.2fx  /(b) %.2fx%s\n", sets[i]->name, ms[2 + i],
                ms[0] / ms[2 + i], ms[1] / ms[2 + i], sets[i] == &jpeg::BestKernels() ? "  (chosen)" : "");
  }
}

// Sampling's stages as growing prefixes of the per-block steps called one
// by one with the chosen kernels: steps 1 convert; 2 + transform;
// 3 + quantize; 4 + symbols. The kernels' fused loop does the same work
// without the calls between the steps.
void SampleSteps(const Picture& p, int steps) {
  const jpeg::SampleKernels& k = jpeg::BestKernels();
  const jpeg::PixelView view{p.bgr.data(), static_cast<ptrdiff_t>(p.width) * 3};
  // The luminance and chrominance divisors of quality 90, in the
  // transposed layout the kernels quantize in.
  jpeg::JpegEncoder settings;
  settings.SetQuality(90);
  constexpr jpeg::ZigZagIndex zigzag = jpeg::BuildTransposedZigZagIndex();
  alignas(32) float divisors[3][64];
  for (int i = 0; i < 3; ++i) {
    for (int t = 0; t < 64; ++t) divisors[i][t] = settings.Table(i == 0 ? 0 : 1).divisors[zigzag[t]];
  }
  alignas(32) float work[3][64];
  alignas(32) int16_t out[64];
  float* const w[3] = {work[0], work[1], work[2]};
  const size_t count = static_cast<size_t>(p.width / 8) * (p.height / 8);
  jpeg::BlockSymbols stores[3];
  jpeg::SymbolSink sinks[3];
  for (int i = 0; i < 3; ++i) {
    stores[i].Reset(count);
    sinks[i] = stores[i].Sink(static_cast<int>(count));
  }
  for (int y = 0; y < p.height; y += 8) {
    for (int x = 0; x < p.width; x += 8) {
      k.convert(view, x, y, jpeg::Channel::kY, 3, w);
      for (int i = 0; steps > 1 && i < 3; ++i) {
        k.transform(work[i]);
        if (steps < 3) continue;
        const uint64_t nonZero = k.quantize(work[i], divisors[i], out);
        if (steps > 3) jpeg::AppendBlockSymbols(out, nonZero, sinks[i]);
      }
    }
  }
}

// The encode's later stages on a sampled encoder.
struct Sampled {
  jpeg::JpegEncoder encoder;
  std::vector<std::vector<int>> scans;
  explicit Sampled(const Picture& p) {
    Sample(encoder, p, jpeg::BestKernels());
    encoder.EncodeFile();
    scans = jpeg::GroupScans(encoder.GetFrame().components);
  }
};

void BuildTables(const Sampled& s) {
  const jpeg::SymbolStatistics stats = jpeg::CountSymbols(s.encoder.GetFrame(), s.scans);
  for (int slot = 0; slot < 2; ++slot) {
    jpeg::ExpandTable(jpeg::GenerateOptimalTable(stats.dc[slot]), 11);
    jpeg::ExpandTable(jpeg::GenerateOptimalTable(stats.ac[slot]), 255);
  }
}

void CodeScans(const Sampled& s) {
  jpeg::ByteBuffer out;
  out.Reserve(static_cast<size_t>(s.encoder.GetFrame().width) * s.encoder.GetFrame().height / 4);
  jpeg::WriteScans(s.encoder.GetFrame(), s.scans, s.encoder.LastCodeTables(), out);
}

// Separate entry points, so an instruction counter can attribute each.
__attribute__((noinline)) void StageConvert(const Picture& p) { SampleSteps(p, 1); }
__attribute__((noinline)) void StageTransform(const Picture& p) { SampleSteps(p, 2); }
__attribute__((noinline)) void StageQuantize(const Picture& p) { SampleSteps(p, 3); }
__attribute__((noinline)) void StageSymbols(const Picture& p) { SampleSteps(p, 4); }
__attribute__((noinline)) void StageSampling(const Picture& p) {
  jpeg::JpegEncoder e;
  Sample(e, p, jpeg::BestKernels());
}
__attribute__((noinline)) void StageTables(const Sampled& s) { BuildTables(s); }
__attribute__((noinline)) void StageCoding(const Sampled& s) { CodeScans(s); }

// Where one encode's time goes with the chosen kernels.
void StageTimes(const Picture& p) {
  const Sampled sampled(p);
  const std::vector<double> ms = MedianMs({
      [&] { EncodeOurs(p); }, [&] { StageSampling(p); }, [&] { StageConvert(p); },
      [&] { StageTransform(p); }, [&] { StageQuantize(p); }, [&] { StageSymbols(p); },
      [&] { StageTables(sampled); }, [&] { StageCoding(sampled); },
  });
  const double total = ms[0], sampling = ms[1];
  const struct {
    const char* stage;
    double ms;
  } rows[] = {
      {"colour conversion", ms[2]},
      {"forward DCT", ms[3] - ms[2]},
      {"quantization", ms[4] - ms[3]},
      {"symbols and AC statistics", ms[5] - ms[4]},
      {"(saved by the fused kernel loop)", sampling - ms[5]},
      {"DC statistics and tables", ms[6]},
      {"Huffman coding", ms[7]},
      {"rest (set-up, headers, copies)", total - sampling - ms[6] - ms[7]},
  };
  std::printf("          stages of one encode (%s kernels, %.2f ms):\n", jpeg::BestKernels().name, total);
  for (const auto& row : rows) {
    std::printf("            %-34s %7.3f ms  %5.1f%%\n", row.stage, row.ms, 100.0 * row.ms / total);
  }
}

}  // namespace

// One encode of each kind per size and no timing, for an instruction
// counter (count_instructions.sh runs this under callgrind).
void EncodeOnce(int width, int height) {
  const Picture p = MakeScene(width, height);
  EncodeOurs(p);
  EncodeReferenceA(p);
  EncodeReferenceB(p);
}

// Each stage once, for the instruction counter's per-stage figures.
void StagesOnce(int width, int height) {
  const Picture p = MakeScene(width, height);
  const Sampled sampled(p);
  StageConvert(p);
  StageTransform(p);
  StageQuantize(p);
  StageSymbols(p);
  StageSampling(p);
  StageTables(sampled);
  StageCoding(sampled);
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--once") {
    EncodeOnce(std::atoi(argv[2]), std::atoi(argv[3]));
    return 0;
  }
  if (argc == 4 && std::string(argv[1]) == "--stages-once") {
    StagesOnce(std::atoi(argv[2]), std::atoi(argv[3]));
    return 0;
  }
  std::printf("quality 90, 4:4:4; (a) reference float DCT + optimal tables, (b) reference default\n");
  for (const auto& size : {std::pair{640, 480}, std::pair{1280, 960}}) {
    const Picture p = MakeScene(size.first, size.second);
    Compare(p);
    CompareKernelSets(p);
    StageTimes(p);
  }
  return 0;
}
