// The camera session of one control: the engine link, the connection
// state, describing and connecting cameras (with the automatic search),
// camera properties, the capture format with its support probe, the camera
// settings in the registry and the live preview. Everything camera-related
// goes through the engine link; what the window shows goes through the
// window view.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/session/ConnectionState.h"
#include "core/session/EngineWatch.h"
#include "engine/EngineLink.h"
#include "engine/interface/EngineRecords.h"

namespace portal {

class CameraSession {
 public:
  CameraSession(WindowView& view, NotificationSink& events) : view_(view), events_(events) {}
  CameraSession(const CameraSession&) = delete;
  CameraSession& operator=(const CameraSession&) = delete;

  // --- the engine (CameraSession.cpp)
  bool HasEngine() const { return engine_ != nullptr; }
  EngineLink* Engine() const { return engine_.get(); }
  // Takes the engine, completes the settings key, registers the control's
  // window with the engine and watches the engine's process.
  void Prepare(std::unique_ptr<EngineLink> engine, std::wstring_view uniqueName, std::wstring_view registryKey);
  // The window goes away: the camera is released, the engine forgets the
  // window and the control behaves as unprepared again.
  void Release();
  // The engine's process has ended: its link goes without another call,
  // and the control behaves as unprepared again.
  void Abandon();

  ConnectionState& State() { return state_; }
  const ConnectionState& State() const { return state_; }

  // --- cameras (CameraSession.cpp)
  bool CameraCount(LONG* count);
  bool ReadCamera(LONG index, engine::CameraRecord* record);
  bool ReadCurrentCamera(engine::CameraRecord* record);
  // The camera remembered in the registry, and its index when asked.
  bool ReadRememberedCamera(engine::CameraRecord* record, LONG* index);
  bool RememberedIndex(LONG* index);
  bool CameraInUse(LONG index, LONG* inUse);
  // The display name, or the equipment maker's name for its own cameras.
  std::wstring DisplayName(const engine::CameraRecord& camera) const;
  // Whether the connection inquiry could be made, and its answer.
  bool ReadConnected(LONG* connected);
  bool IsCameraConnected();
  LONG CurrentIndex();  // tovra2::kNoCameraIndex when unknown
  LONG CurrentState();  // tovra2::kCameraStateUnreadable when unknown
  bool ReadCurrentState(LONG* state);
  // The engine's recording state; false without a connected camera.
  bool ReadRecordingState(engine::RecordingStateRecord* state);
  // Whether any client of the engine is recording.
  bool RecordingAnywhere();
  // The same for a caller that has just seen the current camera: the
  // connection inquiry is left out (one engine call fewer).
  bool RecordingAnywhereOnCurrentCamera();

  // --- connecting (CameraConnection.cpp)
  bool Connect(LONG index);
  // The automatic search; false only when it could not run.
  bool ConnectAutomatically();
  bool Disconnect();

  // --- settings and properties (CameraSession.cpp)
  // An empty key means the settings key of Prepare.
  bool LoadSettings(std::wstring_view key);
  bool SaveSettings(std::wstring_view key);
  // A client's property put: live video during pictures is refused while
  // the client disallowed it.
  bool SetProperty(LONG property, LONG value);
  bool ReadProperty(LONG property, LONG* value);
  bool WriteProperty(LONG property, LONG value);

  // --- capture format (CaptureFormat.cpp)
  bool SetFormat(LONG width, LONG height, LONG bitDepth, LONG fourCC);
  // Outputs change only on success.
  bool ReadFormat(LONG* width, LONG* height, LONG* bitDepth, LONG* fourCC);

  // --- live preview (LivePreview.cpp)
  const PreviewSettings& Preview() const { return preview_; }
  // The engine's answer, else the stored value.
  LONG PreviewEnabled();
  // Stores the value and switches the engine's preview; false when the
  // engine could not be asked or refused.
  bool EnablePreview(LONG enable);
  void SetPreviewWidth(LONG width);
  void SetPreviewHeight(LONG height);

 private:
  bool Settings(LONG subCode, std::wstring_view key);
  void SearchAndConnect(LONG count);
  void ProbeFormatSupport();
  bool ApplyPreview(LONG enable);
  void ResizePreview(LONG width, LONG height);

  WindowView& view_;
  NotificationSink& events_;
  EngineWatch watch_{view_};  // outlives the link that reports to it
  std::unique_ptr<EngineLink> engine_;
  ConnectionState state_;
  PreviewSettings preview_;
};

}  // namespace portal
