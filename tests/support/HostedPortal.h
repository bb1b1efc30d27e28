// A VideoPortal control hosted in a test container window (shown and in the
// foreground, activated in place), with event sinks on both connection
// points and late-bound helpers for its members and the engine's scenario
// channel.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "DispatchCall.h"
#include "TestContainer.h"
#include "Tovra2.h"
#include "common/ComPtr.h"

namespace portal_test {

struct Notification {
  std::string point;  // "default" or "second"
  LONG msg;
  LONGLONG p1, p2, p3;
};

// Writes a camera engine configuration (INI) into a temporary file and
// points this process's engine launches at it.
class EngineConfigFile {
 public:
  explicit EngineConfigFile(const std::string& contents);
  ~EngineConfigFile();
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

// Kills every CameraEngine.exe process (as a crash would) and waits until
// each is gone; returns how many were killed.
int KillCameraEngines();

class HostedPortal {
 public:
  HostedPortal();
  ~HostedPortal();
  HostedPortal(const HostedPortal&) = delete;
  HostedPortal& operator=(const HostedPortal&) = delete;

  bool Active() const { return window_ != nullptr; }
  HWND Window() const { return window_; }
  HWND ContainerWindow() const { return container_.Window(); }
  IDispatch* Dispatch() const { return dispatch_.get(); }
  IVideoPortalEarlyBound* EarlyBound() const { return early_.get(); }

  // Calls a method by DISPID and returns its portal result.
  LONG Call(DISPID id, std::vector<testing_support::Variant> args);
  LONG Get(DISPID id);
  void Put(DISPID id, LONG value);

  LONG Prepare(const wchar_t* key = L"Software\\TorvaneTests\\Connection");
  // Loads a configuration into the running engine (scenario command).
  LONG ReloadEngineConfig(const std::wstring& path);
  LONG Scenario(LONG command, LONG subCode, const void* input = nullptr, LONG size = 0);
  // An engine inquiry through Query; 0 when the engine answered.
  LONG Inquiry(LONG command, LONG subCode, void* output, LONG size);

  // Pumps messages until predicate() holds or the time runs out.
  bool PumpUntil(const std::function<bool()>& predicate, DWORD timeoutMs = 5000);
  void PumpFor(DWORD ms);

  std::vector<Notification>& Events() { return events_; }
  int Count(LONG msg) const;

 private:
  class Sink;
  TestContainer container_;
  common::ComPtr<IOleObject> object_;
  common::ComPtr<IDispatch> dispatch_;
  common::ComPtr<IVideoPortalEarlyBound> early_;
  HWND window_ = nullptr;
  std::vector<Notification> events_;
  std::vector<std::pair<common::ComPtr<IConnectionPoint>, DWORD>> cookies_;
  Sink* sinks_[2] = {};
};

}  // namespace portal_test
