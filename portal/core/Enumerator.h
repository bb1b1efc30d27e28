// A COM enumerator over a snapshot of items, for the IEnumXxx interfaces
// of the connection points (IEnumConnections, IEnumConnectionPoints).
// Traits say how an item is referenced and released: each handed-out item
// carries a reference of its own, as the enumerator contract requires.
#pragma once

#include <ocidl.h>

#include <new>
#include <utility>
#include <vector>

namespace portal {

struct ConnectDataTraits {
  static void AddRef(const CONNECTDATA& item) { item.pUnk->AddRef(); }
  static void Release(const CONNECTDATA& item) { item.pUnk->Release(); }
};

template <typename T>
struct InterfaceTraits {
  static void AddRef(T* item) { item->AddRef(); }
  static void Release(T* item) { item->Release(); }
};

template <typename EnumInterface, typename Item, typename Traits>
class Enumerator final : public EnumInterface {
 public:
  explicit Enumerator(std::vector<Item> items, ULONG position = 0)
      : items_(std::move(items)), position_(position) {
    for (const Item& item : items_) Traits::AddRef(item);
  }
  ~Enumerator() {
    for (const Item& item : items_) Traits::Release(item);
  }
  Enumerator(const Enumerator&) = delete;
  Enumerator& operator=(const Enumerator&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != __uuidof(EnumInterface)) return E_NOINTERFACE;
    *object = static_cast<EnumInterface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG refs = ::InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG done = 0;
    for (; done < count && position_ < items_.size(); ++done, ++position_) {
      out[done] = items_[position_];
      Traits::AddRef(out[done]);
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const ULONG left = static_cast<ULONG>(items_.size()) - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(EnumInterface** clone) override {
    if (!clone) return E_POINTER;
    *clone = new (std::nothrow) Enumerator(items_, position_);
    return *clone ? S_OK : E_OUTOFMEMORY;
  }

 private:
  LONG refs_ = 1;
  std::vector<Item> items_;
  ULONG position_;
};

using ConnectionEnumerator = Enumerator<IEnumConnections, CONNECTDATA, ConnectDataTraits>;
using PointEnumerator = Enumerator<IEnumConnectionPoints, IConnectionPoint*, InterfaceTraits<IConnectionPoint>>;

}  // namespace portal
