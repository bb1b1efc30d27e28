// UserInput: SendInput with absolute mouse positions over the virtual
// screen and Unicode characters; remote rectangles through memory allocated
// in the target process.
#include "UserInput.h"

#include <algorithm>
#include <vector>

#include "common/UniqueHandle.h"

namespace testing_support {

namespace {

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(20);
  }
  return true;
}

void Send(std::vector<INPUT> inputs) { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

INPUT Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  return input;
}

INPUT KeyInput(WORD key, WORD scan, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}

// A loaded machine under Wine may take seconds to close a window lying
// over a field or to move the focus.
constexpr DWORD kFieldPatienceMs = 15000;

// Absolute mouse positions are 0 to 65535 across the primary screen.
LONG Normalized(int value, int extent) { return static_cast<LONG>((value * 65535LL + extent / 2) / (extent - 1)); }

}  // namespace

bool RemoteItemRect(HWND window, UINT message, WPARAM item, RECT* rect) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  common::UniqueKernelHandle process(
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) return false;
  void* remote = ::VirtualAllocEx(process.get(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return false;
  DWORD_PTR result = 0;
  const bool sent = ::SendMessageTimeoutW(window, message, item, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                          5000, &result) != 0;
  SIZE_T read = 0;
  const bool copied = sent && ::ReadProcessMemory(process.get(), remote, rect, sizeof(RECT), &read) && read == sizeof(RECT);
  ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return copied && (message != LB_GETITEMRECT || result != static_cast<DWORD_PTR>(LB_ERR));
}

HWND FocusOf(HWND anyWindowOfThread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool UserInput::Activate(HWND window, DWORD timeoutMs) {
  HWND top = ::GetAncestor(window, GA_ROOT);
  if (::GetForegroundWindow() == top) return true;
  ::SetForegroundWindow(top);
  return WaitFor([&] { return ::GetForegroundWindow() == top; }, timeoutMs);
}

bool UserInput::Click(HWND window, POINT point, int clicks) {
  POINT screen = point;
  ::ClientToScreen(window, &screen);
  // The click must land in the control's own top-level window, not on
  // another window lying over it. (Across threads WindowFromPoint does not
  // ask for hit tests, so it may name a group box around the control,
  // which the target thread's own hit test passes through.)
  HWND hit = ::WindowFromPoint(screen);
  if (::GetAncestor(hit, GA_ROOT) != ::GetAncestor(window, GA_ROOT)) return false;
  Activate(window);
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  std::vector<INPUT> inputs{
      Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalized(screen.x, width), Normalized(screen.y, height))};
  for (int i = 0; i < clicks; ++i) {
    inputs.push_back(Mouse(MOUSEEVENTF_LEFTDOWN));
    inputs.push_back(Mouse(MOUSEEVENTF_LEFTUP));
  }
  Send(inputs);
  return true;
}

bool UserInput::Click(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  // A combo box may count its drop-down list in its height: its face is
  // the top line.
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  const bool combo = _wcsicmp(className, L"ComboBox") == 0;
  return Click(window, POINT{client.right / 2, combo ? std::min<LONG>(client.bottom / 2, 8) : client.bottom / 2});
}

void UserInput::MoveTo(HWND window, POINT point) {
  ::ClientToScreen(window, &point);
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalized(point.x, width), Normalized(point.y, height))});
}

bool UserInput::RightClick(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  POINT screen{client.right / 2, client.bottom / 2};
  ::ClientToScreen(window, &screen);
  Activate(window);
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalized(screen.x, width), Normalized(screen.y, height)),
        Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
  return true;
}

bool UserInput::Replace(HWND field, const std::wstring& text) {
  // Another window may still lie over the field as it closes.
  if (!WaitFor([&] { return Click(field); }, kFieldPatienceMs)) return false;
  // A combo box's text lives in its edit child, which takes the focus.
  if (!WaitFor([&] { HWND f = FocusOf(field); return f == field || ::IsChild(field, f); }, kFieldPatienceMs)) return false;
  Key(VK_END);
  Keys({VK_SHIFT, VK_HOME});
  Key(VK_DELETE);
  Type(text);
  return true;
}

void UserInput::Keys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(KeyInput(key, static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), 0));
  for (auto key = keys.end(); key != keys.begin();) {
    --key;
    inputs.push_back(
        KeyInput(*key, static_cast<WORD>(::MapVirtualKeyW(*key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP));
  }
  Send(inputs);
}

void UserInput::Key(WORD key, int times) {
  for (int i = 0; i < times; ++i) Keys({key});
}

void UserInput::Type(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  Send(inputs);
}

}  // namespace testing_support
