// The webcam tests' common ground: the test camera filter registered for
// the length of a suite, an engine client with its message window, the
// filter's control events, pictures to a file or a mapping, and their
// comparison with the filter's picture (TestCamera.h).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "EngineClient.h"
#include "EngineCommands.h"
#include "EngineRecords.h"
#include "TestCamera.h"
#include "TestCameraRegistration.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"

namespace webcam_test {

using namespace engine;

// Devices first, then one synthetic camera.
inline std::string WebcamConfig() {
  const std::string path = engine_test::TempFolder() + "engine-webcam-cameras.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << "[Engine]\r\nCameras=1\r\nFrameRate=15\r\n";
  return path;
}

inline HRESULT Reload(const engine_test::EngineClient& client, const std::string& path) {
  return client.Exec(kScenarioReloadConfig, 0, path.c_str(), static_cast<long>(path.size() + 1));
}

inline common::UniqueKernelHandle ControlEvent(const wchar_t* name) {
  return common::UniqueKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, name));
}

struct Shot {
  int width = 0, height = 0;
  std::vector<BYTE> bits;  // bottom-up, rows padded to 4 bytes
  const BYTE* At(int x, int y) const {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
    return bits.data() + stride * static_cast<std::size_t>(height - 1 - y) + 3 * static_cast<std::size_t>(x);
  }
};

// A bitmap file image (24 bits, bottom-up) as a picture.
inline bool ReadPictureBytes(const std::vector<BYTE>& file, Shot* picture) {
  if (file.size() < 54) return false;
  BITMAPINFOHEADER info;
  std::memcpy(&info, file.data() + sizeof(BITMAPFILEHEADER), sizeof(info));
  if (info.biBitCount != 24 || info.biHeight <= 0) return false;
  picture->width = info.biWidth;
  picture->height = info.biHeight;
  picture->bits.assign(file.begin() + 54, file.end());
  return picture->bits.size() >= static_cast<std::size_t>(((info.biWidth * 3 + 3) & ~3) * info.biHeight);
}

inline bool ReadPicture(const std::string& path, Shot* picture) {
  std::ifstream in(path, std::ios::binary);
  return ReadPictureBytes(std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
                          picture);
}

inline std::uint32_t FrameNumberOf(const Shot& picture) {
  std::uint32_t frame = 0;
  for (int bit = 0; bit < test_camera::kBits; ++bit) {
    const BYTE* pixel = picture.At(bit * test_camera::kBitBlock + test_camera::kBitBlock / 2, test_camera::kBitBlock / 2);
    frame = (frame << 1) | (pixel[1] > 128 ? 1u : 0u);
  }
  return frame;
}

// Hands take() the differences of every pixel's red, green and blue from
// the filter's picture of the frame the picture names.
template <typename Take>
void CompareWithFilter(const Shot& picture, long brightness, Take take) {
  const std::uint32_t frame = FrameNumberOf(picture);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      std::uint8_t r, g, b;
      test_camera::Pixel(x, y, picture.width, picture.height, frame, brightness, &r, &g, &b);
      const BYTE* got = picture.At(x, y);
      take(got[2] - r, got[1] - g, got[0] - b);
    }
  }
}

// The mean absolute difference of the components (for lossy formats).
inline double MeanDifference(const Shot& picture, long brightness) {
  double sum = 0;
  CompareWithFilter(picture, brightness, [&](int r, int g, int b) { sum += std::abs(r) + std::abs(g) + std::abs(b); });
  return sum / (3.0 * picture.width * picture.height);
}

// The largest difference of any component.
inline int LargestDifference(const Shot& picture, long brightness) {
  int largest = 0;
  CompareWithFilter(picture, brightness, [&](int r, int g, int b) {
    for (int d : {r, g, b}) largest = std::max(largest, std::abs(d));
  });
  return largest;
}

class EngineWebcam : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registration_ = new test_camera::Registration;
    ASSERT_EQ(S_OK, registration_->Register());
  }
  static void TearDownTestSuite() {
    engine_test::EngineClient client;
    if (SUCCEEDED(client.Create())) client.Exec(kScenarioReloadConfig, 0);
    registration_->Unregister();
    delete registration_;
    registration_ = nullptr;
  }

  void SetUp() override {
    ASSERT_EQ(S_OK, client_.Create());
    ASSERT_EQ(S_OK, Reload(client_, WebcamConfig()));
    ASSERT_EQ(S_OK, client_.ExecLong(kCmdNotifyWindow, 0, static_cast<long>(reinterpret_cast<INT_PTR>(sink_.Window()))));
  }
  void TearDown() override {
    for (const auto* event : {&unplug_, &silent_, &stillPin_, &withoutMjpg_}) ::ResetEvent(event->get());
    client_.Exec(kCmdDisconnect, 0);
    client_.Exec(kCmdNotifyWindow, 1);
    // Back to the configuration the other engine tests expect.
    const std::wstring config = engine_test::TestConfigPath();
    Reload(client_, common::WideToAnsi(config));
  }

  bool TakePicture(Shot* picture) {
    const std::string path = engine_test::TempFolder() + "engine-webcam-picture.bmp";
    PictureRequestRecord request{};
    request.size = sizeof(request);
    std::strncpy(request.target, path.c_str(), sizeof(request.target) - 1);
    return SUCCEEDED(client_.ExecRecord(kCmdPicture, kPictureToFile, request)) && ReadPicture(path, picture);
  }

  // A picture into a mapping of the client's (12/3 at the capture size,
  // 12/4 at the still size); the engine's answer when it fails.
  HRESULT TakeMappedPicture(long subCode, Shot* picture) {
    constexpr std::uint32_t kRoom = 1600 * 1200 * 3 + 54;
    const std::string name = "VX_IMAGE_" + std::to_string(::GetTickCount()) + "_webcam";
    common::UniqueKernelHandle mapping(
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kRoom, name.c_str()));
    if (!mapping) return E_OUTOFMEMORY;
    PictureRequestRecord request{};
    request.size = sizeof(request);
    std::strncpy(request.target, name.c_str(), sizeof(request.target) - 1);
    request.mappingSize = kRoom;
    const HRESULT hr = client_.ExecRecord(kCmdPicture, subCode, request);
    if (FAILED(hr)) return hr;
    common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return E_FAIL;
    const auto* bytes = static_cast<const BYTE*>(view.get());
    BITMAPFILEHEADER file;
    std::memcpy(&file, bytes, sizeof(file));
    if (file.bfSize < 54 || file.bfSize > kRoom) return E_FAIL;
    return ReadPictureBytes(std::vector<BYTE>(bytes, bytes + file.bfSize), picture) ? S_OK : E_FAIL;
  }

  static inline test_camera::Registration* registration_ = nullptr;
  engine_test::EngineClient client_;
  engine_test::MessageSink sink_;
  // The filter's control channel and its model (TestCamera.h).
  common::UniqueKernelHandle unplug_ = ControlEvent(test_camera::kUnplugEvent);
  common::UniqueKernelHandle silent_ = ControlEvent(test_camera::kSilentEvent);
  common::UniqueKernelHandle stillPin_ = ControlEvent(test_camera::kStillPinEvent);
  common::UniqueKernelHandle withoutMjpg_ = ControlEvent(test_camera::kWithoutMjpgEvent);
};

}  // namespace webcam_test
