// Text stamp style (7/0), picture sound (12/2) and pictures to a file
// (12/0) or to the client's mapping (12/3 at the capture size, 12/4 at the
// still size when one is set: a capture device takes it with its still
// pin, or captures it at that size).
#include "Engine.h"
#include "EngineCommands.h"
#include "Handlers.h"
#include "Log.h"
#include "PictureOutput.h"
#include "common/Strings.h"
#include "media/BitmapFile.h"

namespace engine {
namespace {

HRESULT SetSound(Session& session, const Call& call) {
  PictureSoundRecord record;
  const HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  session.pictureSound = common::AnsiFieldToString(record.soundFile, sizeof(record.soundFile));
  return S_OK;
}

HRESULT TakePicture(Session& session, const Call& call) {
  PictureRequestRecord request;
  HRESULT hr = ReadSizedRecord(call, &request);
  if (FAILED(hr)) return hr;
  const std::string target = common::AnsiFieldToString(request.target, sizeof(request.target));
  if (target.empty()) return E_INVALIDARG;
  if (!session.Usable()) return session.Fail(kReasonNoCamera);

  Camera& camera = *session.camera;
  FrameSize size = camera.CaptureSize();
  if (call.subCode == kPictureToMappingStill && camera.StillSize()) size = *camera.StillSize();
  Engine& engine = Engine::Instance();
  // A device's format switch would cut into the recording of its frames.
  if (camera.NeedsFormatSwitch(size) && engine.Recording(camera)) return session.Fail(kReasonBusy);
  media::Frame picture;
  hr = camera.RenderNow(size, picture);
  if (camera.IsDevice() && !camera.Capturing()) {
    LogLine("capture device \"%s\" did not come back from its picture", camera.Definition().name.c_str());
    engine.CameraLost(camera);
  }
  if (FAILED(hr)) {
    LogLine("picture %ldx%ld from \"%s\" failed: 0x%08lX", static_cast<long>(size.width),
            static_cast<long>(size.height), camera.Definition().name.c_str(), static_cast<unsigned long>(hr));
    // A device that gives no picture in time fails like one that gives
    // no frame.
    return camera.IsDevice() ? session.Fail(kReasonFile) : hr;
  }
  StampPicture(session, picture,
               common::AnsiFieldToString(request.textStamp, sizeof(request.textStamp)));

  if (call.subCode == kPictureToFile) {
    hr = media::WriteBitmapFile(picture, common::AnsiToWide(target));
  } else {
    hr = PictureToMapping(picture, target, request.mappingSize);
  }
  if (FAILED(hr)) {
    session.lastFailure = kReasonFile;
    LogLine("picture %ld to \"%s\" failed: 0x%08lX", call.subCode, target.c_str(),
            static_cast<unsigned long>(hr));
    return hr;
  }
  PlayPictureSound(session);
  return S_OK;
}

}  // namespace

HRESULT ExecuteTextStamp(Session& session, const Call& call) {
  if (call.subCode != 0) return E_NOTIMPL;
  if (!call.HasInput(sizeof(media::TextStampStyle))) return E_INVALIDARG;
  media::TextStampStyle style;
  const HRESULT hr = media::ParseTextStampStyle(call.input, sizeof(style), &style);
  if (SUCCEEDED(hr)) session.stampStyle = style;
  return hr;
}

HRESULT ExecutePicture(Session& session, const Call& call) {
  switch (call.subCode) {
    case kPictureSound: return SetSound(session, call);
    case kPictureToFile:
    case kPictureToMapping:
    case kPictureToMappingStill:
      return TakePicture(session, call);
    default: return E_NOTIMPL;
  }
}

}  // namespace engine
