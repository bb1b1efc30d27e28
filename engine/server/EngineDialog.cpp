// The camera dialog (23/1): a capture device's own property pages
// (DevicePages.h), else the engine's own dialog, a small modal window naming the
// connected camera and its capture size, with an OK button. It closes on
// OK, Cancel or WM_CLOSE, and by itself after the time the scenario
// channel sets, so an unattended run never waits on it.
#include <string>
#include <vector>

#include "DevicePages.h"
#include "EngineCommands.h"
#include "Engine.h"
#include "Handlers.h"
#include "Log.h"
#include "common/Strings.h"

namespace engine {
namespace {

constexpr UINT_PTR kAutoCloseTimer = 1;
constexpr int kTextId = 100;

// An in-memory dialog template without controls; they are created in
// WM_INITDIALOG. The caption is the template's title.
std::vector<WORD> DialogTemplate(const std::wstring& caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  dialog->cx = 200;
  dialog->cy = 70;
  words.push_back(0);  // no menu
  words.push_back(0);  // standard dialog class
  for (wchar_t c : caption) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
  return words;
}

struct DialogText {
  std::wstring body;
  DWORD autoCloseMs;
};

void CreateControls(HWND dialog, const DialogText& text) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  ::CreateWindowExW(0, L"STATIC", text.body.c_str(), WS_CHILD | WS_VISIBLE, 12, 12, 300, 40, dialog,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), instance, nullptr);
  ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 120, 70, 80, 24,
                    dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
  if (text.autoCloseMs) ::SetTimer(dialog, kAutoCloseTimer, text.autoCloseMs, nullptr);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        CreateControls(dialog, *reinterpret_cast<const DialogText*>(lParam));
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      case WM_TIMER:
        if (wParam == kAutoCloseTimer) ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      case WM_CLOSE:
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      default:
        return FALSE;
    }
  } catch (...) {
    ::EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

}  // namespace

HRESULT ExecuteDialog(Session& session, const Call& call) {
  if (call.subCode != 1) return E_NOTIMPL;
  Engine& engine = Engine::Instance();
  if (engine.dialogOpen) return session.Fail(kReasonBusy);
  // A capture device shows its own pages; without pages (or when the frame
  // cannot be shown) the engine's dialog stands in.
  if (session.camera && session.camera->IsDevice() && session.camera->DeviceFilter()) {
    engine.dialogOpen = true;
    const HRESULT hr = ShowDevicePages(session.camera->DeviceFilter(), session.camera->Definition().name,
                                       engine.dialogAutoCloseMs);
    engine.dialogOpen = false;
    if (SUCCEEDED(hr)) return S_OK;
    LogLine("the device's property pages could not be shown: 0x%08lX", static_cast<unsigned long>(hr));
  }
  DialogText text;
  if (session.camera) {
    const FrameSize size = session.camera->CaptureSize();
    text.body = common::AnsiToWide(session.camera->Definition().name) + L"\n" + std::to_wstring(size.width) +
                L" x " + std::to_wstring(size.height) + L", 24 bits";
  } else {
    text.body = L"No camera connected.";
  }
  text.autoCloseMs = engine.dialogAutoCloseMs;
  const std::vector<WORD> dialogTemplate = DialogTemplate(L"Camera");
  engine.dialogOpen = true;
  const INT_PTR result = ::DialogBoxIndirectParamW(
      ::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
      nullptr, &DialogProc, reinterpret_cast<LPARAM>(&text));
  engine.dialogOpen = false;
  if (result == -1) {
    LogLine("the camera dialog could not be shown (error %lu)", ::GetLastError());
    return HRESULT_FROM_WIN32(::GetLastError() ? ::GetLastError() : ERROR_CANNOT_MAKE);
  }
  return S_OK;
}

}  // namespace engine
