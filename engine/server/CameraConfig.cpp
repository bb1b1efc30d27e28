// INI reading of the synthetic camera configuration.
#include "CameraConfig.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

#include "common/Module.h"
#include "common/Strings.h"

namespace engine {
namespace {

constexpr int kMaxWidth = 1600, kMaxHeight = 1200, kMinSide = 16;

std::string ReadString(const std::wstring& path, const char* section, const char* key,
                       const std::string& fallback) {
  wchar_t buffer[512];
  const std::wstring wideFallback = common::AnsiToWide(fallback);
  ::GetPrivateProfileStringW(common::AnsiToWide(section).c_str(), common::AnsiToWide(key).c_str(),
                             wideFallback.c_str(), buffer, 512, path.c_str());
  return common::WideToAnsi(buffer);
}

long ReadNumber(const std::wstring& path, const char* section, const char* key, long fallback) {
  const std::string text = ReadString(path, section, key, "");
  if (text.empty()) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 0);  // decimal or 0x...
  return end && *end == '\0' ? value : fallback;
}

bool ParseSize(const std::string& text, FrameSize* size) {
  int w = 0, h = 0;
  char x = 0, extra = 0;
  std::istringstream in(text);
  if (!(in >> w >> x >> h) || (x != 'x' && x != 'X') || (in >> extra)) return false;
  if (w < kMinSide || h < kMinSide || w > kMaxWidth || h > kMaxHeight) return false;
  *size = {w, h};
  return true;
}

bool Contains(const std::vector<FrameSize>& sizes, FrameSize size) {
  for (const FrameSize& s : sizes) {
    if (s == size) return true;
  }
  return false;
}

// The configured initial size when supported, else 320 x 240 when
// supported, else the first size.
FrameSize InitialSize(const std::string& text, const std::vector<FrameSize>& sizes) {
  FrameSize size;
  if (ParseSize(text, &size) && Contains(sizes, size)) return size;
  if (Contains(sizes, FrameSize{320, 240})) return {320, 240};
  return sizes.front();
}

CameraDefinition ReadCamera(const std::wstring& path, int index) {
  CameraDefinition definition;
  const std::string section = "Camera" + std::to_string(index);
  const char* s = section.c_str();
  definition.name = ReadString(path, s, "Name", "Synthetic Camera " + std::to_string(index + 1));
  definition.device = ReadString(path, s, "Device", "SYNTH" + std::to_string(index));
  definition.type = ReadNumber(path, s, "Type", definition.type);
  definition.vendorId = static_cast<std::uint16_t>(ReadNumber(path, s, "VendorId", definition.vendorId));
  definition.productId = static_cast<std::uint16_t>(ReadNumber(path, s, "ProductId", definition.productId + index));
  definition.serial = static_cast<std::uint32_t>(ReadNumber(path, s, "Serial", index + 1));
  definition.state = ReadNumber(path, s, "State", 0);
  definition.showHide = ReadNumber(path, s, "ShowHide", 0);
  definition.options = static_cast<std::uint32_t>(ReadNumber(path, s, "Options", 0));
  definition.indicatorLevel = ReadNumber(path, s, "Level", definition.indicatorLevel);
  definition.indicatorReserved = ReadNumber(path, s, "Indicator106", definition.indicatorReserved);
  definition.indicatorSwitch = ReadNumber(path, s, "Switch", definition.indicatorSwitch);
  definition.indicatorValue = ReadNumber(path, s, "Value", definition.indicatorValue);
  definition.mode = ReadNumber(path, s, "Mode", 0) != 0;
  std::vector<FrameSize> sizes;
  if (ParseSizeList(ReadString(path, s, "Sizes", ""), &sizes) && !sizes.empty()) definition.sizes = sizes;
  std::vector<FrameSize> still;
  const std::string stillText = ReadString(path, s, "StillSizes", "-");
  if (stillText.empty()) definition.stillSizes.clear();
  else if (ParseSizeList(stillText, &still)) definition.stillSizes = still;
  definition.initialSize = InitialSize(ReadString(path, s, "InitialSize", ""), definition.sizes);
  return definition;
}

}  // namespace

bool ParseSizeList(const std::string& text, std::vector<FrameSize>* sizes) {
  std::vector<FrameSize> parsed;
  std::istringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) {
    while (!item.empty() && item.front() == ' ') item.erase(item.begin());
    while (!item.empty() && item.back() == ' ') item.pop_back();
    FrameSize size;
    if (!ParseSize(item, &size)) return false;
    parsed.push_back(size);
  }
  *sizes = parsed;
  return true;
}

std::wstring DefaultConfigPath() {
  wchar_t value[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"CAMERA_ENGINE_CONFIG", value, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return value;
  return common::ModuleDirectory(nullptr) + L"CameraEngine.ini";
}

EngineConfig LoadEngineConfig(const std::wstring& path) {
  EngineConfig config;
  if (path.empty() || ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return config;
  const long count = ReadNumber(path, "Engine", "Cameras", 1);
  config.devices = ReadNumber(path, "Engine", "Devices", 1) != 0;
  const long rate = ReadNumber(path, "Engine", "FrameRate", config.frameRate);
  if (rate >= EngineConfig::kMinFrameRate && rate <= EngineConfig::kMaxFrameRate) config.frameRate = rate;
  config.cameras.clear();
  for (long i = 0; i < count && i < EngineConfig::kMaxCameras; ++i) {
    config.cameras.push_back(ReadCamera(path, static_cast<int>(i)));
  }
  return config;
}

}  // namespace engine
