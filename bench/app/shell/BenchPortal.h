// The control as Torvane hosts it, for the benchmarks: a top-level window
// with the application's container and wrapper, the control prepared and
// its camera connected at 640x480.
#pragma once

#include <windows.h>

#include <string>

#include "PortalClient.h"
#include "PortalHost.h"
#include "common/UniqueHandle.h"

namespace bench {

class BenchPortal {
 public:
  BenchPortal();
  ~BenchPortal();
  BenchPortal(const BenchPortal&) = delete;
  BenchPortal& operator=(const BenchPortal&) = delete;

  // False, with the reason printed after `name`, when the control or the
  // camera is missing. A non-empty engineConfig (an INI path) is loaded
  // into the engine before the camera is connected.
  bool Open(const char* name, const std::string& engineConfig = {});

  HWND Window() const { return window_.get(); }
  torvane::PortalHost& Host() { return host_; }
  torvane::PortalClient& Client() { return client_; }

 private:
  class NoEvents : public torvane::PortalEvents {
   public:
    void PortalNotification(long, LONG_PTR, LONG_PTR, LONG_PTR) override {}
  };

  common::UniqueWindow window_;
  NoEvents events_;
  torvane::PortalHost host_;
  torvane::PortalClient client_;
  bool connected_ = false;
};

// A path in the user's temporary folder.
std::wstring TempPath(const wchar_t* name);

// Runs a benchmark's body with OLE initialised on this thread: its result,
// or 1 (with a line after `name`) when a call on the control threw.
int RunHosted(const char* name, int (*run)());

}  // namespace bench
