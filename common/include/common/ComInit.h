// COM and OLE initialisation for the length of a scope. A scope
// uninitialises only when its own call succeeded (S_OK, or S_FALSE for a
// thread that was already initialised in the same model). A thread already
// initialised in the other model (RPC_E_CHANGED_MODE) can still use COM in
// that model, so such a scope is usable but leaves the thread as it found it.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <ole2.h>

namespace common {

class ComInit {
 public:
  explicit ComInit(DWORD model = COINIT_APARTMENTTHREADED) noexcept : hr_(::CoInitializeEx(nullptr, model)) {}
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;
  ~ComInit() {
    if (MustUninitialize()) ::CoUninitialize();
  }

  HRESULT Result() const noexcept { return hr_; }
  bool MustUninitialize() const noexcept { return SUCCEEDED(hr_); }
  // COM works on this thread (perhaps in the model set up before).
  bool Usable() const noexcept { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT hr_;
};

// OleInitialize: a single-threaded apartment with OLE's clipboard, drag and
// drop and in-place activation.
class OleInit {
 public:
  OleInit() noexcept : hr_(::OleInitialize(nullptr)) {}
  OleInit(const OleInit&) = delete;
  OleInit& operator=(const OleInit&) = delete;
  ~OleInit() {
    if (MustUninitialize()) ::OleUninitialize();
  }

  HRESULT Result() const noexcept { return hr_; }
  bool MustUninitialize() const noexcept { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

}  // namespace common
