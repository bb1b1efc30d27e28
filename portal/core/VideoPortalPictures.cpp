// IVideoPortal members of picture output: pictures to a file or into the
// caller's memory, the picture sound and the picture error prompt.
#include "core/VideoPortal.h"

#include "common/Strings.h"
#include "server/ModuleState.h"

namespace portal {

HRESULT VideoPortal::PictureToFile(LONG lFormatFourCC, LONG lBitDepth, BSTR strFileName, BSTR strTextStamp,
                                   LONG* plResult) {
  BusyScope busy;
  return Result(plResult, pictures_.ToFile(lFormatFourCC, lBitDepth, common::BstrToWide(strFileName),
                                           common::BstrToWide(strTextStamp)));
}

HRESULT VideoPortal::PictureToMemory(LONG lFormatFourCC, LONG lBitDepth, LONG_PTR lMemory, LONG* plMemorySize,
                                     BSTR strTextStamp, LONG* plResult) {
  BusyScope busy;
  if (!plMemorySize) return Result(plResult, false);
  return Result(plResult,
                pictures_.ToMemory(lFormatFourCC, lBitDepth, lMemory, plMemorySize, common::BstrToWide(strTextStamp)));
}

HRESULT VideoPortal::get_PictureSound(BSTR* pVal) {
  BusyScope busy;
  return StringOut(pVal, pictures_.Settings().sound);
}

HRESULT VideoPortal::put_PictureSound(BSTR newVal) {
  BusyScope busy;
  // The engine receives the path in the ANSI code page.
  pictures_.Settings().sound = common::AnsiToWide(common::WideToAnsi(common::BstrToWide(newVal)));
  return S_OK;
}

HRESULT VideoPortal::get_EnablePictureDiskErrorPrompt(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = pictures_.Settings().diskErrorPrompt;
  return S_OK;
}

HRESULT VideoPortal::put_EnablePictureDiskErrorPrompt(LONG newVal) {
  BusyScope busy;
  pictures_.Settings().diskErrorPrompt = newVal;
  return S_OK;
}

}  // namespace portal
