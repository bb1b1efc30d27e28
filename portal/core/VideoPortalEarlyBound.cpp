// The vtable-only tail of IVideoPortal (slots 80-102), reachable by early
// binding only: the text stamp style of picture output and the indexed
// pictures.
#include "core/VideoPortal.h"

#include <olectl.h>

#include "common/Strings.h"
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

HRESULT Put(LONG* field, LONG value) {
  BusyScope busy;
  *field = value;
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

HRESULT VideoPortal::get_TextStampColor3(LONG* pVal) { return Get(pVal, TextStamp().color3); }
HRESULT VideoPortal::put_TextStampColor3(LONG newVal) { return PutColor(&TextStamp().color3, newVal); }
HRESULT VideoPortal::get_TextStampValue2(LONG* pVal) { return Get(pVal, TextStamp().value2); }
HRESULT VideoPortal::put_TextStampValue2(LONG newVal) { return Put(&TextStamp().value2, newVal); }
HRESULT VideoPortal::get_TextStampColor2(LONG* pVal) { return Get(pVal, TextStamp().color2); }
HRESULT VideoPortal::put_TextStampColor2(LONG newVal) { return PutColor(&TextStamp().color2, newVal); }
HRESULT VideoPortal::get_TextStampValue1(LONG* pVal) { return Get(pVal, TextStamp().value1); }
HRESULT VideoPortal::put_TextStampValue1(LONG newVal) { return Put(&TextStamp().value1, newVal); }
HRESULT VideoPortal::get_TextStampFontSize(LONG* pVal) { return Get(pVal, TextStamp().fontSize); }
HRESULT VideoPortal::put_TextStampFontSize(LONG newVal) { return Put(&TextStamp().fontSize, newVal); }

HRESULT VideoPortal::get_TextStampFontName(BSTR* pVal) {
  BusyScope busy;
  return StringOut(pVal, TextStamp().fontName);
}

HRESULT VideoPortal::put_TextStampFontName(BSTR newVal) {
  BusyScope busy;
  TextStamp().fontName = common::BstrToWide(newVal);
  return S_OK;
}

HRESULT VideoPortal::get_TextStampColor(LONG* pVal) { return Get(pVal, TextStamp().color); }
HRESULT VideoPortal::put_TextStampColor(LONG newVal) { return PutColor(&TextStamp().color, newVal); }

HRESULT VideoPortal::IndexedPictureCount(LONG* plCount, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, plCount && indexedPictures_.Count(plCount));
}

HRESULT VideoPortal::IndexedPictureInfo(LONG lPicture, LONG* plWidth, LONG* plHeight, LONG* plValue3, LONG* plValue4,
                                        LONG* plValue5, LONG* plResult) {
  BusyScope busy;
  engine::IndexedPictureRecord record;
  if (!plWidth || !plHeight || !plValue3 || !plValue4 || !plValue5 || !indexedPictures_.Describe(lPicture, &record)) {
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
  return Result(plResult,
                indexedPictures_.ToFile(lPicture, common::BstrToWide(strFileName), common::BstrToWide(strTextStamp)));
}

HRESULT VideoPortal::IndexedPictureToMemory(LONG lFormatFourCC, LONG lBitDepth, LONG lPicture, LONG_PTR lMemory,
                                            LONG* plMemorySize, BSTR strTextStamp, LONG* plResult) {
  BusyScope busy;
  if (!plMemorySize) return Result(plResult, false);
  return Result(plResult, indexedPictures_.ToMemory(lFormatFourCC, lBitDepth, lPicture, lMemory, plMemorySize,
                                                    common::BstrToWide(strTextStamp)));
}

HRESULT VideoPortal::IndexedPictureCommand4(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, indexedPictures_.Command(engine::kIndexedTake));
}

HRESULT VideoPortal::IndexedPictureCommand5(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, indexedPictures_.Command(engine::kIndexedClear));
}

}  // namespace portal
