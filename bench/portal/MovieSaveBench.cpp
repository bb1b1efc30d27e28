// Throughput of a recorded movie's post-processing (AVIFile's editable
// streams saved without recompression, the saved file read back) against
// CopyFile of the same capture file, measured in the same run and printed
// as a ratio. Uncompressed 640 x 480 video without sound: the kind Wine 8's
// AVIFile copies (it refuses sound and MJPEG, which then move unchanged).
// Without the resource module no progress window is shown. Asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/movies/AviPostProcessor.h"
#include "media/AviWriter.h"

namespace {

constexpr int kFrames = 90;
constexpr int kRuns = 3;

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// Median milliseconds of kRuns runs; false when a run failed.
bool MedianMs(const std::function<bool()>& run, double* ms) {
  std::vector<double> times;
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < kRuns; ++i) {
    ::QueryPerformanceCounter(&start);
    if (!run()) return false;
    ::QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  *ms = times[kRuns / 2];
  return true;
}

}  // namespace

int main() {
  const std::wstring capture = TempPath(L"movie-save-bench-capture.avi");
  const std::wstring copy = TempPath(L"movie-save-bench-copy.avi");
  const std::wstring target = TempPath(L"movie-save-bench-target.avi");
  {
    media::MovieFormat format;
    format.width = 640;
    format.height = 480;
    media::AviWriter writer;
    media::Frame frame;
    frame.Allocate(640, 480);
    if (FAILED(writer.Open(capture, format))) return std::printf("the capture file cannot be written\n"), 1;
    for (int i = 0; i < kFrames; ++i) writer.AddVideoFrame(frame);
    writer.Close();
  }
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ::GetFileAttributesExW(capture.c_str(), GetFileExInfoStandard, &data);
  const double megabytes = static_cast<double>(data.nFileSizeLow) / (1024.0 * 1024.0);

  portal::AviPostProcessor postProcessor([] { return HWND{}; });
  double copyMs = 0, saveMs = 0;
  const bool copied = MedianMs([&] { return ::CopyFileW(capture.c_str(), copy.c_str(), FALSE) != FALSE; }, &copyMs);
  const bool saved = MedianMs([&] { return SUCCEEDED(postProcessor.Save(capture, target)); }, &saveMs);
  ::DeleteFileW(capture.c_str());
  ::DeleteFileW(copy.c_str());
  ::DeleteFileW(target.c_str());
  if (!copied || !saved) return std::printf("a run failed (copy %d, save %d)\n", copied, saved), 1;

  std::printf("capture file: %d frames, %.1f MiB (median of %d runs)\n", kFrames, megabytes, kRuns);
  std::printf("CopyFile:        %8.1f ms  %8.1f MiB/s\n", copyMs, megabytes * 1000.0 / copyMs);
  std::printf("post-processing: %8.1f ms  %8.1f MiB/s\n", saveMs, megabytes * 1000.0 / saveMs);
  std::printf("post-processing throughput / CopyFile throughput: %.3f\n", copyMs / saveMs);
  return 0;
}
