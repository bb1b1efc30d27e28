// Movie recording of one control: the recording members, the movie
// properties and whether this control or any client records. Recording
// itself is not built yet: the recording members yield false.
#pragma once

#include <windows.h>

#include <string>

#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/movies/MovieSettings.h"
#include "core/session/CameraSession.h"

namespace portal {

class MovieRecording {
 public:
  MovieRecording(CameraSession& session, WindowView& view, NotificationSink& events)
      : session_(session), view_(view), events_(events) {}
  MovieRecording(const MovieRecording&) = delete;
  MovieRecording& operator=(const MovieRecording&) = delete;

  bool Start(const std::wstring& fileName, const std::wstring& textStamp);
  bool Stop();
  bool AddFrame();
  bool WriteSingleFrame(const std::wstring& fileName, const std::wstring& textStamp);

  // Whether this control records; false when the engine's state cannot be
  // read (*active is then 0).
  bool ReadActiveLocal(LONG* active);
  // Whether any client records, by the engine's state.
  bool ReadActiveGlobal(LONG* active);
  // This control's own flag, without asking the engine.
  bool RecordingLocal() const { return recordingLocal_; }

  MovieSettings& Settings() { return settings_; }

 private:
  CameraSession& session_;
  WindowView& view_;
  NotificationSink& events_;
  MovieSettings settings_;
  bool recordingLocal_ = false;
};

}  // namespace portal
