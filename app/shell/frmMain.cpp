// frmMain: window class, message dispatch and the window's life.
#include "frmMain.h"

#include <windowsx.h>

#include <string>

#include "MousePointer.h"
#include "ScheduleForms.h"
#include "TorvaneIds.h"
#include "frmPopUp.h"

namespace torvane {

frmMain::frmMain(FlowContext& context)
    : context_(context),
      schedules_(std::make_unique<ScheduleForms>(context, *this)),
      popUp_(std::make_unique<frmPopUp>(context, *this)) {}

frmMain::~frmMain() {
  if (window_) ::DestroyWindow(window_);
}

HWND frmMain::Create(HINSTANCE instance, int showCommand) {
  instance_ = instance;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!::GetClassInfoExW(instance, kClassName, &windowClass)) {
    windowClass.lpfnWndProc = &frmMain::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_TORVANE));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassExW(&windowClass)) return nullptr;
  }
  // A fixed-size window: the layout is designed, not stretched.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  if (!::CreateWindowExW(0, kClassName, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr,
                         instance, this)) {
    return nullptr;
  }
  Form_Load();
  if (window_) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
  }
  return window_;
}

LRESULT CALLBACK frmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<frmMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<frmMain*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Every procedure handles its own errors; nothing may unwind through
    // the system's window code.
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_HELP:
      OnHelp(reinterpret_cast<const HELPINFO*>(lParam));
      return TRUE;
    case WM_SETCURSOR:
      if (MousePointer::ApplyToWindow()) return TRUE;
      break;
    case WM_COPYDATA:
      return relay_.Accept(window_, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case ScenarioRelay::kRunMessage:
      relay_.RunNext(vidPort_);
      return 0;
    case WM_SETFOCUS:
      // Keyboard focus goes to the control while it is active.
      if (HWND control = host_ ? host_->ControlWindow() : nullptr; control && ::IsWindowVisible(control)) {
        ::SetFocus(control);
        return 0;
      }
      break;
    case WM_CLOSE:
      Exit();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

bool frmMain::OnCreate() {
  CreateControls();
  return true;
}

void frmMain::OnCommand(int id) {
  try {
    RouteCommand(id);
  } catch (const AppError& error) {
    // A command's own error pattern handles what it expects; anything
    // else is reported and ends the program, as an unhandled error would.
    context_.prompter.SystemMessage(error.MessageText());
    context_.end.Now();
  }
}

void frmMain::RouteCommand(int id) {
  if (id >= IDT_BUTTON1 && id <= IDT_BUTTON6) {
    ToolbarButtonClick(id - IDT_BUTTON1 + 1);
  } else if (id == IDC_CMDHELP) {
    MenuClick(IDM_HELP);
  } else if (id >= IDM_SNAPSHOT && id <= IDM_HELP) {
    MenuClick(id);
  }
}

void frmMain::OnDestroy() {
  Form_Unload();
  if (host_) host_->Close();
  vidPort_ = PortalClient();
  ::PostQuitMessage(0);
}

bool frmMain::PreTranslateMessage(MSG* message) {
  if (!window_ || !liveView_) return false;
  const bool insideControl = message->hwnd == liveView_ || ::IsChild(liveView_, message->hwnd);
  if (!insideControl) return false;
  // The control's own windows cover the live view: its tooltip is shown
  // for mouse moves over any of them.
  if (tips_ && message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST) {
    MSG relayed = *message;
    relayed.hwnd = liveView_;
    POINT point{GET_X_LPARAM(message->lParam), GET_Y_LPARAM(message->lParam)};
    ::MapWindowPoints(message->hwnd, liveView_, &point, 1);
    relayed.lParam = MAKELPARAM(point.x, point.y);
    ::SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST && host_) {
    if (IOleInPlaceActiveObject* active = host_->Site().ActiveObject()) {
      return active->TranslateAccelerator(message) == S_OK;
    }
  }
  return false;
}

}  // namespace torvane
