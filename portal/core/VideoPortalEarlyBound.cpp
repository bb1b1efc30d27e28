// The vtable-only tail of IVideoPortal (slots 80-102): text stamp style
// values and indexed pictures, reachable by early binding only.
#include "core/VideoPortal.h"

#include <olectl.h>

#include "common/Strings.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

HRESULT Reserved(LONG* pVal) {
  if (pVal) *pVal = 0;
  return S_FALSE;
}

HRESULT Get(LONG* out, LONG value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

// Colours arrive as OLE colours (possibly system colour indexes); the
// engine wants plain RGB.
HRESULT PutColor(LONG* field, LONG oleColor) {
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
  settings_.textStamp.value2 = newVal;
  return S_OK;
}
HRESULT VideoPortal::get_TextStampColor2(LONG* pVal) { return Get(pVal, settings_.textStamp.color2); }
HRESULT VideoPortal::put_TextStampColor2(LONG newVal) { return PutColor(&settings_.textStamp.color2, newVal); }
HRESULT VideoPortal::get_TextStampValue1(LONG* pVal) { return Get(pVal, settings_.textStamp.value1); }
HRESULT VideoPortal::put_TextStampValue1(LONG newVal) {
  settings_.textStamp.value1 = newVal;
  return S_OK;
}
HRESULT VideoPortal::get_TextStampFontSize(LONG* pVal) { return Get(pVal, settings_.textStamp.fontSize); }
HRESULT VideoPortal::put_TextStampFontSize(LONG newVal) {
  settings_.textStamp.fontSize = newVal;
  return S_OK;
}

HRESULT VideoPortal::get_TextStampFontName(BSTR* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = common::AllocBstr(settings_.textStamp.fontName);
  return *pVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT VideoPortal::put_TextStampFontName(BSTR newVal) {
  settings_.textStamp.fontName = common::BstrToWide(newVal);
  return S_OK;
}

HRESULT VideoPortal::get_TextStampColor(LONG* pVal) { return Get(pVal, settings_.textStamp.color); }
HRESULT VideoPortal::put_TextStampColor(LONG newVal) { return PutColor(&settings_.textStamp.color, newVal); }

HRESULT VideoPortal::IndexedPictureCount(LONG*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::IndexedPictureInfo(LONG, LONG*, LONG*, LONG*, LONG*, LONG*, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::IndexedPictureToFile(LONG, BSTR, BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::IndexedPictureToMemory(LONG, LONG, LONG, LONG_PTR, LONG*, BSTR, LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::IndexedPictureCommand4(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

HRESULT VideoPortal::IndexedPictureCommand5(LONG* plResult) {
  BusyScope busy;
  return Result(plResult, false);
}

}  // namespace portal
