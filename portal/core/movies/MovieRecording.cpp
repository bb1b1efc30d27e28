// Movie recording of one control: the recording members and the state.
#include "core/movies/MovieRecording.h"

#include "PortalContract.h"
#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"

namespace portal {

using namespace engine;

namespace {

// Report values travel as 32-bit numbers.
LONG_PTR Long(WPARAM value) { return static_cast<LONG_PTR>(static_cast<LONG>(value)); }
LONG_PTR Long(LPARAM value) { return static_cast<LONG_PTR>(static_cast<LONG>(value)); }

}  // namespace

bool MovieRecording::MayStart() {
  const bool connected = session_.IsCameraConnected();
  if (connected && !session_.RecordingAnywhere()) return true;
  ExplainRefusal(connected);
  return false;
}

void MovieRecording::SendCompression() {
  session_.Engine()->ExecuteRecord(
      kCmdMovie, kMovieCompression,
      MakeVideoCompressionRecord(settings_.videoCompressionFourCC, settings_.videoQuality, settings_.keyFrameInterval));
}

MovieRequestValues MovieRecording::RequestValues(LONG recordMode) const {
  MovieRequestValues values;
  values.framePeriodMs = MovieFramePeriodMs(settings_.playbackFps);
  values.recordMode = recordMode;
  values.compression = settings_.videoCompressionFourCC != 0;
  values.recordAudio = settings_.recordAudio;
  values.createFlags = settings_.createFlags;
  return values;
}

void MovieRecording::ExplainStartFailure(bool explainOthers) {
  LONG reason = kReasonNone;
  session_.Engine()->InquireLong(kCmdLastFailure, kNoSubCode, &reason);
  ExplainReason(reason, explainOthers);
}

bool MovieRecording::Start(const std::wstring& fileName, const std::wstring& textStamp) {
  if (!session_.HasEngine()) return false;
  target_ = fileName;
  if (!MayStart()) return false;
  // A movie the engine ended before it could be stopped is finished first.
  if (recording_) FinishRecording();
  EngineLink& engine = *session_.Engine();
  SendCompression();
  engine.ExecuteRecord(kCmdMovie, kMovieAudioFormat,
                       MakeAudioFormatRecord(settings_.audioChannels, settings_.audioSamplesPerSecond,
                                             settings_.audioBitsPerSample, 0, settings_.audioQuality));
  std::optional<CaptureFile> capture = CaptureFile::Reserve();
  if (!capture) {
    ExplainReason(kReasonFile, true);
    return false;
  }
  if (!engine.ExecuteRecord(kCmdMovie, kMovieStart,
                            MakeMovieRequest(capture->Path(), textStamp, RequestValues(settings_.recordMode)))) {
    ::DeleteFileA(capture->AnsiPath().c_str());  // whatever the engine began holds nothing
    ExplainStartFailure(true);
    return false;
  }
  recording_ = Recording{std::move(*capture), fileName};
  recordingLocal_ = true;
  bar_.ShowRecording(true);
  view_.LayOut();
  return true;
}

bool MovieRecording::TakeQueuedProgress(MSG* last) {
  bool taken = false;
  MSG queued;
  while (view_.TakeQueued(kMsgRecordingProgress, &queued)) {
    *last = queued;
    taken = true;
  }
  return taken;
}

bool MovieRecording::FinishRecording() {
  if (!recording_) return true;  // a single frame the engine wrote into its target
  Recording recording = std::move(*recording_);
  recording_.reset();
  switch (FinishMovie(postProcessor_, recording.capture.Path(), recording.target)) {
    case MovieFinish::kSaved:
    case MovieFinish::kMovedUnchanged:
      return true;
    case MovieFinish::kKeptAsCapture:
      ExplainKept(recording);
      return false;
    case MovieFinish::kNothingRecorded:
      break;
  }
  return false;
}

bool MovieRecording::Stop() {
  if (!session_.HasEngine()) return false;
  const HRESULT stopped = session_.Engine()->Execute(kCmdMovie, kMovieStop, nullptr, 0, nullptr, 0);
  // The capture file of an engine that died holds every frame written
  // until then: that movie is finished all the same.
  if (FAILED(stopped) && !(recordingLocal_ && IsEngineGone(stopped))) return false;
  MSG lastProgress = {};
  const bool progressQueued = TakeQueuedProgress(&lastProgress);
  bool finished = true;
  if (recordingLocal_) {
    finished = FinishRecording();
    if (progressQueued) {
      events_.Notify(tovra2::kNotifyRecordingProgress, 0, Long(lastProgress.wParam), Long(lastProgress.lParam));
    }
  }
  recordingLocal_ = false;
  bar_.ShowRecording(false);
  view_.LayOut();
  return finished;
}

bool MovieRecording::AddFrame() {
  LONG active = 0;
  if (!session_.IsCameraConnected() || !ReadActiveGlobal(&active) || active != 1) return false;
  return session_.Engine()->ExecuteBare(kCmdMovie, kMovieAddFrame);
}

bool MovieRecording::WriteSingleFrame(const std::wstring& fileName, const std::wstring& textStamp) {
  if (!session_.HasEngine()) return false;
  target_ = fileName;
  if (!MayStart()) return false;
  if (recording_) FinishRecording();
  SendCompression();
  // Frame by frame, so that the camera's clock adds none: the movie holds
  // the one frame asked for.
  recordingLocal_ = true;
  if (!session_.Engine()->ExecuteRecord(kCmdMovie, kMovieStart,
                                        MakeMovieRequest(fileName, textStamp, RequestValues(kRecordModeFrameByFrame)))) {
    recordingLocal_ = false;
    ExplainStartFailure(false);
    return false;
  }
  const bool added = AddFrame();
  Stop();
  return added;
}

bool MovieRecording::ReadActiveLocal(LONG* active) {
  *active = 0;
  if (!session_.HasEngine()) {
    *active = recordingLocal_ ? 1 : 0;
    return true;
  }
  RecordingStateRecord state;
  if (!session_.ReadRecordingState(&state)) return false;
  *active = state.active != 0 && recordingLocal_ ? 1 : 0;
  return true;
}

bool MovieRecording::ReadActiveGlobal(LONG* active) {
  *active = 0;
  if (!session_.HasEngine()) return true;
  RecordingStateRecord state;
  if (!session_.ReadRecordingState(&state)) return false;
  *active = state.active != 0 ? 1 : 0;
  return true;
}

}  // namespace portal
