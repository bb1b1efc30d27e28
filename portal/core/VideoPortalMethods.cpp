// Movies, the video hook, dialogs and the engine pass-through.
// Each method holds the process-wide busy counter while it runs.
#include "core/VideoPortal.h"

#include "PortalContract.h"

#include "engine/interface/EngineCommands.h"
#include "server/ModuleState.h"

namespace portal {

HRESULT VideoPortal::StartMovieRecording(BSTR, BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::StopMovieRecording(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::StepCaptureAddFrame(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::MovieRecordWriteSingleFrame(BSTR, BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::GetLastError(LONG* plError) {
  BusyScope busy;
  if (plError) *plError = 0;  // the control keeps no error state
  return S_OK;
}

HRESULT VideoPortal::ShowCameraDlg(LONG lCameraDlg, LONG* plResult) {
  BusyScope busy;
  if (lCameraDlg == tovra2::kCameraDlgEngine) {
    LONG index = tovra2::kNoCameraIndex;
    get_CameraIndex(&index);
    if (index != tovra2::kNoCameraIndex && engine_) engine_->ExecuteBare(engine::kCmdDialog, engine::kDialogCamera);
  }
  // The engine's dialog and the control panel report success even when
  // nothing could be shown; only the format sequence can refuse.
  return Result(plResult, lCameraDlg == tovra2::kCameraDlgEngine || lCameraDlg == tovra2::kCameraDlgControlPanel);
}

HRESULT VideoPortal::StartVideoHook(LONG, LONG* plResult) {
  BusyScope busy;
  if (!HasEngine() || !WriteProperty(engine::kPropHook, 1)) return Result(plResult, false);
  LONG width = 320, height = 240, depth = 0, fourCC = 0;
  ReadFormat(&width, &height, &depth, &fourCC);
  // The engine creates the shared image when the hook starts.
  return Result(plResult, hook_.Open(width, height));
}

HRESULT VideoPortal::StopVideoHook(LONG, LONG* plResult) {
  BusyScope busy;
  // The image stays mapped until the hook starts again or the control
  // goes away; the engine simply stops signalling frames.
  return Result(plResult, HasEngine() && WriteProperty(engine::kPropHook, 0));
}

// SendCommand and Query hand the caller's seven values straight to the
// engine; the result is the engine's own status (0 = success).
HRESULT VideoPortal::SendCommand(LONG lCommand, LONG lSubCommand, LONG, LONG_PTR lParam, LONG lParamSize,
                                 LONG_PTR plParam2, LONG lParamSize2, LONG* plResult) {
  BusyScope busy;
  LONG status = tovra2::kNoEngineStatus;
  if (engine_) {
    status = engine_->Execute(lCommand, lSubCommand, reinterpret_cast<const void*>(lParam), lParamSize,
                              reinterpret_cast<void*>(plParam2), lParamSize2);
  }
  if (plResult) *plResult = status;
  return S_OK;
}

HRESULT VideoPortal::Query(LONG lCommand, LONG lSubCommand, LONG, LONG_PTR lParam, LONG lParamSize, LONG_PTR lParam2,
                           LONG lParamSize2, LONG* plResult) {
  BusyScope busy;
  LONG status = tovra2::kNoEngineStatus;
  if (engine_) {
    status = engine_->Inquire(lCommand, lSubCommand, reinterpret_cast<const void*>(lParam), lParamSize,
                              reinterpret_cast<void*>(lParam2), lParamSize2);
  }
  if (plResult) *plResult = status;
  return S_OK;
}

}  // namespace portal
