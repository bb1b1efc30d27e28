// Bounded random loop over sizes, layouts, qualities and pixels, built with
// AddressSanitizer and UndefinedBehaviorSanitizer: any memory or arithmetic
// fault aborts. Each file must also be well formed, and every tenth one
// (with whole sampling ratios) is decoded by djpeg without a message.
// Usage: jpeg_fuzz [iterations] [seed]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "JpegError.h"
#include "JpegFileReader.h"
#include "TestPictures.h"

namespace {

int failures = 0;

void Fail(int iteration, const std::string& what) {
  std::fprintf(stderr, "iteration %d: %s\n", iteration, what.c_str());
  ++failures;
}

bool DecodesQuietly(const std::vector<uint8_t>& file) {
  const char* in = "jpeg_fuzz_case.jpg";
  std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
  const std::string command = std::string("djpeg -outfile /dev/null ") + in + " 2>jpeg_fuzz.err";
  const int status = std::system(command.c_str());
  std::ifstream err("jpeg_fuzz.err");
  return status == 0 && err.peek() == std::ifstream::traits_type::eof();
}

// djpeg only upsamples by whole ratios (Hmax / H); other layouts are valid
// files it declines to decode.
bool IntegralRatios(const jpeg::Frame& frame) {
  for (const auto& c : frame.components) {
    if (frame.hmax % c.h != 0 || frame.vmax % c.v != 0) return false;
  }
  return true;
}

bool WellFormed(const std::vector<uint8_t>& file) {
  const auto segments = jpegtest::ReadSegments(file);
  if (segments.size() < 8 || segments.front().marker != 0xD8 || segments.back().marker != 0xD9) {
    return false;
  }
  for (const auto& s : segments) {
    for (size_t i = 0; i < s.entropy.size(); ++i) {
      if (s.entropy[i] == 0xFF && (i + 1 >= s.entropy.size() || s.entropy[++i] != 0)) return false;
    }
  }
  return true;
}

void RunOne(std::mt19937& random, int iteration) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  jpeg::JpegEncoder e;
  int f[6];
  for (int& v : f) v = pick(0, 9) == 0 ? pick(-1, 5) : pick(1, 4);
  if (pick(0, 5) == 0) f[2] = f[3] = f[4] = f[5] = 0;
  try {
    e.SetSamplingFrequencies(f[0], f[1], f[2], f[3], f[4], f[5]);
  } catch (const jpeg::JpegError&) {
    // The previous (default) layout stays; carry on with it.
  }
  e.SetQuality(pick(-5, 110));
  const int width = pick(0, 4) == 0 ? pick(300, 900) : pick(1, 80);
  const int height = pick(1, 80);
  const auto pattern = static_cast<jpegtest::Pattern>(pick(0, 3));
  const jpegtest::Picture p = jpegtest::MakePicture(width, height, pattern, random());
  if (!jpeg::SampleBgr(e, p.bgr.data(), static_cast<ptrdiff_t>(width) * 3, width, height)) {
    return Fail(iteration, "sampling refused a valid size");
  }
  const std::vector<uint8_t> file = e.EncodeFile();
  if (!WellFormed(file)) return Fail(iteration, "malformed file");
  if (iteration % 10 == 0 && IntegralRatios(e.GetFrame()) && !DecodesQuietly(file)) {
    Fail(iteration, "djpeg complained about " + std::to_string(width) + "x" +
                        std::to_string(height));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 2000;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 20240601u;
  std::mt19937 random(seed);
  jpeg::JpegEncoder sizes;
  if (sizes.BeginSampling(0, 5) || sizes.BeginSampling(65536, 5) || sizes.BeginSampling(5, -1)) {
    Fail(-1, "impossible size accepted");
  }
  for (int i = 0; i < iterations; ++i) RunOne(random, i);
  std::printf("%d iterations, seed %u, %d failures\n", iterations, seed, failures);
  return failures == 0 ? 0 : 1;
}
