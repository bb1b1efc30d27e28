// One connection point of the control: keeps its sinks in connection order
// (cookies grow monotonically) and enumerates them in that order.
#pragma once

#include <ocidl.h>

#include <utility>
#include <vector>

#include "common/ComPtr.h"

namespace portal {

class ConnectionPoint final : public IConnectionPoint {
 public:
  // container is not AddRef'd by the caller; the point keeps it alive
  // through its own references for as long as a client holds the point.
  ConnectionPoint(IConnectionPointContainer* container, const IID& iid);
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  // IUnknown: the point delegates its lifetime to the container.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IConnectionPoint
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

  const IID& Iid() const { return iid_; }
  // A snapshot of the sinks in connection order, safe to call into while a
  // sink advises or unadvises from inside its handler.
  std::vector<common::ComPtr<IDispatch>> Sinks() const;
  // Drops every sink (the control is going away).
  void Clear() { sinks_.clear(); }

 private:
  IConnectionPointContainer* container_;
  IID iid_;
  DWORD nextCookie_ = 1;
  std::vector<std::pair<DWORD, common::ComPtr<IDispatch>>> sinks_;
};

}  // namespace portal
