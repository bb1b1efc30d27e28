// Creates the one VideoPortal control, embeds it through PortalSite,
// activates it in place inside the live view and connects the event sink
// to its default source. Close() undoes all of it in the reverse order.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <ole2.h>

#include "PortalEventSink.h"
#include "PortalSite.h"
#include "common/ComPtr.h"

namespace torvane {

class PortalHost {
 public:
  PortalHost(HWND liveView, PortalEvents* receiver);
  PortalHost(const PortalHost&) = delete;
  PortalHost& operator=(const PortalHost&) = delete;
  ~PortalHost() { Close(); }

  // position: the control's rectangle in the live view's client area.
  HRESULT Create(const RECT& position);
  void Close();

  IDispatch* Dispatch() const { return dispatch_.get(); }
  common::ComPtr<IDispatch> DispatchPtr() const { return dispatch_; }
  HWND ControlWindow() const { return site_.ControlWindow(); }
  bool InPlaceActive() const { return site_.InPlaceActive(); }
  bool EventsConnected() const { return cookie_ != 0; }
  const PortalSite& Site() const { return site_; }
  void Move(const RECT& position);

 private:
  HRESULT CreateObject();
  HRESULT Embed();
  HRESULT Advise();

  PortalSite site_;
  PortalEvents* receiver_;
  common::ComPtr<IOleObject> object_;
  common::ComPtr<IDispatch> dispatch_;
  common::ComPtr<PortalEventSink> sink_;
  common::ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace torvane
