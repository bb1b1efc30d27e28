// The two enumerators the filter hands out: its pins (capture, and still
// when it has one), and the media types of a pin.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>
#include <vector>

#include "TestCameraFilter.h"

namespace test_camera {

class PinEnumerator : public IEnumPins {
 public:
  explicit PinEnumerator(std::vector<IPin*> pins, ULONG position = 0);
  virtual ~PinEnumerator();
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumPins** out) override;

 private:
  std::atomic<ULONG> refs_{1};
  std::vector<IPin*> pins_;
  ULONG position_;
};

class TypeEnumerator : public IEnumMediaTypes {
 public:
  TypeEnumerator(std::vector<FormatChoice> choices, ULONG position = 0);
  virtual ~TypeEnumerator() = default;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumMediaTypes** out) override;

 private:
  std::atomic<ULONG> refs_{1};
  std::vector<FormatChoice> choices_;
  ULONG position_;
};

}  // namespace test_camera
