// Preview on (10/0 with the preview record) and off (10/1), and inquiry
// 10/0 whose eighth value tells whether the preview is on.
#include "EngineCommands.h"
#include "Handlers.h"

namespace engine {

HRESULT ExecutePreview(Session& session, const Call& call) {
  if (call.subCode == 1) {
    session.preview.Stop();
    return S_OK;
  }
  if (call.subCode != 0) return E_NOTIMPL;
  PreviewRecord record;
  const HRESULT hr = ReadSizedRecord(call, &record);
  if (FAILED(hr)) return hr;
  if (record.width <= 0 || record.height <= 0 || record.width > 4096 || record.height > 4096) {
    return E_INVALIDARG;
  }
  if (record.on == 0) {
    session.preview.Stop();
    return S_OK;
  }
  return session.preview.Start(WindowFromRecord(record.window), record.width, record.height);
}

HRESULT InquirePreview(Session& session, const Call& call) {
  if (call.subCode != 0) return E_NOTIMPL;
  PreviewRecord record{};
  record.size = sizeof(record);
  record.window = WindowToRecord(session.preview.Window());
  record.width = session.preview.Width();
  record.height = session.preview.Height();
  record.on = session.preview.On() ? 1 : 0;
  return WriteRecord(call, record);
}

}  // namespace engine
