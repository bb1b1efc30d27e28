// Connection points and their connection enumerator.
#include "core/ConnectionPoint.h"

#include <olectl.h>

#include <new>

namespace portal {
namespace {

// Enumerates a copy of the connections taken when it was created.
class ConnectionEnumerator final : public IEnumConnections {
 public:
  explicit ConnectionEnumerator(std::vector<CONNECTDATA> items) : items_(std::move(items)) {
    for (CONNECTDATA& item : items_) item.pUnk->AddRef();
  }
  ~ConnectionEnumerator() {
    for (CONNECTDATA& item : items_) item.pUnk->Release();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumConnections) {
      *object = static_cast<IEnumConnections*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG refs = ::InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, CONNECTDATA* out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG done = 0;
    for (; done < count && position_ < items_.size(); ++done, ++position_) {
      out[done] = items_[position_];
      out[done].pUnk->AddRef();
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const std::size_t left = items_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnections** clone) override {
    if (!clone) return E_POINTER;
    auto* copy = new (std::nothrow) ConnectionEnumerator(items_);
    if (!copy) return E_OUTOFMEMORY;
    copy->position_ = position_;
    *clone = copy;
    return S_OK;
  }

 private:
  LONG refs_ = 1;
  std::vector<CONNECTDATA> items_;
  std::size_t position_ = 0;
};

}  // namespace

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
