// Pin and media type enumerators.
#include "Enumerators.h"

namespace test_camera {

PinEnumerator::PinEnumerator(std::vector<IPin*> pins, ULONG position) : pins_(std::move(pins)), position_(position) {
  for (IPin* pin : pins_) pin->AddRef();
}

PinEnumerator::~PinEnumerator() {
  for (IPin* pin : pins_) pin->Release();
}

STDMETHODIMP PinEnumerator::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IEnumPins) {
    *out = static_cast<IEnumPins*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) PinEnumerator::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP PinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched) {
  if (!pins) return E_POINTER;
  ULONG given = 0;
  while (given < count && position_ < pins_.size()) {
    pins[given] = pins_[position_++];
    pins[given++]->AddRef();
  }
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP PinEnumerator::Skip(ULONG count) {
  position_ += count;
  return position_ <= pins_.size() ? S_OK : S_FALSE;
}

STDMETHODIMP PinEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP PinEnumerator::Clone(IEnumPins** out) {
  if (!out) return E_POINTER;
  *out = new PinEnumerator(pins_, position_);
  return S_OK;
}

TypeEnumerator::TypeEnumerator(std::vector<FormatChoice> choices, ULONG position)
    : choices_(std::move(choices)), position_(position) {}

STDMETHODIMP TypeEnumerator::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IEnumMediaTypes) {
    *out = static_cast<IEnumMediaTypes*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TypeEnumerator::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP TypeEnumerator::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
  if (!types) return E_POINTER;
  ULONG given = 0;
  while (given < count && position_ < choices_.size()) {
    auto* type = static_cast<AM_MEDIA_TYPE*>(::CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!type || FAILED(FillMediaType(choices_[position_], type))) {
      ::CoTaskMemFree(type);
      break;
    }
    types[given++] = type;
    ++position_;
  }
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP TypeEnumerator::Skip(ULONG count) {
  position_ += count;
  return position_ <= choices_.size() ? S_OK : S_FALSE;
}

STDMETHODIMP TypeEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP TypeEnumerator::Clone(IEnumMediaTypes** out) {
  if (!out) return E_POINTER;
  *out = new TypeEnumerator(choices_, position_);
  return S_OK;
}

}  // namespace test_camera
