// The sink for the control's default event source _IVideoPortalEvents: a
// small IDispatch that forwards PortalNotification (DISPID 1) to the main
// window. Nothing thrown by the receiver leaves Invoke.
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace torvane {

class PortalEvents {
 public:
  virtual void PortalNotification(long lMsg, LONG_PTR lParam1, LONG_PTR lParam2, LONG_PTR lParam3) = 0;

 protected:
  ~PortalEvents() = default;
};

class PortalEventSink final : public IDispatch {
 public:
  explicit PortalEventSink(PortalEvents* receiver) : receiver_(receiver) {}
  PortalEventSink(const PortalEventSink&) = delete;
  PortalEventSink& operator=(const PortalEventSink&) = delete;

  // After this no event reaches the receiver (the control may still hold
  // the sink until it is unadvised or released).
  void Detach() { receiver_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT* argError) override;

 private:
  ~PortalEventSink() = default;
  LONG refs_ = 1;
  PortalEvents* receiver_;
};

}  // namespace torvane
