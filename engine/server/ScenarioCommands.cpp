// The test scenario channel: Execute with command numbers from 1000 lets a
// test drive what a real camera would do. engine/README.md lists them.
#include <cstring>
#include <string>

#include "CameraValues.h"
#include "EngineCommands.h"
#include "Engine.h"
#include "EngineMessages.h"
#include "Handlers.h"
#include "Log.h"
#include "RememberedCamera.h"
#include "common/Strings.h"

namespace engine {
namespace {

struct EngineProcessInfo {
  std::uint32_t processId;
  std::uint32_t reserved;
  std::uint64_t cpuTime100ns;  // kernel + user time of the engine process
};
static_assert(sizeof(EngineProcessInfo) == 16, "process info is 16 bytes");

constexpr long kMaxAutoCloseMs = 600000;
constexpr long kMinMovieLimit = 16384;

Camera* CameraOf(const Call& call) { return Engine::Instance().CameraAt(call.subCode); }

HRESULT Unplug(const Call& call) {
  Camera* camera = CameraOf(call);
  if (!camera) return E_INVALIDARG;
  LogLine("scenario: camera %ld unplugged", call.subCode);
  Engine::Instance().CameraLost(*camera);
  return S_OK;
}

HRESULT Replug(const Call& call) {
  Camera* camera = CameraOf(call);
  if (!camera) return E_INVALIDARG;
  LogLine("scenario: camera %ld plugged in again", call.subCode);
  Engine::Instance().CameraBack(*camera);
  return S_OK;
}

HRESULT MotionValues(Session& session, const Call& call) {
  if (!call.input || call.inputSize < 4 || call.inputSize % 4 != 0) return E_INVALIDARG;
  const std::size_t count = static_cast<std::size_t>(call.inputSize) / 4;
  if (session.scriptedMotion.size() + count > Session::kMaxScriptedMotion) return E_INVALIDARG;
  for (std::size_t i = 0; i < count; ++i) {
    std::int32_t value;
    std::memcpy(&value, call.input + i * 4, 4);
    session.scriptedMotion.push_back(value < 0 ? 0 : value > 100 ? 100 : value);
  }
  return S_OK;
}

HRESULT PostEngineMessage(Session& session, const Call& call) {
  std::int32_t values[3];
  const HRESULT hr = ReadRecord(call, &values);
  if (FAILED(hr)) return hr;
  const UINT message = static_cast<UINT>(values[0]);
  if (message < kFirstEngineMessage || message > kLastEngineMessage) return E_INVALIDARG;
  if (!session.NotifyWindow()) return E_FAIL;
  LogLine("scenario: post %u (%ld, %ld)", message, static_cast<long>(values[1]), static_cast<long>(values[2]));
  session.Post(message, static_cast<WPARAM>(static_cast<std::uint32_t>(values[1])),
               static_cast<LPARAM>(values[2]));
  return S_OK;
}

HRESULT SetState(const Call& call) {
  Camera* camera = CameraOf(call);
  long state = 0;
  const HRESULT hr = ReadLong(call, &state);
  if (FAILED(hr)) return hr;
  if (!camera) return E_INVALIDARG;
  LogLine("scenario: camera %ld state %ld", call.subCode, state);
  camera->SetState(state);
  return S_OK;
}

// The camera changes one of its indicators by itself: every client hears.
HRESULT ChangeIndicator(const Call& call) {
  std::int32_t values[2];
  const HRESULT hr = ReadRecord(call, &values);
  if (FAILED(hr)) return hr;
  Camera* camera = CameraOf(call);
  if (!camera || !IsIndicatorNumber(values[0])) return E_INVALIDARG;
  LogLine("scenario: camera %ld indicator %ld = %ld", call.subCode, static_cast<long>(values[0]),
          static_cast<long>(values[1]));
  ChangeCameraValue(*camera, values[0], values[1], nullptr);
  return S_OK;
}

HRESULT ReloadConfig(const Call& call) {
  std::wstring path = DefaultConfigPath();
  if (call.input && call.inputSize > 0) {
    const std::string ansi(reinterpret_cast<const char*>(call.input),
                           strnlen(reinterpret_cast<const char*>(call.input), call.inputSize));
    path = common::AnsiToWide(ansi);
  }
  LogLine("scenario: reload the camera configuration");
  return Engine::Instance().Reconfigure(LoadEngineConfig(path));
}

}  // namespace

HRESULT InquireScenario(Session&, const Call& call) {
  if (call.command != kScenarioProcessInfo) return E_NOTIMPL;
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return E_FAIL;
  const auto ticks = [](FILETIME t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  EngineProcessInfo info{::GetCurrentProcessId(), 0, ticks(kernel) + ticks(user)};
  return WriteRecord(call, info);
}

HRESULT ExecuteScenario(Session& session, const Call& call) {
  switch (call.command) {
    case kScenarioUnplug: return Unplug(call);
    case kScenarioReplug: return Replug(call);
    case kScenarioFailNext:
      if (call.subCode == 0) return E_INVALIDARG;
      session.injectedFailure = call.subCode;
      return S_OK;
    case kScenarioMotionValues: return MotionValues(session, call);
    case kScenarioPostMessage: return PostEngineMessage(session, call);
    case kScenarioSetState: return SetState(call);
    case kScenarioDialogAutoClose:
      if (call.subCode < 0 || call.subCode > kMaxAutoCloseMs) return E_INVALIDARG;
      Engine::Instance().dialogAutoCloseMs = static_cast<DWORD>(call.subCode);
      return S_OK;
    case kScenarioForgetCamera:
      ForgetRememberedCamera();
      return S_OK;
    case kScenarioMovieLimit:
      if (call.subCode != 0 && call.subCode < kMinMovieLimit) return E_INVALIDARG;
      session.movieLimits.maxFileBytes = call.subCode ? static_cast<std::uint64_t>(call.subCode)
                                                      : media::AviLimits::kNoFileLimit;
      return S_OK;
    case kScenarioRiffLimit:
      if (call.subCode != 0 && (call.subCode < static_cast<long>(media::AviLimits::kMinRiffBytes) ||
                                call.subCode > static_cast<long>(media::AviLimits::kMaxRiffBytes))) {
        return E_INVALIDARG;
      }
      session.movieLimits.maxRiffBytes = call.subCode ? static_cast<std::uint64_t>(call.subCode)
                                                      : media::AviLimits::kMaxRiffBytes;
      return S_OK;
    case kScenarioReloadConfig: return ReloadConfig(call);
    case kScenarioIndicator: return ChangeIndicator(call);
    default: return E_NOTIMPL;
  }
}

}  // namespace engine
