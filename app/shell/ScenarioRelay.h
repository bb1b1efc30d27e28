// The engine scenario relay, for end-to-end tests of the real Torvane.exe:
// the synthetic camera engine takes its test commands (1000 and up: feed
// motion values, unplug a camera...) per client, through the control's
// SendCommand, so a test process hands them to Torvane's own control with
// WM_COPYDATA tagged TORVANE_SCENARIO_RELAY. The data is a
// ScenarioRelayCommand followed by the command's input bytes. The relay
// works only in a process started with TORVANE_SCENARIO_RELAY=1 in its
// environment, and passes nothing but the engine's test commands.
#pragma once

#include <windows.h>

#include <cstdint>

#include "PortalClient.h"
#include "engine/interface/EngineCommands.h"

namespace torvane {

struct ScenarioRelayCommand {
  std::int32_t command;
  std::int32_t subCode;
};

// The SendCommand result, or -1 when the relay refuses the message.
LRESULT RelayScenarioCommand(PortalClient& portal, const COPYDATASTRUCT& data);

}  // namespace torvane
