// IVideoPortal members of the preview and the user interface: the live
// preview and its size, the status bar text, the hook states and
// EnableUIElements.
#include "core/VideoPortal.h"

#include "PortalContract.h"
#include "common/Strings.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

HRESULT Get(LONG* out, LONG value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

}  // namespace

HRESULT VideoPortal::get_EnablePreview(LONG* pVal) {
  BusyScope busy;
  if (!pVal) return E_POINTER;
  *pVal = session_.PreviewEnabled();
  return S_OK;
}

HRESULT VideoPortal::put_EnablePreview(LONG newVal) {
  BusyScope busy;
  return session_.EnablePreview(newVal) ? S_OK : S_FALSE;
}

HRESULT VideoPortal::get_PreviewMaxWidth(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, session_.Preview().width);
}

HRESULT VideoPortal::put_PreviewMaxWidth(LONG newVal) {
  BusyScope busy;
  session_.SetPreviewWidth(newVal);
  return S_OK;
}

HRESULT VideoPortal::get_PreviewMaxHeight(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, session_.Preview().height);
}

HRESULT VideoPortal::put_PreviewMaxHeight(LONG newVal) {
  BusyScope busy;
  session_.SetPreviewHeight(newVal);
  return S_OK;
}

HRESULT VideoPortal::put_StatusBarText(BSTR newVal) {
  BusyScope busy;
  return bar_.SetStatusText(common::BstrToWide(newVal)) ? S_OK : S_FALSE;
}

HRESULT VideoPortal::get_VideoHookStateGlobal(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::get_VideoHookStateLocal(LONG* pVal) {
  BusyScope busy;
  return Get(pVal, 0);
}

HRESULT VideoPortal::EnableUIElements(LONG lElement, LONG, LONG lEnable, LONG* plResult) {
  BusyScope busy;
  const bool on = lEnable != 0;
  ConnectionState& state = session_.State();
  // The size items also shape the bar: it is built again when its
  // configuration changed.
  auto setMenu = [&](Resolution size) {
    state.menuEnabled[static_cast<size_t>(size)] = on;
    bar_.Rebuild();
  };
  switch (lElement) {
    case tovra2::kElementMenu640x480: setMenu(Resolution::k640x480); break;
    case tovra2::kElementMenu320x240: setMenu(Resolution::k320x240); break;
    case tovra2::kElementPreviewDuringPictures: state.allowPreviewDuringPictures = on; break;
    case tovra2::kElementStatusBar:
      if (on) {
        bar_.Create();
      } else {
        bar_.Destroy();
      }
      break;
    case tovra2::kElementFormatSequence:  // also the bar's buttons
      state.allowFormatSequence = on;
      bar_.Refresh();
      LayOut();
      break;
    case tovra2::kElementMenu160x120: setMenu(Resolution::k160x120); break;
    case tovra2::kElementBarOption: state.barOption = on; break;
    case tovra2::kElementMenu240x180: setMenu(Resolution::k240x180); break;
    case tovra2::kElementMenu800x600: setMenu(Resolution::k800x600); break;
    case tovra2::kElementMenu1024x768: setMenu(Resolution::k1024x768); break;
    case tovra2::kElementMenu1280x960: setMenu(Resolution::k1280x960); break;
    case tovra2::kElementMenu1600: bar_.Rebuild(); break;
    case tovra2::kElementStillCapable:
      state.stillCapable = on;
      if (on) {  // a still-capable camera also offers the large sizes
        state.menuEnabled[static_cast<size_t>(Resolution::k1280x960)] = true;
        state.menuEnabled[static_cast<size_t>(Resolution::k1600)] = true;
      }
      break;
    default: return Result(plResult, false);  // kElementUnsupported and unknown elements
  }
  return Result(plResult, true);
}

}  // namespace portal
