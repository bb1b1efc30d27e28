// Movie recording of one control: starting and stopping, frames on
// request and single-frame movies, the movie properties, whether this
// control or any client records, and the explanations a client sees when
// a recording cannot start or its target cannot take more. A stopped
// recording's capture file is finished at its target without ever losing
// the movie: post-processed, else moved there as it was captured, else
// kept where it is with an explanation. Even a recording whose engine died
// is finished from the frames the capture file holds.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/movies/CaptureFile.h"
#include "core/movies/MovieFinish.h"
#include "core/movies/MovieSettings.h"
#include "core/pictures/TargetCheck.h"
#include "core/session/CameraSession.h"
#include "engine/Records.h"
#include "ui/bar/PaneBar.h"

namespace portal {

class MovieRecording {
 public:
  // What a movie refused for its target needs on disk.
  static constexpr ULONGLONG kMovieBytesNeeded = 8000000;

  MovieRecording(CameraSession& session, WindowView& view, NotificationSink& events, PaneBar& bar,
                 MoviePostProcessor& postProcessor)
      : session_(session), view_(view), events_(events), bar_(bar), postProcessor_(postProcessor) {}
  MovieRecording(const MovieRecording&) = delete;
  MovieRecording& operator=(const MovieRecording&) = delete;

  // Records into a temporary capture file; the movie reaches fileName
  // when the recording stops.
  bool Start(const std::wstring& fileName, const std::wstring& textStamp);
  // Stops the engine's recording and finishes this control's movie; true
  // also when the movie reached its target unchanged, false when it could
  // only be kept as the capture file.
  bool Stop();
  bool AddFrame();
  // A movie of exactly one frame, written by the engine straight into
  // fileName; true when the frame was added.
  bool WriteSingleFrame(const std::wstring& fileName, const std::wstring& textStamp);

  // Whether this control records; false when the engine's state cannot be
  // read (*active is then 0).
  bool ReadActiveLocal(LONG* active);
  // Whether any client records, by the engine's state.
  bool ReadActiveGlobal(LONG* active);
  // This control's own flag, without asking the engine.
  bool RecordingLocal() const { return recordingLocal_; }

  // The engine ended the recording itself: tells the user, under the movie
  // prompt, when the target has no room or the camera is no longer usable.
  void ExplainEndedRecording();

  MovieSettings& Settings() { return settings_; }

 private:
  // A movie being recorded into its capture file, and where it goes.
  struct Recording {
    CaptureFile capture;
    std::wstring target;
  };

  // Refuses (with an explanation) while no camera is connected or any
  // client records.
  bool MayStart();
  void SendCompression();
  MovieRequestValues RequestValues(LONG recordMode) const;
  // Inquires the engine's reason for a refused start and explains it;
  // reasons other than the known ones only when explainOthers.
  void ExplainStartFailure(bool explainOthers);
  // Finishes a recorded capture file at its target; false when the movie
  // could only be kept as the capture file.
  bool FinishRecording();
  // Moves the queued progress reports out of the window's queue; true with
  // the newest one's values in *last when there was any.
  bool TakeQueuedProgress(MSG* last);

  // MovieExplanations.cpp
  void ExplainRefusal(bool connected);
  void ExplainReason(LONG reason, bool explainOthers);
  void ExplainKept(const Recording& recording);
  void Show(const TargetMessage& message);
  TargetCheckRequest MovieTargetRequest(LONG cameraState, const std::wstring& cameraName, bool diskTest) const;

  CameraSession& session_;
  WindowView& view_;
  NotificationSink& events_;
  PaneBar& bar_;
  MoviePostProcessor& postProcessor_;
  MovieSettings settings_;
  std::wstring target_;  // the file of the last movie operation
  std::optional<Recording> recording_;
  bool recordingLocal_ = false;
};

}  // namespace portal
