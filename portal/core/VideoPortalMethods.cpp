// IVideoPortal members of the camera dialogs, the video hook and the
// engine pass-through, and GetLastError.
#include "core/VideoPortal.h"

#include "PortalContract.h"
#include "server/ModuleState.h"

namespace portal {

HRESULT VideoPortal::GetLastError(LONG* plError) {
  BusyScope busy;
  if (plError) *plError = 0;  // the control keeps no error state
  return S_OK;
}

HRESULT VideoPortal::ShowCameraDlg(LONG lCameraDlg, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, dialogs_.Show(lCameraDlg));
}

HRESULT VideoPortal::StartVideoHook(LONG, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, hook_.Start());
}

HRESULT VideoPortal::StopVideoHook(LONG, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, hook_.Stop());
}

// SendCommand and Query hand the caller's seven values straight to the
// engine; the result is the engine's own status (0 = success).
HRESULT VideoPortal::SendCommand(LONG lCommand, LONG lSubCommand, LONG, LONG_PTR lParam, LONG lParamSize,
                                 LONG_PTR plParam2, LONG lParamSize2, LONG* plResult) {
  BusyScope busy;
  LONG status = tovra2::kNoEngineStatus;
  if (EngineLink* engine = session_.Engine()) {
    status = engine->Execute(lCommand, lSubCommand, reinterpret_cast<const void*>(lParam), lParamSize,
                             reinterpret_cast<void*>(plParam2), lParamSize2);
  }
  if (plResult) *plResult = status;
  return S_OK;
}

HRESULT VideoPortal::Query(LONG lCommand, LONG lSubCommand, LONG, LONG_PTR lParam, LONG lParamSize, LONG_PTR lParam2,
                           LONG lParamSize2, LONG* plResult) {
  BusyScope busy;
  LONG status = tovra2::kNoEngineStatus;
  if (EngineLink* engine = session_.Engine()) {
    status = engine->Inquire(lCommand, lSubCommand, reinterpret_cast<const void*>(lParam), lParamSize,
                             reinterpret_cast<void*>(lParam2), lParamSize2);
  }
  if (plResult) *plResult = status;
  return S_OK;
}

}  // namespace portal
