// IVideoPortal methods. Each holds the process-wide busy counter while it
// runs; without a camera engine they yield the portal result 0 and leave
// their outputs as the caller preset them.
#include "core/VideoPortal.h"

#include "server/ModuleState.h"

namespace portal {

HRESULT VideoPortal::PrepareControl(BSTR, BSTR, LONG, LONG* plResult) {
  BusyScope busy;
  // The engine can only be created once the control has its window.
  if (HasEngine() || !window_.Handle()) return Result(plResult, false);
  return Result(plResult, false);
}

HRESULT VideoPortal::GetCameraCount(LONG*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::GetCameraDescription(LONG, BSTR*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::GetCameraType(LONG, LONG*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::QueryCameraConnected(LONG, LONG*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::QueryRegistryCameraIndex(LONG* lIndex, LONG* plResult) {
  BusyScope busy;
  if (lIndex) *lIndex = -1;
  return Result(plResult, false);
}

HRESULT VideoPortal::GetCameraState(LONG, LONG* plCameraState, LONG* plResult) {
  BusyScope busy;
  if (plCameraState) *plCameraState = 10;
  return Result(plResult, false);
}

HRESULT VideoPortal::ConnectCamera(LONG lIndex, LONG* plResult) {
  BusyScope busy;
  connection_.lastCameraIndex = lIndex;
  return Result(plResult, false);
}

HRESULT VideoPortal::ConnectCamera2(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::DisconnectCamera(LONG* plResult) {
  BusyScope busy;
  connection_.connectionWanted = false;
  return Result(plResult, false);
}

HRESULT VideoPortal::LoadRegistrySettings(BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::SaveRegistrySettings(BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::SetCameraPropertyLong(LONG, LONG, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::GetCameraPropertyLong(LONG, LONG*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::PictureToFile(LONG, LONG, BSTR, BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::PictureToMemory(LONG, LONG, LONG_PTR, LONG*, BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

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

HRESULT VideoPortal::SetVideoFormat(LONG, LONG, LONG, LONG, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::GetVideoFormat(LONG*, LONG*, LONG*, LONG*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::ShowCameraDlg(LONG lCameraDlg, LONG* plResult) {
  BusyScope busy;
  // The engine's dialog and the control panel report success even when
  // nothing could be shown; only the format sequence can refuse.
  return Result(plResult, lCameraDlg == 1 || lCameraDlg == 2);
}

HRESULT VideoPortal::StartVideoHook(LONG, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::StopVideoHook(LONG, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::SendCommand(LONG, LONG, LONG, LONG_PTR, LONG, LONG_PTR, LONG, LONG* plResult) {
  BusyScope busy;
  if (plResult) *plResult = 1;  // no engine: the engine's "failed" status
  return S_OK;
}

HRESULT VideoPortal::Query(LONG, LONG, LONG, LONG_PTR, LONG, LONG_PTR, LONG, LONG* plResult) {
  BusyScope busy;
  if (plResult) *plResult = 1;
  return S_OK;
}

}  // namespace portal
