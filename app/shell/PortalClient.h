// The application's one door to the VideoPortal control: typed calls made
// late-bound through IDispatch::Invoke with the control's DISPIDs. A failed
// HRESULT throws AppError with the (negative) HRESULT as its number; the
// portal result code (1 success, 0 failure) is returned as it is.
#pragma once

#include <oaidl.h>

#include <string>

#include "common/ComPtr.h"

namespace torvane {

class PortalClient {
 public:
  PortalClient() = default;
  explicit PortalClient(common::ComPtr<IDispatch> control) : control_(std::move(control)) {}
  bool Attached() const { return static_cast<bool>(control_); }
  IDispatch* Dispatch() const { return control_.get(); }

  // Methods (DISPIDs 1-29); each returns the portal result code.
  long PrepareControl(const std::wstring& uniqueName, const std::wstring& registryKey, long flags);
  long GetCameraCount(long* count);
  long GetCameraDescription(long index, std::wstring* description);
  long ConnectCamera(long index);
  long ConnectCamera2();
  long DisconnectCamera();
  long SetCameraPropertyLong(long property, long value);
  long GetCameraPropertyLong(long property, long* value);
  long PictureToFile(long fourCC, long bitDepth, const std::wstring& fileName, const std::wstring& textStamp);
  long StartMovieRecording(const std::wstring& fileName, const std::wstring& textStamp);
  long StopMovieRecording();
  long StepCaptureAddFrame();
  long MovieRecordWriteSingleFrame(const std::wstring& fileName, const std::wstring& textStamp);
  long SetVideoFormat(long width, long height, long bitDepth, long fourCC);
  long GetVideoFormat(long* width, long* height, long* bitDepth, long* fourCC);
  long ShowCameraDlg(long dialog);
  long EnableUIElements(long element, long flags, long enable);
  // The engine's own status of a pass-through command.
  long SendCommand(long command, long subCommand, long flags, const void* data, long size);
  // The engine's own status of a pass-through inquiry into the caller's buffer.
  long Query(long command, long subCommand, long flags, const void* data, long size, void* answer,
             long answerSize);

  // Properties (DISPIDs 30-55).
  long CameraConnected();
  long CameraIndex();
  long CameraState();
  void SetEnablePreview(long value);
  void SetEnablePictureDiskErrorPrompt(long value);
  void SetEnableMovieRecordErrorPrompt(long value);
  long MoviePlaybackFPS();
  void SetMoviePlaybackFPS(long value);
  void SetMovieRecordAudio(long value);
  void SetMovieRecordMode(long value);
  long MovieRecordingActiveLocal();
  void SetStatusBarText(const std::wstring& text);

 private:
  common::ComPtr<IDispatch> control_;
};

}  // namespace torvane
