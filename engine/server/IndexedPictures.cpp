// Indexed pictures (22/x): pictures the camera holds in its own memory,
// numbered from 0. 22/1 counts them, 22/6 describes one, 22/2 writes one
// to a file, 22/3 copies one as a bitmap file image into the caller's
// buffer (the second buffer of Execute), 22/4 keeps the current scene as a
// new picture and 22/5 clears the memory.
#include "EngineCommands.h"
#include "Handlers.h"
#include "PictureOutput.h"
#include "common/Strings.h"
#include "media/BitmapFile.h"

namespace engine {
namespace {

// The held picture a request names, stamped; E_INVALIDARG for a number
// out of range.
HRESULT StampedPicture(Session& session, const IndexedPictureRecord& request, media::Frame* out) {
  std::vector<media::Frame>& held = session.camera->HeldPictures();
  if (request.pictureNumber < 0 || static_cast<std::size_t>(request.pictureNumber) >= held.size()) {
    return E_INVALIDARG;
  }
  *out = held[static_cast<std::size_t>(request.pictureNumber)];
  StampPicture(session, *out, common::AnsiFieldToString(request.textStamp, sizeof(request.textStamp)));
  return S_OK;
}

HRESULT PictureOut(Session& session, const Call& call) {
  IndexedPictureRecord request;
  HRESULT hr = ReadSizedRecord(call, &request);
  if (FAILED(hr)) return hr;
  if (!session.Usable()) return session.Fail(kReasonNoCamera);
  media::Frame picture;
  hr = StampedPicture(session, request, &picture);
  if (FAILED(hr)) return hr;
  if (call.subCode == kIndexedToFile) {
    const std::string file = common::AnsiFieldToString(request.fileName, sizeof(request.fileName));
    if (file.empty()) return E_INVALIDARG;
    hr = media::WriteBitmapFile(picture, common::AnsiToWide(file));
  } else {
    if (!call.second || call.secondSize <= 0) return E_INVALIDARG;
    hr = media::CopyBitmapFile(picture, call.second, static_cast<std::size_t>(call.secondSize));
  }
  if (FAILED(hr)) session.lastFailure = kReasonFile;
  return hr;
}

HRESULT Describe(Session& session, const Call& call) {
  IndexedPictureRecord record;
  HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  std::vector<media::Frame>& held = session.camera->HeldPictures();
  if (record.pictureNumber < 0 || static_cast<std::size_t>(record.pictureNumber) >= held.size()) {
    return E_INVALIDARG;
  }
  const media::Frame& picture = held[static_cast<std::size_t>(record.pictureNumber)];
  record.width = picture.Width();
  record.height = picture.Height();
  record.bitDepth = 24;
  record.imageSize = static_cast<std::int32_t>(media::BitmapFileSize(picture.Width(), picture.Height()));
  record.reserved = 0;
  return WriteRecord(call, record);
}

}  // namespace

HRESULT ExecuteIndexedPicture(Session& session, const Call& call) {
  switch (call.subCode) {
    case kIndexedToFile:
    case kIndexedToBuffer:
      return PictureOut(session, call);
    case kIndexedTake:
      if (!session.Usable()) return session.Fail(kReasonNoCamera);
      session.camera->HeldPictures();
      return session.camera->HoldPicture();
    case kIndexedClear:
      if (!session.camera) return session.Fail(kReasonNoCamera);
      session.camera->HeldPictures().clear();
      return S_OK;
    default: return E_NOTIMPL;
  }
}

HRESULT InquireIndexedPicture(Session& session, const Call& call) {
  if (call.subCode != kIndexedCount && call.subCode != kIndexedInfo) return E_NOTIMPL;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  if (call.subCode == kIndexedInfo) return Describe(session, call);
  return WriteLong(call, static_cast<long>(session.camera->HeldPictures().size()));
}

}  // namespace engine
