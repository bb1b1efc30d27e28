// IVideoPortal members of movie recording: the recording members, the
// movie properties and the recording state.
#include "core/VideoPortal.h"

#include "common/Strings.h"
#include "server/ModuleState.h"

namespace portal {

HRESULT VideoPortal::StartMovieRecording(BSTR strFileName, BSTR strTextStamp, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, movies_.Start(common::BstrToWide(strFileName), common::BstrToWide(strTextStamp)));
}

HRESULT VideoPortal::StopMovieRecording(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, movies_.Stop());
}

HRESULT VideoPortal::StepCaptureAddFrame(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, movies_.AddFrame());
}

HRESULT VideoPortal::MovieRecordWriteSingleFrame(BSTR strFileName, BSTR strTextStamp, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, movies_.WriteSingleFrame(common::BstrToWide(strFileName), common::BstrToWide(strTextStamp)));
}

HRESULT VideoPortal::get_MovieRecordingActiveLocal(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  return movies_.ReadActiveLocal(pVal) ? S_OK : S_FALSE;
}

HRESULT VideoPortal::get_MovieRecordingActiveGlobal(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  return movies_.ReadActiveGlobal(pVal) ? S_OK : S_FALSE;
}

// Puts store any value unchecked.
#define PORTAL_MOVIE_PROPERTY(Name, field)       \
  HRESULT VideoPortal::get_##Name(LONG* pVal) {  \
    BusyScope busy;                              \
    if (!pVal) return E_POINTER;                 \
    *pVal = movies_.Settings().field;            \
    return S_OK;                                 \
  }                                              \
  HRESULT VideoPortal::put_##Name(LONG newVal) { \
    BusyScope busy;                              \
    movies_.Settings().field = newVal;           \
    return S_OK;                                 \
  }

PORTAL_MOVIE_PROPERTY(MovieVideoCompressionFOURCC, videoCompressionFourCC)
PORTAL_MOVIE_PROPERTY(MovieVideoCompressionKeyFrameInterval, keyFrameInterval)
PORTAL_MOVIE_PROPERTY(MovieVideoCompressionQuality, videoQuality)
PORTAL_MOVIE_PROPERTY(MoviePlaybackFPS, playbackFps)
PORTAL_MOVIE_PROPERTY(MovieAudioSamplesPerSecond, audioSamplesPerSecond)
PORTAL_MOVIE_PROPERTY(MovieAudioChannels, audioChannels)
PORTAL_MOVIE_PROPERTY(MovieAudioBitsPerSample, audioBitsPerSample)
PORTAL_MOVIE_PROPERTY(MovieRecordAudio, recordAudio)
PORTAL_MOVIE_PROPERTY(MovieRecordMode, recordMode)
PORTAL_MOVIE_PROPERTY(MovieCreateFlags, createFlags)
PORTAL_MOVIE_PROPERTY(EnableMovieRecordErrorPrompt, errorPrompt)

#undef PORTAL_MOVIE_PROPERTY

// Audio compression is fixed to PCM: reads yield 0, puts store 0.
HRESULT VideoPortal::get_MovieAudioCompressionFOURCC(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = 0;
  return S_OK;
}

HRESULT VideoPortal::put_MovieAudioCompressionFOURCC(LONG) {
  BusyScope busy;
  return S_OK;
}

HRESULT VideoPortal::get_MovieAudioCompressionQuality(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = 0;
  return S_OK;
}

HRESULT VideoPortal::put_MovieAudioCompressionQuality(LONG) {
  BusyScope busy;
  movies_.Settings().audioQuality = 0;  // the engine sees -1 only until the first put
  return S_OK;
}

}  // namespace portal
