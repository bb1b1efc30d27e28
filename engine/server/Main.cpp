// CameraEngine.exe: registration switches, or the COM local server that
// serves every client until the last one has gone.
#include <windows.h>

#include <objbase.h>

#include <string>

#include "ClassFactory.h"
#include "ClassObjectPublisher.h"
#include "Engine.h"
#include "EngineLaunch.h"
#include "EngineProxy.h"
#include "Log.h"
#include "Registration.h"
#include "ServerLifetime.h"
#include "common/ComInit.h"
#include "common/UniqueHandle.h"

namespace {

constexpr DWORD kPreviousEngineWaitMs = 5000;

engine::ClassFactory classFactory;
engine::ClassObjectPublisher publisher;
DWORD classCookie = 0;
common::UniqueKernelHandle readyEvent;

bool HasSwitch(const wchar_t* commandLine, const wchar_t* name) {
  std::wstring line(commandLine);
  for (wchar_t prefix : {L'/', L'-'}) {
    const std::wstring option = std::wstring(1, prefix) + name;
    const std::size_t at = line.find(option);
    if (at == std::wstring::npos) continue;
    const std::size_t end = at + option.size();
    if (end == line.size() || line[end] == L' ') return true;
  }
  return false;
}

// Withdraws the class object before the loop ends, so that no client
// attaches to an engine that is going away.
void EndEngine() {
  if (readyEvent) ::ResetEvent(readyEvent.get());
  publisher.Withdraw();
  if (classCookie) ::CoRevokeClassObject(classCookie);
  classCookie = 0;
  ::PostQuitMessage(0);
}

void RequestIdleCheck() { engine::Engine::Instance().RequestIdleCheck(); }

// One engine serves everybody: wait for an ending one to finish, and give
// way to one that is running.
bool BecomeTheEngine(common::UniqueKernelHandle& mutex) {
  mutex.reset(::CreateMutexW(nullptr, FALSE, engine::kEngineInstanceMutexName));
  if (!mutex) return false;
  const DWORD wait = ::WaitForSingleObject(mutex.get(), kPreviousEngineWaitMs);
  return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

int Serve() {
  common::UniqueKernelHandle mutex;
  if (!BecomeTheEngine(mutex)) return 0;
  HRESULT hr = RegisterEngineProxyStub();
  if (SUCCEEDED(hr)) hr = engine::Engine::Instance().Start();
  if (SUCCEEDED(hr)) {
    engine::ServerLifetime::SetOnIdle(&RequestIdleCheck);
    engine::EngineEndHandler = &EndEngine;
    hr = ::CoRegisterClassObject(CLSID_CameraEngine, &classFactory, CLSCTX_LOCAL_SERVER,
                                 REGCLS_MULTIPLEUSE, &classCookie);
  }
  if (FAILED(hr)) {
    engine::LogLine("the engine could not start: 0x%08lX", static_cast<unsigned long>(hr));
    engine::Engine::Instance().Shutdown();
    return 1;
  }
  // Failing to publish only loses the way round a stale class table entry.
  hr = publisher.Publish(&classFactory);
  if (FAILED(hr)) engine::LogLine("class object not published: 0x%08lX", static_cast<unsigned long>(hr));
  readyEvent.reset(::CreateEventW(nullptr, TRUE, FALSE, engine::kEngineReadyEventName));
  if (readyEvent) ::SetEvent(readyEvent.get());

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (classCookie) EndEngine();
  engine::Engine::Instance().Shutdown();
  readyEvent.reset();
  ::ReleaseMutex(mutex.get());
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const bool perUser = HasSwitch(commandLine, L"RegServerUser") || HasSwitch(commandLine, L"UnregServerUser");
  if (HasSwitch(commandLine, L"RegServer") || HasSwitch(commandLine, L"RegServerUser")) {
    return SUCCEEDED(engine::RegisterServer(perUser)) ? 0 : 1;
  }
  if (HasSwitch(commandLine, L"UnregServer") || HasSwitch(commandLine, L"UnregServerUser")) {
    return SUCCEEDED(engine::UnregisterServer(perUser)) ? 0 : 1;
  }
  const common::ComInit com(COINIT_APARTMENTTHREADED);
  if (!com.MustUninitialize()) return 1;
  return Serve();
}
