// The engine scenario relay.
#include "ScenarioRelay.h"

#include <cstring>

#include "AppError.h"
#include "TorvaneIds.h"

namespace torvane {

namespace {

bool RelayEnabled() {
  static const bool enabled = [] {
    wchar_t value[8] = {};
    return ::GetEnvironmentVariableW(L"TORVANE_SCENARIO_RELAY", value, 8) == 1 && value[0] == L'1';
  }();
  return enabled;
}

}  // namespace

LRESULT RelayScenarioCommand(PortalClient& portal, const COPYDATASTRUCT& data) {
  if (!RelayEnabled() || data.dwData != TORVANE_SCENARIO_RELAY || !data.lpData ||
      data.cbData < sizeof(ScenarioRelayCommand)) {
    return -1;
  }
  ScenarioRelayCommand header;
  std::memcpy(&header, data.lpData, sizeof(header));
  if (header.command < engine::kCmdScenarioFirst) return -1;
  const auto* input = static_cast<const unsigned char*>(data.lpData) + sizeof(header);
  const long size = static_cast<long>(data.cbData - sizeof(header));
  try {
    return portal.SendCommand(header.command, header.subCode, 0, size > 0 ? input : nullptr, size);
  } catch (const AppError&) {
    return -1;
  }
}

}  // namespace torvane
