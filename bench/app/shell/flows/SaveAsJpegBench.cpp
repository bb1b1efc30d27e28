// SaveAsJpeg on a 1280x960 camera-like bitmap: the median of several runs
// printed as ratios against the 40 ms target and against copying the same
// bitmap file, measured in the same run. Asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Global.h"
#include "PictureFlows.h"
#include "common/UniqueHandle.h"

using namespace torvane;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;
constexpr int kRuns = 15;
constexpr double kTargetMs = 40.0;

class SilentPrompter : public Prompter {
 public:
  std::wstring MessBox(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&) override {
    return L"&OK";
  }
  void SystemMessage(const std::wstring& text) override { std::fwprintf(stderr, L"message: %ls\n", text.c_str()); }
  std::optional<std::wstring> SaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
};

// Smooth gradients with some texture, like a camera picture.
void WriteBitmap(const std::wstring& path) {
  const int stride = (kWidth * 3 + 3) & ~3;
  std::vector<BYTE> bytes(54 + static_cast<std::size_t>(stride) * kHeight);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(bytes.size()), 0, 0, 54};
  BITMAPINFOHEADER info{};
  info.biSize = 40;
  info.biWidth = kWidth;
  info.biHeight = kHeight;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::memcpy(bytes.data(), &file, sizeof(file));
  std::memcpy(bytes.data() + 14, &info, sizeof(info));
  unsigned seed = 12345;
  for (int y = 0; y < kHeight; ++y) {
    BYTE* row = bytes.data() + 54 + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int noise = static_cast<int>((seed >> 16) & 15);
      row[3 * x] = static_cast<BYTE>(128 + 100 * std::sin(x / 90.0) + noise);
      row[3 * x + 1] = static_cast<BYTE>((x + y) / 9 + noise);
      row[3 * x + 2] = static_cast<BYTE>(200 - y / 6 + noise);
    }
  }
  common::UniqueFile out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  ::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

template <typename F>
double MedianMs(F&& run) {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  run();  // warm-up
  for (int i = 0; i < kRuns; ++i) {
    ::QueryPerformanceCounter(&start);
    run();
    ::QueryPerformanceCounter(&end);
    times.push_back(1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring bitmap = std::wstring(folder) + L"flows-bench.tmp";
  const std::wstring jpeg = std::wstring(folder) + L"flows-bench.jpg";
  const std::wstring copy = std::wstring(folder) + L"flows-bench-copy.tmp";
  WriteBitmap(bitmap);

  SilentPrompter prompter;
  ProgramEnd end;
  ErrorTracker tracker(folder, prompter, end);
  FlowContext context{prompter, tracker, end, bitmap};
  Global().LastFileName = jpeg;

  const double save = MedianMs([&] { SaveAsJpeg(context); });
  const double reference = MedianMs([&] { ::CopyFileW(bitmap.c_str(), copy.c_str(), FALSE); });
  std::printf("SaveAsJpeg %dx%d, median of %d runs\n", kWidth, kHeight, kRuns);
  std::printf("  ratio to the %.0f ms target:           %.2f (below 1 meets it)\n", kTargetMs, save / kTargetMs);
  std::printf("  ratio to copying the bitmap file:      %.1f\n", reference > 0 ? save / reference : 0.0);
  ::DeleteFileW(bitmap.c_str());
  ::DeleteFileW(jpeg.c_str());
  ::DeleteFileW(copy.c_str());
  return 0;
}
