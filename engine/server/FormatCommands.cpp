// Capture format (26/1 set, 26/0 read, 26/3 probe) and the still size for
// high-resolution pictures (29/1 set, 29/0 read, 29/2 probe). Frames are
// always 24-bit uncompressed; the sizes come from the camera's
// configuration.
#include "EngineCommands.h"
#include "Engine.h"
#include "EngineMessages.h"
#include "Handlers.h"

namespace engine {
namespace {

VideoFormatRecord FormatRecord(FrameSize size) {
  VideoFormatRecord record{};
  record.size = sizeof(record);
  BITMAPINFOHEADER& h = record.header;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = size.width;
  h.biHeight = size.height;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(((size.width * 24 + 31) & ~31) / 8 * size.height);
  return record;
}

// The size a format record asks for; false when it is not a 24-bit
// uncompressed bottom-up format.
bool RequestedSize(const VideoFormatRecord& record, FrameSize* size) {
  const BITMAPINFOHEADER& h = record.header;
  if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biBitCount != 24 || h.biCompression != BI_RGB) {
    return false;
  }
  *size = {h.biWidth, h.biHeight};
  return true;
}

bool RequestedStill(const StillFormatRecord& record, FrameSize* size) {
  if (record.bitDepth != 24) return false;
  *size = {record.width, record.height};
  return true;
}

HRESULT SetFormat(Session& session, const Call& call) {
  VideoFormatRecord record;
  HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  FrameSize size;
  if (!RequestedSize(record, &size)) return E_INVALIDARG;
  if (!session.Usable()) return session.Fail(kReasonNoCamera);
  Camera& camera = *session.camera;
  if (!camera.SupportsSize(size)) return E_INVALIDARG;
  if (camera.CaptureSize() == size) return S_OK;
  if (Engine::Instance().Recording(camera)) return session.Fail(kReasonBusy);
  // A device that cannot be started at the new size keeps the old one.
  if (!camera.SetCaptureSize(size)) return session.Fail(kReasonFile);
  Engine::Instance().PostToUsers(camera, kMsgFormatReport, 0, 0, &session);
  return S_OK;
}

HRESULT ProbeFormat(Session& session, const Call& call) {
  VideoFormatRecord record;
  HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  FrameSize size;
  if (!RequestedSize(record, &size)) return E_INVALIDARG;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  if (!session.camera->SupportsSize(size)) return E_FAIL;
  // The dummy output of a plain probe receives nothing.
  if (call.HasOutput(sizeof(VideoFormatRecord))) WriteRecord(call, FormatRecord(size));
  return S_OK;
}

}  // namespace

HRESULT ExecuteFormat(Session& session, const Call& call) {
  return call.subCode == 1 ? SetFormat(session, call) : E_NOTIMPL;
}

HRESULT InquireFormat(Session& session, const Call& call) {
  if (call.subCode == 3) return ProbeFormat(session, call);
  if (call.subCode != 0) return E_NOTIMPL;
  if (!session.camera) return session.Fail(kReasonNoCamera);
  return WriteRecord(call, FormatRecord(session.camera->CaptureSize()));
}

HRESULT ExecuteStillFormat(Session& session, const Call& call) {
  if (call.subCode != 1) return E_NOTIMPL;
  StillFormatRecord record;
  HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  FrameSize size;
  if (!RequestedStill(record, &size)) return E_INVALIDARG;
  if (!session.Usable()) return session.Fail(kReasonNoCamera);
  return session.camera->SetStillSize(size) ? S_OK : E_INVALIDARG;
}

HRESULT InquireStillFormat(Session& session, const Call& call) {
  if (!session.camera) return session.Fail(kReasonNoCamera);
  if (call.subCode == 0) {
    const std::optional<FrameSize> still = session.camera->StillSize();
    if (!still) return E_FAIL;
    return WriteRecord(call, StillFormatRecord{sizeof(StillFormatRecord), still->width,
                                               still->height, 24, 0});
  }
  if (call.subCode != 2) return E_NOTIMPL;
  StillFormatRecord record;
  HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  FrameSize size;
  if (!RequestedStill(record, &size)) return E_INVALIDARG;
  return session.camera->SupportsStillSize(size) ? S_OK : E_FAIL;
}

}  // namespace engine
