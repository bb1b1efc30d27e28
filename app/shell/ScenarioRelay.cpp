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

LRESULT ScenarioRelay::Accept(HWND window, const COPYDATASTRUCT& data) {
  if (!RelayEnabled() || data.dwData != TORVANE_SCENARIO_RELAY || !data.lpData ||
      data.cbData < sizeof(ScenarioRelayCommand)) {
    return -1;
  }
  Queued command;
  std::memcpy(&command.header, data.lpData, sizeof(command.header));
  if (command.header.command < engine::kCmdScenarioFirst) return -1;
  const auto* input = static_cast<const unsigned char*>(data.lpData) + sizeof(command.header);
  command.input.assign(input, input + (data.cbData - sizeof(command.header)));
  queue_.push_back(std::move(command));
  ::PostMessageW(window, kRunMessage, 0, 0);
  return 1;
}

void ScenarioRelay::RunNext(PortalClient& portal) {
  if (queue_.empty()) return;
  const Queued command = std::move(queue_.front());
  queue_.pop_front();
  try {
    portal.SendCommand(command.header.command, command.header.subCode, 0,
                       command.input.empty() ? nullptr : command.input.data(), static_cast<long>(command.input.size()));
  } catch (const AppError&) {
    // A test command the engine refused: the test sees its effect missing.
  }
}

}  // namespace torvane
