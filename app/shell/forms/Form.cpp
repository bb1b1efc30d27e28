// Form: the window's life, the dialog procedure, the modal loop and the
// key preview of the shown forms.
#include "Form.h"

#include <commctrl.h>

#include <algorithm>

#include "MousePointer.h"

namespace torvane {

namespace {

// The loaded forms, newest last; the user-interface thread only.
std::vector<Form*>& LoadedForms() {
  static std::vector<Form*> forms;
  return forms;
}

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_WIN95_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES;
    return ::InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)done;
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Messages whose dialog-procedure result is the answer itself rather than
// a flag with the answer in DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
         message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

}  // namespace

Form::Form(int templateId) : templateId_(templateId), twips_(Twips::Screen()) {}

Form::~Form() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

bool Form::Visible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

bool Form::Load(HWND owner) {
  if (hwnd_) return true;
  InitCommonControlsOnce();
  twips_ = Twips::Screen();
  ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &Form::DialogProc,
                       reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

void Form::ShowModal(HWND owner) {
  if (!Load(owner)) return;
  if (modal_) {  // already shown modally further up the stack
    ::ShowWindow(hwnd_, SW_SHOW);
    return;
  }
  modal_ = true;
  owner_ = ::GetWindow(hwnd_, GW_OWNER);
  // Only an owner that is enabled now is disabled and enabled again: a form
  // over another modal window leaves that window's state alone.
  ownerDisabled_ = owner_ && ::IsWindowEnabled(owner_);
  if (ownerDisabled_) ::EnableWindow(owner_, FALSE);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  RunModalLoop();
  ReleaseOwner();
  modal_ = false;
}

void Form::RunModalLoop() {
  MSG msg;
  while (Visible()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      return;
    }
    if (got < 0) return;
    if (PreTranslate(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void Form::ShowModeless(HWND owner) {
  if (!Load(owner)) return;
  ::ShowWindow(hwnd_, SW_SHOW);
}

// The owner gets its input back before the form goes, so that the system
// activates the owner rather than some other window.
void Form::ReleaseOwner() {
  if (!ownerDisabled_) return;
  ownerDisabled_ = false;
  if (::IsWindow(owner_)) ::EnableWindow(owner_, TRUE);
}

void Form::Hide() {
  if (!hwnd_) return;
  if (modal_) ReleaseOwner();
  ::ShowWindow(hwnd_, SW_HIDE);
}

void Form::Unload() {
  if (!hwnd_ || unloading_) return;
  unloading_ = true;
  if (modal_) ReleaseOwner();
  OnUnload();
  if (hwnd_) ::DestroyWindow(hwnd_);
  unloading_ = false;
}

bool Form::PreTranslate(MSG* message) {
  std::vector<Form*>& forms = LoadedForms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    Form* form = *it;
    HWND hwnd = form->hwnd_;
    if (!hwnd || !::IsWindowVisible(hwnd)) continue;
    if (message->hwnd != hwnd && !::IsChild(hwnd, message->hwnd)) continue;
    // The form may unload itself in either call: nothing after them uses it.
    if (IsKeyMessage(message->message) && form->PreviewKey(*message)) return true;
    return ::IsDialogMessageW(hwnd, message) != FALSE;
  }
  return false;
}

bool Form::PreviewKey(const MSG& message) {
  const bool enter = (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) ||
                     (message.message == WM_CHAR && message.wParam == L'\r');
  if (!enter || enterOrder_.empty()) return false;
  const auto at = std::find(enterOrder_.begin(), enterOrder_.end(), FocusedControl());
  if (at == enterOrder_.end()) return false;
  if (message.message == WM_KEYDOWN) Focus(at + 1 == enterOrder_.end() ? enterAfter_ : *(at + 1));
  return true;
}

void Form::SetEnterOrder(std::vector<int> order, int after) {
  enterOrder_ = std::move(order);
  enterAfter_ = after;
}

int Form::FocusedControl() const {
  HWND focus = ::GetFocus();
  while (focus && hwnd_ && ::GetParent(focus) != hwnd_) focus = ::GetParent(focus);
  return focus ? ::GetDlgCtrlID(focus) : 0;
}

INT_PTR CALLBACK Form::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
      reinterpret_cast<Form*>(lParam)->OnInitDialog(hwnd);
      return FALSE;  // OnLoad set the focus where it belongs
    }
    auto* self = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
  } catch (...) {
    return FALSE;  // every handler handles its own errors; nothing leaves a window procedure
  }
}

void Form::OnInitDialog(HWND hwnd) {
  hwnd_ = hwnd;
  LoadedForms().push_back(this);
  tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                            ::GetModuleHandleW(nullptr), nullptr);
  if (tips_) ::SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 360);
  OnLoad();
}

INT_PTR Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (OnMessage(message, wParam, lParam, &result)) {
    if (ReturnsDirectly(message)) return result;
    ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
  }
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
      } else {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
      }
      return TRUE;
    case WM_CLOSE:
      OnCancel();
      return TRUE;
    case WM_SETCURSOR:
      if (!MousePointer::ApplyToWindow()) return FALSE;
      ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_NCDESTROY: {
      std::vector<Form*>& forms = LoadedForms();
      forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
      hwnd_ = nullptr;
      tips_ = nullptr;
      fonts_.clear();
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace torvane
