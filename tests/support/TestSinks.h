// Sinks a container hands to the control in tests: an advise sink that
// counts OLE notifications, and a dispatch sink for PortalNotification.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <ocidl.h>

namespace portal_test {

// Stack objects: their reference counts only reveal leaks.
class RecordingAdviseSink final : public IAdviseSinkEx {
 public:
  int viewChanges = 0;
  int closes = 0;
  int saves = 0;

  LONG OutstandingReferences() const { return refs_ - 1; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IAdviseSink && iid != IID_IAdviseSinkEx) return E_NOINTERFACE;
    *object = static_cast<IAdviseSinkEx*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override { ++viewChanges; }
  void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
  void STDMETHODCALLTYPE OnSave() override { ++saves; }
  void STDMETHODCALLTYPE OnClose() override { ++closes; }
  void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override {}

 private:
  LONG refs_ = 1;
};

class EventSink final : public IDispatch {
 public:
  explicit EventSink(const IID& eventIid) : eventIid_(eventIid) {}
  int notifications = 0;

  LONG OutstandingReferences() const { return refs_ - 1; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != eventIid_) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    ++notifications;
    return S_OK;
  }

 private:
  IID eventIid_;
  LONG refs_ = 1;
};

}  // namespace portal_test
