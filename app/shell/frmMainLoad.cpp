// frmMain: start-up (Form_Load) and closing (Form_Unload).
#include <string>

#include "ErrorScope.h"
#include "Global.h"
#include "MainLayout.h"
#include "PortalContract.h"
#include "TorvaneIds.h"
#include "common/Module.h"
#include "frmMain.h"

namespace torvane {

namespace {

constexpr wchar_t kUniqueName[] = L"Torvane";
constexpr wchar_t kRegistryKey[] = L"HKEY_CURRENT_USER\\Software\\Velkor\\Torvane";

}  // namespace

void frmMain::Form_Load() {
  ErrorScope scope(context_, procedures::kMainLoad);
  scope.Run([&] { help_.SetHelpFile(common::ModuleDirectory(nullptr) + L"Torvane.chm"); });
  scope.Run([&] {
    ::SetWindowPos(window_, nullptr, TwipsToPixels(MainDesign::kWindowLeft, dpiX_),
                   TwipsToPixels(MainDesign::kWindowTop, dpiY_), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  });
  scope.Run([&] { PlaceHelpButton(); });
  scope.Run([&] { ResetGlobals(); });
  scope.Run([&] {
    int parts[2] = {TwipsToPixels(MainDesign::kStatusPanel1Width, dpiX_), -1};
    ::SendMessageW(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  });

  // vidPort: the control is embedded and active in place before it is
  // prepared, because it gives the engine its window. Run again (a schedule
  // found no camera), the routine prepares the control it has.
  if (!host_) scope.Run([&] {
    RECT place{};
    ::GetClientRect(liveView_, &place);
    host_ = std::make_unique<PortalHost>(liveView_, this);
    const HRESULT hr = host_->Create(place);
    if (FAILED(hr)) throw ComponentError(hr, L"Creating the VideoPortal control");
    vidPort_ = PortalClient(host_->DispatchPtr());
  });
  scope.Run([&] { vidPort_.PrepareControl(kUniqueName, kRegistryKey, 0); });
  scope.Run([&] { vidPort_.EnableUIElements(tovra2::kElementStatusBar, 0, 1); });
  scope.Run([&] { vidPort_.EnableUIElements(tovra2::kElementFormatSequence, 0, 1); });
  scope.Run([&] { vidPort_.ConnectCamera2(); });

  long connected = 0;
  scope.Run([&] { connected = vidPort_.CameraConnected(); });
  if (connected == 0) {
    scope.Run([&] { ShowControl(IDC_LIVEVIEW, false); });
    scope.Run([&] { SetStatusText(1, L"No camera connected"); });
    return;
  }
  scope.Run([&] { vidPort_.SetEnablePreview(-1); });
  scope.Run([&] { vidPort_.SetEnablePictureDiskErrorPrompt(-1); });
  scope.Run([&] { vidPort_.SetEnableMovieRecordErrorPrompt(-1); });
  scope.Run([&] { vidPort_.GetCameraDescription(0, &cameraDescription_); });
  scope.Run([&] { SetStatusText(1, L"Connected to " + cameraDescription_); });
}

void frmMain::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (!vidPort_.Attached()) return;
  try {
    vidPort_.DisconnectCamera();
  } catch (const AppError&) {
    context_.end.Now();
  }
}

}  // namespace torvane
