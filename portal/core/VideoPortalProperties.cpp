// IVideoPortal properties and user-interface switches. Puts of the movie
// properties store any value unchecked; the engine sees them when a
// recording starts.
#include "core/VideoPortal.h"

#include "PortalContract.h"
#include "common/Strings.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

HRESULT Get(LONG* out, LONG value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

HRESULT Put(LONG* field, LONG value) {
  *field = value;
  return S_OK;
}

}  // namespace

HRESULT VideoPortal::get_PictureSound(BSTR* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = common::AllocBstr(settings_.pictureSound);
  return *pVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT VideoPortal::put_PictureSound(BSTR newVal) {
  BusyScope busy;
  // The engine receives the path in the ANSI code page.
  settings_.pictureSound = common::AnsiToWide(common::WideToAnsi(common::BstrToWide(newVal)));
  return S_OK;
}

HRESULT VideoPortal::get_EnablePreview(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  engine::PreviewRecord state;
  *pVal = engine_ && engine_->InquireRecord(engine::kCmdPreview, engine::kPreviewOn, &state) ? state.on
                                                                                             : settings_.enablePreview;
  return S_OK;
}

HRESULT VideoPortal::put_EnablePreview(LONG newVal) {
  BusyScope busy;
  settings_.enablePreview = newVal;
  return ApplyPreview(newVal) ? S_OK : S_FALSE;
}

// Switches the engine's preview into the preview window on or off.
bool VideoPortal::ApplyPreview(LONG enable) {
  if (!engine_ || !preview_.Handle()) return false;
  const bool applied = enable ? engine_->ExecuteRecord(engine::kCmdPreview, engine::kPreviewOn,
                                                       MakePreviewRecord(preview_.Handle(), settings_.previewMaxWidth,
                                                                         settings_.previewMaxHeight))
                              : engine_->ExecuteBare(engine::kCmdPreview, engine::kPreviewOff);
  preview_.SetLive(applied && enable != 0);
  return applied;
}

#define PORTAL_STORED_PROPERTY(Name, field)      \
  HRESULT VideoPortal::get_##Name(LONG* pVal) {  \
    BusyScope busy;                              \
    return Get(pVal, settings_.field);           \
  }                                              \
  HRESULT VideoPortal::put_##Name(LONG newVal) { \
    BusyScope busy;                              \
    return Put(&settings_.field, newVal);        \
  }

PORTAL_STORED_PROPERTY(MovieVideoCompressionFOURCC, movie.videoCompressionFourCC)
PORTAL_STORED_PROPERTY(MovieVideoCompressionKeyFrameInterval, movie.keyFrameInterval)
PORTAL_STORED_PROPERTY(MovieVideoCompressionQuality, movie.videoQuality)
PORTAL_STORED_PROPERTY(MoviePlaybackFPS, movie.playbackFps)
PORTAL_STORED_PROPERTY(MovieAudioSamplesPerSecond, movie.audioSamplesPerSecond)
PORTAL_STORED_PROPERTY(MovieAudioChannels, movie.audioChannels)
PORTAL_STORED_PROPERTY(MovieAudioBitsPerSample, movie.audioBitsPerSample)
PORTAL_STORED_PROPERTY(MovieRecordAudio, movie.recordAudio)
PORTAL_STORED_PROPERTY(MovieRecordMode, movie.recordMode)
PORTAL_STORED_PROPERTY(MovieCreateFlags, movie.createFlags)
PORTAL_STORED_PROPERTY(EnableMovieRecordErrorPrompt, enableMovieRecordErrorPrompt)
PORTAL_STORED_PROPERTY(EnablePictureDiskErrorPrompt, enablePictureDiskErrorPrompt)

#undef PORTAL_STORED_PROPERTY

// Audio compression is fixed to PCM: reads yield 0, puts store 0.
HRESULT VideoPortal::get_MovieAudioCompressionFOURCC(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::put_MovieAudioCompressionFOURCC(LONG) {
  BusyScope busy;
  return S_OK;
}

HRESULT VideoPortal::get_MovieAudioCompressionQuality(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::put_MovieAudioCompressionQuality(LONG) {
  BusyScope busy;
  settings_.movie.audioQuality = 0;  // the engine sees -1 only until the first put
  return S_OK;
}

HRESULT VideoPortal::get_MovieRecordingActiveLocal(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  if (!engine_) return Get(pVal, recordingLocal_ ? 1 : 0);
  engine::RecordingStateRecord state;
  *pVal = 0;
  if (!IsCameraConnected() || !engine_->InquireRecord(engine::kCmdMovie, engine::kMovieState, &state)) return S_FALSE;
  *pVal = state.active != 0 && recordingLocal_ ? 1 : 0;
  return S_OK;
}

HRESULT VideoPortal::get_MovieRecordingActiveGlobal(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = 0;
  if (!engine_) return S_OK;
  engine::RecordingStateRecord state;
  if (!IsCameraConnected() || !engine_->InquireRecord(engine::kCmdMovie, engine::kMovieState, &state)) return S_FALSE;
  *pVal = state.active != 0 ? 1 : 0;
  return S_OK;
}

HRESULT VideoPortal::put_StatusBarText(BSTR) {
  BusyScope busy;
  return S_FALSE;  // no status bar yet
}

HRESULT VideoPortal::get_PreviewMaxWidth(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, settings_.previewMaxWidth);
}

HRESULT VideoPortal::put_PreviewMaxWidth(LONG newVal) {
  BusyScope busy;
  settings_.previewMaxWidth = newVal;
  ResizePreview(settings_.previewMaxWidth + 2 * ::GetSystemMetrics(SM_CXBORDER),
                settings_.previewMaxHeight + 2 * ::GetSystemMetrics(SM_CYBORDER));
  return S_OK;
}

HRESULT VideoPortal::get_PreviewMaxHeight(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, settings_.previewMaxHeight);
}

HRESULT VideoPortal::put_PreviewMaxHeight(LONG newVal) {
  BusyScope busy;
  settings_.previewMaxHeight = newVal;
  ResizePreview(settings_.previewMaxWidth, settings_.previewMaxHeight);
  return S_OK;
}

// A new preview size reaches the engine by switching a running preview off
// and on again.
void VideoPortal::ResizePreview(LONG width, LONG height) {
  if (!engine_ || !preview_.Handle()) return;
  ::SetWindowPos(preview_.Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LONG on = 0;
  get_EnablePreview(&on);
  if (on) {
    ApplyPreview(0);
    ApplyPreview(on);
  }
}

HRESULT VideoPortal::get_VideoHookStateGlobal(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::get_VideoHookStateLocal(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::EnableUIElements(LONG lElement, LONG, LONG lEnable, LONG* plResult) {
  BusyScope busy;
  const bool on = lEnable != 0;
  auto setMenu = [&](Resolution size) { connection_.menuEnabled[static_cast<size_t>(size)] = on; };
  switch (lElement) {
    case tovra2::kElementMenu640x480: setMenu(Resolution::k640x480); break;
    case tovra2::kElementMenu320x240: setMenu(Resolution::k320x240); break;
    case tovra2::kElementPreviewDuringPictures: connection_.allowPreviewDuringPictures = on; break;
    case tovra2::kElementStatusBar: break;  // the status bar comes with the preview layout
    case tovra2::kElementFormatSequence: connection_.allowFormatSequence = on; break;
    case tovra2::kElementMenu160x120: setMenu(Resolution::k160x120); break;
    case tovra2::kElementBarOption: connection_.barOption = on; break;
    case tovra2::kElementMenu240x180: setMenu(Resolution::k240x180); break;
    case tovra2::kElementMenu800x600: setMenu(Resolution::k800x600); break;
    case tovra2::kElementMenu1024x768: setMenu(Resolution::k1024x768); break;
    case tovra2::kElementMenu1280x960: setMenu(Resolution::k1280x960); break;
    case tovra2::kElementMenu1600: break;
    case tovra2::kElementStillCapable:
      connection_.stillCapable = on;
      if (on) {  // a still-capable camera also offers the large sizes
        setMenu(Resolution::k1280x960);
        setMenu(Resolution::k1600);
      }
      break;
    default: return Result(plResult, false);  // kElementUnsupported and unknown elements
  }
  return Result(plResult, true);
}

}  // namespace portal
