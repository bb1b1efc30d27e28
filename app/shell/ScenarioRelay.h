// The engine scenario relay, for end-to-end tests of the real Torvane.exe:
// the synthetic camera engine takes its test commands (1000 and up: feed
// motion values, unplug a camera...) per client, through the control's
// SendCommand, so a test process hands them to Torvane's own control with
// WM_COPYDATA tagged TORVANE_SCENARIO_RELAY. The data is a
// ScenarioRelayCommand followed by the command's input bytes. The relay
// works only in a process started with TORVANE_SCENARIO_RELAY=1 in its
// environment, and passes nothing but the engine's test commands.
//
// COM refuses calls out of the process while a message sent by another
// thread is being handled, so an accepted command waits in a queue and is
// handed to the control on a message the main window posts itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "PortalClient.h"
#include "engine/interface/EngineCommands.h"

namespace torvane {

struct ScenarioRelayCommand {
  std::int32_t command;
  std::int32_t subCode;
};

class ScenarioRelay {
 public:
  static constexpr UINT kRunMessage = WM_APP + 0x51;

  // WM_COPYDATA: 1 when the command was queued (and kRunMessage posted to
  // window), -1 when the relay refuses it.
  LRESULT Accept(HWND window, const COPYDATASTRUCT& data);
  // kRunMessage: the oldest queued command to the control.
  void RunNext(PortalClient& portal);

 private:
  struct Queued {
    ScenarioRelayCommand header;
    std::vector<unsigned char> input;
  };
  std::deque<Queued> queue_;
};

}  // namespace torvane
