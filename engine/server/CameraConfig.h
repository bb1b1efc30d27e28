// The synthetic cameras an engine offers, read from an INI file when the
// engine starts (or when a test reloads it). engine/README.md documents the
// format; without a file the engine offers one camera.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

struct FrameSize {
  int width = 0;
  int height = 0;
  bool operator==(const FrameSize& o) const { return width == o.width && height == o.height; }
  bool operator!=(const FrameSize& o) const { return !(*this == o); }
};

struct CameraDefinition {
  std::string name = "Synthetic Camera";
  std::string device = "SYNTH0";
  std::int32_t type = 9;
  std::uint16_t vendorId = 0x7A01;
  std::uint16_t productId = 0x0001;
  std::uint32_t serial = 1;
  std::int32_t state = 0;
  std::vector<FrameSize> sizes{{160, 120}, {240, 180}, {320, 240}, {640, 480}};
  std::vector<FrameSize> stillSizes{{1280, 960}};
  FrameSize initialSize{320, 240};
  std::int32_t showHide = 0;  // camera property 31
  std::uint32_t options = 0;  // CameraRecord::options
  // The status indicators' values when the engine starts (camera
  // properties 102, 106, 107, 108 and the mode of command 28).
  std::int32_t indicatorLevel = 0, indicatorReserved = 0, indicatorSwitch = 0, indicatorValue = 1;
  bool mode = false;
  // A capture device whose still pin takes the pictures at the still size
  // (else they are captured at the largest capture size).
  bool stillPin = false;
};

struct EngineConfig {
  static constexpr int kMaxCameras = 16;
  static constexpr int kMinFrameRate = 1, kMaxFrameRate = 60;
  // The computer's capture devices come first (Devices=0 leaves them out),
  // then the synthetic cameras (Cameras=0 for none).
  bool devices = true;
  std::vector<CameraDefinition> cameras{CameraDefinition{}};
  int frameRate = 15;
};

// The file the engine reads: %CAMERA_ENGINE_CONFIG% when set, else
// CameraEngine.ini beside the executable.
std::wstring DefaultConfigPath();

// Reads path; a missing or empty file gives the default configuration.
EngineConfig LoadEngineConfig(const std::wstring& path);

// "160x120,320x240": false (and nothing stored) on any malformed entry or
// a size outside 16..1600 x 16..1200.
bool ParseSizeList(const std::string& text, std::vector<FrameSize>* sizes);

}  // namespace engine
