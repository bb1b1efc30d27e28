// The test-only virtual camera: a DirectShow source filter of the tests
// (filter/), registered in the video input device category of the test
// prefix. Shared by the filter and the tests: its identity, its control
// channel and the picture it delivers, so that a test can check every pixel
// the engine hands out.
#pragma once

#include <windows.h>

#include <cstdint>

namespace test_camera {

// {5A0D1C3E-8B7F-4E21-9C64-2F3B7A81D4E9}
inline constexpr GUID kFilterClsid = {0x5a0d1c3e, 0x8b7f, 0x4e21, {0x9c, 0x64, 0x2f, 0x3b, 0x7a, 0x81, 0xd4, 0xe9}};
// {C4E2A97B-3D15-4F88-B6A0-71E5D9C3F20A}
inline constexpr GUID kPageClsid = {0xc4e2a97b, 0x3d15, 0x4f88, {0xb6, 0xa0, 0x71, 0xe5, 0xd9, 0xc3, 0xf2, 0x0a}};

inline constexpr wchar_t kFriendlyName[] = L"Torvane Test Camera";
inline constexpr wchar_t kPageTitle[] = L"Test Camera Settings";
// The one label of the page.
inline constexpr wchar_t kPageText[] = L"Brightness is set through the camera's amplifier.";
inline constexpr wchar_t kFilterFile[] = L"test_camera_filter.dll";

// Control channel (named manual-reset events, across processes):
//  - kUnplugEvent set: the filter stops delivering and tells its graph
//    EC_DEVICE_LOST (device removed); reset: EC_DEVICE_LOST (available
//    again) and delivery resumes;
//  - kSilentEvent set: the filter stops delivering without telling anyone
//    (a device that hangs).
inline constexpr wchar_t kUnplugEvent[] = L"TorvaneTestCamera.Unplugged";
inline constexpr wchar_t kSilentEvent[] = L"TorvaneTestCamera.Silent";
// Set by the filter on every delivery; a test waits for it before it
// measures latency.
inline constexpr wchar_t kDeliveredEvent[] = L"TorvaneTestCamera.Delivered";
// The model of the camera, read when a filter object is made (the engine
// makes one when it lists the devices and one for each graph):
//  - kStillPinEvent set: the filter has a still pin (kStillSizes, RGB24)
//    that delivers one picture each time IAMVideoControl triggers it;
//  - kWithoutMjpgEvent set: the capture pin leaves out its MJPG size, so
//    that its largest size is 640 x 480 in RGB24.
inline constexpr wchar_t kStillPinEvent[] = L"TorvaneTestCamera.StillPin";
inline constexpr wchar_t kWithoutMjpgEvent[] = L"TorvaneTestCamera.WithoutMjpg";

inline constexpr int kFramesPerSecond = 15;
inline constexpr LONGLONG kFramePeriod100ns = 10000000 / kFramesPerSecond;

struct Size {
  int width, height;
};
// The sizes of the capture pin: the first three in RGB24 and YUY2, 352 x
// 288 only in YUY2 (the engine converts it), 800 x 600 only in MJPG (the
// graph decodes it).
inline constexpr Size kSizes[] = {{160, 120}, {320, 240}, {640, 480}, {352, 288}, {800, 600}};
inline constexpr int kSizeCount = 5;
inline constexpr int kRgbSizeCount = 3;
inline constexpr int kYuy2SizeCount = 4;
inline constexpr int kMjpgSize = 4;
inline constexpr Size kDefaultSize = {320, 240};
// The sizes of the still pin, RGB24 only; the engine takes the largest.
inline constexpr Size kStillSizes[] = {{1024, 768}, {1280, 960}};
inline constexpr Size kLargestStill = {1280, 960};

// Brightness as the filter's video processing amplifier offers it.
inline constexpr long kBrightnessMin = -64, kBrightnessMax = 64, kBrightnessDefault = 0;
// Zoom as the filter's camera control offers it (the picture ignores it).
inline constexpr long kZoomMin = 100, kZoomMax = 400, kZoomDefault = 100;

// The picture of frame `frame` (counted from 0 per run; the still pin
// counts its pictures from 0 per filter object): red grows from
// left to right, green from top to bottom, blue is 128 + brightness, and
// the frame number's low 16 bits stand in the top-left 128 x 8 pixels as
// 16 blocks of 8 x 8, white for a set bit (most significant first).
inline constexpr int kBitBlock = 8, kBits = 16;

inline bool InFrameNumber(int x, int y) { return y < kBitBlock && x < kBitBlock * kBits; }

inline void Pixel(int x, int y, int width, int height, std::uint32_t frame, long brightness,
                  std::uint8_t* r, std::uint8_t* g, std::uint8_t* b) {
  if (InFrameNumber(x, y)) {
    const bool set = (frame >> (kBits - 1 - x / kBitBlock)) & 1u;
    *r = *g = *b = set ? 255 : 0;
    return;
  }
  *r = static_cast<std::uint8_t>(width > 1 ? x * 255 / (width - 1) : 0);
  *g = static_cast<std::uint8_t>(height > 1 ? y * 255 / (height - 1) : 0);
  const long blue = 128 + brightness;
  *b = static_cast<std::uint8_t>(blue < 0 ? 0 : blue > 255 ? 255 : blue);
}

}  // namespace test_camera
