// A VideoPortal control hosted in the minimal test container, activated in
// place, prepared with the real camera engine and connected to a camera;
// late-bound calls by dispatch identifier as the application makes them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <memory>

#include "DispatchCall.h"
#include "HostedPortal.h"
#include "PortalContract.h"
#include "Tovra2.h"

namespace picture_test {

namespace dispid = tovra2::dispid;

class PortalHost {
 public:
  PortalHost() = default;
  PortalHost(const PortalHost&) = delete;
  PortalHost& operator=(const PortalHost&) = delete;
  ~PortalHost() { Close(); }

  // Creates, activates, prepares and connects; check HasFatalFailure().
  void Open();
  void Close();

  // Method call; returns the retval (plResult).
  LONG Call(DISPID id, std::vector<testing_support::Variant> args) { return host_->Call(id, std::move(args)); }
  LONG Get(DISPID id) { return host_->Get(id); }
  void Put(DISPID id, LONG value) { host_->Put(id, value); }

  LONG SetFormat(LONG width, LONG height) { return Call(dispid::kSetVideoFormat, Args(width, height, 24L, 0L)); }
  LONG ReadProperty(LONG property);
  // Scenario channel: the engine's next command fails with reason.
  LONG FailNextCommand(LONG reason);
  // Scenario channel: the connected camera reports state from now on.
  LONG SetCameraState(LONG state);
  // Inquire 99: the engine's last failure reason.
  LONG LastFailure();
  // Size query of PictureToMemory; -1 when refused.
  LONG MemorySize();
  LONG PictureToMemory(std::vector<BYTE>* buffer, LONG size, const wchar_t* textStamp = L"");
  LONG PictureToFile(const std::wstring& path, LONG fourCC = 0, LONG bitDepth = 24);

  IVideoPortalEarlyBound* EarlyBound() const { return host_->EarlyBound(); }
  HWND ContainerWindow() const { return host_->ContainerWindow(); }

  template <typename... T>
  static std::vector<testing_support::Variant> Args(T... values) {
    std::vector<testing_support::Variant> args;
    (args.emplace_back(values), ...);
    return args;
  }

 private:
  std::unique_ptr<portal_test::HostedPortal> host_;
};

// Bytes of a complete 24-bit bitmap file image.
LONG BitmapFileSize(LONG width, LONG height);

// Checks a bitmap file image: "BM", sizes, a 24-bit uncompressed
// BITMAPINFOHEADER of width x height right behind the 14-byte header.
void ExpectBitmapFile(const BYTE* data, size_t size, LONG width, LONG height);

}  // namespace picture_test
