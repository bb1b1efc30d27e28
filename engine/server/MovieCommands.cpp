// Movie recording (6/x): 6/4 and 6/5 prepare the video compression and the
// audio format, 6/1 starts recording into the capture file, 6/3 adds one
// frame, 6/2 stops, inquiry 6/6 reports the state. Video is uncompressed
// 24-bit DIB when compression is off or the codec FourCC is 0 or "DIB ";
// any other codec is recorded as MJPEG by the engine's own encoder (the
// engine uses no installed codecs). Sound is the synthetic microphone's
// tone in the prepared PCM format.
#include "EngineCommands.h"
#include "Engine.h"
#include "Handlers.h"
#include "Log.h"
#include "common/Strings.h"

namespace engine {
namespace {

constexpr std::uint32_t kFourCcDib = 0x20424944;  // "DIB "
constexpr std::int32_t kMaxFramePeriodMs = 60000;

int JpegQuality(std::int32_t codecQuality) {
  // Codec qualities run 0..10000 (-1 = the codec's default).
  if (codecQuality < 0) return media::MjpegEncoder::kDefaultQuality;
  const int quality = codecQuality > 100 ? codecQuality / 100 : codecQuality;
  return quality < 1 ? 1 : quality;
}

std::optional<media::AudioFormat> AudioOf(const AudioFormatRecord& record) {
  media::AudioFormat format;
  format.samplesPerSecond = record.samplesPerSecond;
  format.channels = record.channels;
  format.bitsPerSample = record.bitsPerSample;
  if (record.fourCC != 0 || !format.Valid()) return std::nullopt;
  return format;
}

// Stores a record only when all of it is valid.
template <typename Record>
HRESULT Store(const Call& call, Record* target) {
  Record record;
  const HRESULT hr = ReadSizedRecord(call, &record);
  if (SUCCEEDED(hr)) *target = record;
  return hr;
}

HRESULT Start(Session& session, const Call& call) {
  MovieRequestRecord request;
  HRESULT hr = ReadSizedRecord(call, &request);
  if (FAILED(hr)) return hr;
  if (request.framePeriodMs < 0 || request.framePeriodMs > kMaxFramePeriodMs) return E_INVALIDARG;
  if (!session.Usable()) return session.Fail(kReasonNoCamera);
  if (Engine::Instance().AnyRecording()) return session.Fail(kReasonBusy);

  MovieSettings settings;
  settings.path = common::AnsiToWide(
      common::AnsiFieldToString(request.captureFile, sizeof(request.captureFile)));
  if (settings.path.empty()) return session.Fail(kReasonFile);
  settings.size = session.camera->CaptureSize();
  settings.framePeriodMs = static_cast<std::uint32_t>(request.framePeriodMs);
  settings.stepMode = request.recordMode == 3;
  const std::uint32_t codec = session.compression.fourCC;
  settings.mjpeg = request.compression != 0 && codec != 0 && codec != kFourCcDib;
  settings.jpegQuality = JpegQuality(session.compression.quality);
  if (request.recordAudio != 0) settings.audio = AudioOf(session.audioFormat);
  settings.textStamp = common::AnsiFieldToString(request.textStamp, sizeof(request.textStamp));
  settings.style = session.stampStyle;
  settings.limits = session.movieLimits;

  hr = session.movie.Start(settings);
  if (FAILED(hr)) {
    LogLine("capture file could not be created: 0x%08lX", static_cast<unsigned long>(hr));
    return session.Fail(kReasonFile);
  }
  return S_OK;
}

// One frame on request: a fresh picture of the scene, in any record mode.
HRESULT AddFrame(Session& session) {
  if (!session.movie.Active()) return session.Fail(kReasonNoCamera);
  if (!session.Usable()) return session.Fail(kReasonNoCamera);
  media::Frame frame;
  const HRESULT hr = session.camera->RenderNow(session.movie.Size(), frame);
  if (FAILED(hr)) return hr;
  session.RecordFrame(frame);
  return session.movie.Active() ? S_OK : E_FAIL;
}

}  // namespace

HRESULT ExecuteMovie(Session& session, const Call& call) {
  switch (call.subCode) {
    case kMovieStart: return Start(session, call);
    case kMovieStop: {
      const HRESULT hr = session.movie.Stop();
      return FAILED(hr) ? session.Fail(kReasonFile) : S_OK;
    }
    case kMovieAddFrame: return AddFrame(session);
    case kMovieCompression: return Store(call, &session.compression);
    case kMovieAudioFormat: return Store(call, &session.audioFormat);
    default: return E_NOTIMPL;
  }
}

HRESULT InquireMovie(Session& session, const Call& call) {
  if (call.subCode != kMovieState) return E_NOTIMPL;
  RecordingStateRecord state{sizeof(RecordingStateRecord), 0, 0};
  state.framesWritten = session.movie.Active() ? session.movie.Frames() : 0;
  state.active = Engine::Instance().AnyRecording() ? 1 : 0;
  return WriteRecord(call, state);
}

}  // namespace engine
