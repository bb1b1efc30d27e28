// Independent decoding: pictures of many sizes, layouts and contents are
// encoded by the core and decoded by djpeg, which must report nothing and
// give back the picture within a stated PSNR floor at quality 90.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "TestPictures.h"

namespace {

using jpegtest::Layout;
using jpegtest::Pattern;
using jpegtest::Picture;

struct Decoded {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // or grey samples
  int channels = 0;
  std::string warnings;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Decoded RunDjpeg(const std::vector<uint8_t>& jpegFile) {
  // Named after this process: other test runs on the machine share the
  // temporary folder.
  const std::string dir = ::testing::TempDir() + "roundtrip-" + std::to_string(::getpid());
  const std::string in = dir + ".jpg", out = dir + ".pnm", err = dir + ".err";
  std::ofstream(in, std::ios::binary)
      .write(reinterpret_cast<const char*>(jpegFile.data()), jpegFile.size());
  const std::string command = "djpeg -pnm -outfile " + out + " " + in + " 2>" + err;
  Decoded d;
  if (std::system(command.c_str()) != 0) d.warnings = "djpeg failed. ";
  d.warnings += ReadAll(err);
  std::ifstream pnm(out, std::ios::binary);
  std::string magic;
  int maxval = 0;
  pnm >> magic >> d.width >> d.height >> maxval;
  pnm.get();
  d.channels = magic == "P6" ? 3 : 1;
  d.rgb.resize(static_cast<size_t>(d.width) * d.height * d.channels);
  pnm.read(reinterpret_cast<char*>(d.rgb.data()), d.rgb.size());
  return d;
}

double Psnr(const Picture& p, const Decoded& d) {
  double squared = 0;
  const size_t n = static_cast<size_t>(p.width) * p.height;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* bgr = &p.bgr[i * 3];
    if (d.channels == 3) {
      for (int c = 0; c < 3; ++c) squared += std::pow(bgr[2 - c] - d.rgb[i * 3 + c], 2);
    } else {
      const double grey = 0.299 * bgr[2] + 0.587 * bgr[1] + 0.114 * bgr[0];
      squared += 3 * std::pow(grey - d.rgb[i], 2);
    }
  }
  const double mse = squared / (3.0 * n);
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// Floors at quality 90: smooth content survives well even with subsampled
// chrominance; random noise loses most of its fine detail (and all its
// colour detail when subsampled), so only gross decoding faults (a shifted
// block, a wrong table) would drop below these.
double Floor(Pattern pattern, const Layout& l) {
  const bool subsampled = l.h2 && (l.h1 != l.h2 || l.v1 != l.v2 || l.h1 != l.h3 || l.v1 != l.v3);
  if (pattern == Pattern::kNoise) return subsampled ? 9.0 : 20.0;
  return subsampled ? 28.0 : 34.0;
}

void ExpectRoundTrip(const Picture& p, Pattern pattern, const Layout& l) {
  SCOPED_TRACE(::testing::Message() << p.width << "x" << p.height << " layout " << l.h1 << l.v1
                                    << l.h2 << l.v2 << l.h3 << l.v3 << " pattern "
                                    << static_cast<int>(pattern));
  const Decoded d = RunDjpeg(jpegtest::Encode(p, l, 90));
  EXPECT_EQ(d.warnings, "");
  ASSERT_EQ(d.width, p.width);
  ASSERT_EQ(d.height, p.height);
  EXPECT_EQ(d.channels, l.h2 ? 3 : 1);
  EXPECT_GE(Psnr(p, d), Floor(pattern, l));
}

const Layout kLayouts[] = {{1, 1, 1, 1, 1, 1}, {2, 2, 1, 1, 1, 1}, {2, 1, 1, 1, 1, 1},
                           {1, 2, 1, 1, 1, 1}, {4, 1, 1, 1, 1, 1}, {4, 4, 1, 1, 1, 1},
                           {3, 2, 1, 1, 1, 1}, {1, 1, 2, 2, 1, 1}, {2, 2, 2, 2, 2, 2},
                           {1, 1, 0, 0, 0, 0}, {2, 2, 1, 2, 2, 1}};

TEST(JpegDjpegRoundTrip, EveryLayoutAtOddAndEvenSizes) {
  const int sizes[][2] = {{1, 1}, {20, 12}, {7, 33}, {65, 17}, {129, 3}};
  for (const Layout& l : kLayouts) {
    for (const auto& s : sizes) {
      for (Pattern pattern : {Pattern::kFlat, Pattern::kGradient, Pattern::kNoise}) {
        ExpectRoundTrip(jpegtest::MakePicture(s[0], s[1], pattern), pattern, l);
      }
    }
  }
}

TEST(JpegDjpegRoundTrip, LargePicturesAtTheApplicationSettings) {
  const int sizes[][2] = {{640, 480}, {1280, 960}, {1023, 767}};
  for (const auto& s : sizes) {
    for (Pattern pattern : {Pattern::kGradient, Pattern::kNoise}) {
      ExpectRoundTrip(jpegtest::MakePicture(s[0], s[1], pattern), pattern,
                      jpegtest::kAppLayout);
    }
  }
}

}  // namespace
