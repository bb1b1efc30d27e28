// IVideoPortal properties and user-interface switches. Puts of the movie
// properties store any value unchecked; the engine sees them when a
// recording starts.
#include "core/VideoPortal.h"

#include "common/Strings.h"
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

HRESULT VideoPortal::get_CameraConnected(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::get_CameraIndex(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, -1);
}

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
  return Get(pVal, settings_.enablePreview);
}

HRESULT VideoPortal::put_EnablePreview(LONG newVal) {
  BusyScope busy;
  return Put(&settings_.enablePreview, newVal);
}

#define PORTAL_STORED_PROPERTY(Name, field)                                                   \
  HRESULT VideoPortal::get_##Name(LONG* pVal) {                                               \
    BusyScope busy;                                                                           \
    return Get(pVal, settings_.field);                                                        \
  }                                                                                           \
  HRESULT VideoPortal::put_##Name(LONG newVal) {                                              \
    BusyScope busy;                                                                           \
    return Put(&settings_.field, newVal);                                                     \
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
  return S_OK;
}

HRESULT VideoPortal::get_MovieRecordingActiveLocal(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::get_MovieRecordingActiveGlobal(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::get_CameraState(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 10);
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
  return Put(&settings_.previewMaxWidth, newVal);
}

HRESULT VideoPortal::get_PreviewMaxHeight(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, settings_.previewMaxHeight);
}

HRESULT VideoPortal::put_PreviewMaxHeight(LONG newVal) {
  BusyScope busy;
  return Put(&settings_.previewMaxHeight, newVal);
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
    case 0: setMenu(Resolution::k640x480); break;
    case 1: setMenu(Resolution::k320x240); break;
    case 2: connection_.allowPreviewDuringPictures = on; break;
    case 3: break;  // the status bar comes with the preview layout
    case 4: connection_.allowFormatSequence = on; break;
    case 6: setMenu(Resolution::k160x120); break;
    case 7: connection_.barOption = on; break;
    case 8: setMenu(Resolution::k240x180); break;
    case 9: setMenu(Resolution::k800x600); break;
    case 10: setMenu(Resolution::k1024x768); break;
    case 11: setMenu(Resolution::k1280x960); break;
    case 12: break;
    case 13:
      connection_.stillCapable = on;
      if (on) {  // a still-capable camera also offers the large sizes
        setMenu(Resolution::k1280x960);
        setMenu(Resolution::k1600);
      }
      break;
    default: return Result(plResult, false);  // 5 and unknown elements
  }
  return Result(plResult, true);
}

}  // namespace portal
