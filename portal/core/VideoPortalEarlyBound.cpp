// The vtable-only tail of IVideoPortal (slots 80-102): text stamp style
// values and indexed pictures, reachable by early binding only.
#include "core/VideoPortal.h"

#include <olectl.h>

#include "common/Strings.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

HRESULT Reserved(LONG* pVal) {
  BusyScope busy;
  if (pVal) *pVal = 0;
  return S_FALSE;
}

HRESULT Get(LONG* out, LONG value) {
  BusyScope busy;
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

// Colours arrive as OLE colours (possibly system colour indexes); the
// engine wants plain RGB.
HRESULT PutColor(LONG* field, LONG oleColor) {
  BusyScope busy;
  COLORREF rgb = 0;
  if (FAILED(::OleTranslateColor(static_cast<OLE_COLOR>(oleColor), nullptr, &rgb))) return E_INVALIDARG;
  *field = static_cast<LONG>(rgb);
  return S_OK;
}

}  // namespace

HRESULT VideoPortal::Reserved80(LONG* pVal) { return Reserved(pVal); }
HRESULT VideoPortal::Reserved81(LONG* pVal) { return Reserved(pVal); }
HRESULT VideoPortal::Reserved102(LONG* pVal) { return Reserved(pVal); }

HRESULT VideoPortal::get_TextStampColor3(LONG* pVal) { return Get(pVal, settings_.textStamp.color3); }
HRESULT VideoPortal::put_TextStampColor3(LONG newVal) { return PutColor(&settings_.textStamp.color3, newVal); }
HRESULT VideoPortal::get_TextStampValue2(LONG* pVal) { return Get(pVal, settings_.textStamp.value2); }
HRESULT VideoPortal::put_TextStampValue2(LONG newVal) {
  BusyScope busy;
  settings_.textStamp.value2 = newVal;
  return S_OK;
}
HRESULT VideoPortal::get_TextStampColor2(LONG* pVal) { return Get(pVal, settings_.textStamp.color2); }
HRESULT VideoPortal::put_TextStampColor2(LONG newVal) { return PutColor(&settings_.textStamp.color2, newVal); }
HRESULT VideoPortal::get_TextStampValue1(LONG* pVal) { return Get(pVal, settings_.textStamp.value1); }
HRESULT VideoPortal::put_TextStampValue1(LONG newVal) {
  BusyScope busy;
  settings_.textStamp.value1 = newVal;
  return S_OK;
}
HRESULT VideoPortal::get_TextStampFontSize(LONG* pVal) { return Get(pVal, settings_.textStamp.fontSize); }
HRESULT VideoPortal::put_TextStampFontSize(LONG newVal) {
  BusyScope busy;
  settings_.textStamp.fontSize = newVal;
  return S_OK;
}

HRESULT VideoPortal::get_TextStampFontName(BSTR* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = common::AllocBstr(settings_.textStamp.fontName);
  return *pVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT VideoPortal::put_TextStampFontName(BSTR newVal) {
  BusyScope busy;
  settings_.textStamp.fontName = common::BstrToWide(newVal);
  return S_OK;
}

HRESULT VideoPortal::get_TextStampColor(LONG* pVal) { return Get(pVal, settings_.textStamp.color); }
HRESULT VideoPortal::put_TextStampColor(LONG newVal) { return PutColor(&settings_.textStamp.color, newVal); }

bool VideoPortal::ReadIndexedPicture(LONG picture, engine::IndexedPictureRecord* record) {
  engine::IndexedPictureRecord request = {};
  request.size = sizeof(request);
  request.pictureNumber = picture;
  engine::IndexedPictureRecord answer = request;
  if (!engine_ || FAILED(engine_->Inquire(engine::kCmdIndexedPicture, engine::kIndexedInfo, &request, sizeof(request),
                                          &answer, sizeof(answer))))
    return false;
  *record = answer;
  return true;
}

HRESULT VideoPortal::IndexedPictureCount(LONG* plCount, LONG* plResult) {
  BusyScope busy;
  return Result(plResult,
                engine_ && plCount && engine_->InquireLong(engine::kCmdIndexedPicture, engine::kIndexedCount, plCount));
}

HRESULT VideoPortal::IndexedPictureInfo(LONG lPicture, LONG* plWidth, LONG* plHeight, LONG* plValue3, LONG* plValue4,
                                        LONG* plValue5, LONG* plResult) {
  BusyScope busy;
  engine::IndexedPictureRecord record;
  if (!plWidth || !plHeight || !plValue3 || !plValue4 || !plValue5 || !ReadIndexedPicture(lPicture, &record)) {
    return Result(plResult, false);
  }
  *plWidth = record.width;
  *plHeight = record.height;
  *plValue3 = record.bitDepth;
  *plValue4 = record.imageSize;
  *plValue5 = record.reserved;
  return Result(plResult, true);
}

HRESULT VideoPortal::IndexedPictureToFile(LONG lPicture, BSTR strFileName, BSTR strTextStamp, LONG* plResult) {
  BusyScope busy;
  if (!engine_) return Result(plResult, false);
  engine::IndexedPictureRecord record = {};
  record.size = sizeof(record);
  common::CopyToAnsiField(common::BstrToWide(strFileName), record.fileName, sizeof(record.fileName));
  common::CopyToAnsiField(common::BstrToWide(strTextStamp), record.textStamp, sizeof(record.textStamp));
  record.pictureNumber = lPicture;
  return Result(plResult, engine_->ExecuteRecord(engine::kCmdIndexedPicture, engine::kIndexedToFile, record));
}

HRESULT VideoPortal::IndexedPictureToMemory(LONG lFormatFourCC, LONG lBitDepth, LONG lPicture, LONG_PTR lMemory,
                                            LONG* plMemorySize, BSTR strTextStamp, LONG* plResult) {
  BusyScope busy;
  engine::IndexedPictureRecord record;
  if (lFormatFourCC != 0 || lBitDepth != 24 || !plMemorySize || !ReadIndexedPicture(lPicture, &record)) {
    return Result(plResult, false);
  }
  const LONGLONG size = PictureSize(record.width, record.height, lBitDepth);
  if (size > MAXLONG) return Result(plResult, false);
  if (lMemory == 0) {
    *plMemorySize = static_cast<LONG>(size);
    return Result(plResult, true);
  }
  if (*plMemorySize < size) return Result(plResult, false);
  engine::IndexedPictureRecord request = {};
  request.size = sizeof(request);
  common::CopyToAnsiField(common::BstrToWide(strTextStamp), request.textStamp, sizeof(request.textStamp));
  request.pictureNumber = lPicture;
  // The engine writes the bitmap file image straight into the caller's
  // buffer; the call carries it back.
  return Result(plResult,
                SUCCEEDED(engine_->Execute(engine::kCmdIndexedPicture, engine::kIndexedToBuffer, &request,
                                           sizeof(request), reinterpret_cast<void*>(lMemory), *plMemorySize)));
}

HRESULT VideoPortal::IndexedPictureCommand4(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, engine_ && engine_->ExecuteBare(engine::kCmdIndexedPicture, engine::kIndexedTake));
}

HRESULT VideoPortal::IndexedPictureCommand5(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, engine_ && engine_->ExecuteBare(engine::kCmdIndexedPicture, engine::kIndexedClear));
}

}  // namespace portal
