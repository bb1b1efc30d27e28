// Connection points and their connection enumerator.
#include "core/ConnectionPoint.h"

#include "core/Enumerator.h"

#include <olectl.h>

#include <new>

namespace portal {
ConnectionPoint::ConnectionPoint(IConnectionPointContainer* container, const IID& iid)
    : container_(container), iid_(iid) {}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ConnectionPoint::AddRef() { return container_->AddRef(); }
ULONG ConnectionPoint::Release() { return container_->Release(); }

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = container_;
  container_->AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  // Sinks are called through IDispatch: refuse those that cannot take it.
  // A sink of a dispinterface answers its IID with an IDispatch vtable.
  common::ComPtr<IDispatch> held;
  if (FAILED(sink->QueryInterface(iid_, held.put_void())) &&
      FAILED(sink->QueryInterface(IID_IDispatch, held.put_void()))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = nextCookie_++;
  sinks_.emplace_back(*cookie, std::move(held));
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->first == cookie) {
      // Move the reference out first: releasing it may re-enter this point.
      common::ComPtr<IDispatch> released = std::move(it->second);
      sinks_.erase(it);
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (!connections) return E_POINTER;
  std::vector<CONNECTDATA> items;
  items.reserve(sinks_.size());
  for (const auto& [cookie, sink] : sinks_) items.push_back(CONNECTDATA{sink.get(), cookie});
  *connections = new (std::nothrow) ConnectionEnumerator(std::move(items));
  return *connections ? S_OK : E_OUTOFMEMORY;
}

std::vector<common::ComPtr<IDispatch>> ConnectionPoint::Sinks() const {
  std::vector<common::ComPtr<IDispatch>> result;
  result.reserve(sinks_.size());
  for (const auto& entry : sinks_) result.push_back(entry.second);
  return result;
}

}  // namespace portal
