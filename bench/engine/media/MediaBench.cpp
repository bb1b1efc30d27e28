// Cost of the engine's per-frame media work at 640 x 480, printed as the
// share of one frame period at 15 and 30 frames a second: scene rendering,
// text stamp, motion measurement, MJPEG compression and a whole recorded
// frame; and the capture writer's cost of keeping its file readable after
// every frame, as a ratio to writing headers only at the end. Asserts
// nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "media/AviWriter.h"
#include "media/MjpegEncoder.h"
#include "media/MotionMeter.h"
#include "media/SceneRenderer.h"
#include "media/TextStamp.h"

namespace {

// Milliseconds per call, over `runs` calls after one warm-up call.
double MeasureMs(int runs, const std::function<void(int)>& work) {
  work(0);
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  for (int i = 1; i <= runs; ++i) work(i);
  ::QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart) / runs;
}

void Report(const char* what, double ms) {
  std::printf("%-34s %6.3f of a 15 fps period, %6.3f of a 30 fps period\n", what,
              ms / (1000.0 / 15), ms / (1000.0 / 30));
}

}  // namespace

int main() {
  constexpr int kWidth = 640, kHeight = 480;
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  media::SceneRenderer scene(1);
  media::Frame frame, previous;
  Report("scene render", MeasureMs(200, [&](int n) {
           scene.Render(kWidth, kHeight, static_cast<std::uint32_t>(n), now, frame);
         }));
  Report("text stamp", MeasureMs(100, [&](int) {
           media::DrawTextStamp(frame, "12:34:56 Camera 1", media::TextStampStyle());
         }));
  // The meter as the engine runs it: one Feed per camera frame, the frames
  // of the moving scene rendered beforehand.
  std::vector<media::Frame> frames(2);
  scene.Render(kWidth, kHeight, 0, now, frames[0]);
  scene.Render(kWidth, kHeight, 1, now, frames[1]);
  media::MotionMeter meter;
  Report("motion meter per frame", MeasureMs(400, [&](int n) { meter.Feed(frames[n & 1]); }));
  media::MjpegEncoder encoder;
  std::vector<std::uint8_t> jpeg;
  Report("MJPEG encode", MeasureMs(30, [&](int) { encoder.Encode(frame, jpeg); }));

  wchar_t folder[MAX_PATH], path[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  ::GetTempFileNameW(folder, L"mb", 0, path);
  media::MovieFormat format;
  format.width = kWidth, format.height = kHeight, format.coding = media::VideoCoding::kMjpeg;
  format.audio = media::AudioFormat{};
  media::AviWriter writer;
  if (SUCCEEDED(writer.Open(path, format))) {
    Report("recorded MJPEG frame with audio", MeasureMs(30, [&](int n) {
             scene.Render(kWidth, kHeight, static_cast<std::uint32_t>(n), now, frame);
             writer.AddVideoFrame(frame);
           }));
    writer.Close();
  }
  ::DeleteFileW(path);

  // The cost of keeping the capture file readable at every moment (the
  // header block rewritten after every frame), against writing the
  // headers only at the end, for the frames of both codings.
  const std::vector<media::Frame>& still = frames;
  for (media::VideoCoding coding : {media::VideoCoding::kUncompressedDib, media::VideoCoding::kMjpeg}) {
    // Alternating runs, the best of each: the machine's noise only adds.
    double best[2] = {1e9, 1e9};
    for (int round = 0; round < 5; ++round) {
      for (bool readable : {false, true}) {
        format.coding = coding;
        format.limits.keepReadable = readable;
        media::AviWriter timed;
        if (FAILED(timed.Open(path, format))) break;
        best[readable] = std::min(best[readable], MeasureMs(60, [&](int n) { timed.AddVideoFrame(still[n & 1]); }));
        timed.Close();
        ::DeleteFileW(path);
      }
    }
    std::printf("%-34s %6.3f ms a frame against %6.3f ms: ratio %.3f\n",
                coding == media::VideoCoding::kMjpeg ? "live headers, MJPEG + audio" : "live headers, DIB + audio",
                best[1], best[0], best[1] / best[0]);
  }
  return 0;
}
