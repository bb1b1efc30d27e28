// TorvaneProcess: process start with its own environment, window search
// across processes and dialog answers by control id.
#include "TorvaneProcess.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "FolderList.h"
#include "ScenarioRelay.h"
#include "TorvaneIds.h"
#include "common/Module.h"
#include "portal/ui/bar/PaneBar.h"

namespace shell_e2e {

namespace {

constexpr int kPromptTitleId = 100;       // frmMessBox's frame
constexpr int kPromptMessageId = 0xFFFF;  // frmMessBox's message, as in a message box
constexpr int kSaveNameId = 0x47C;        // cmb13: the save dialog's name field

std::vector<wchar_t> EnvironmentBlock(const std::map<std::wstring, std::wstring>& changes) {
  std::map<std::wstring, std::wstring> variables;
  if (wchar_t* block = ::GetEnvironmentStringsW()) {
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
      const std::wstring text(entry);
      const size_t equals = text.find(L'=', 1);
      if (equals != std::wstring::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    ::FreeEnvironmentStringsW(block);
  }
  for (const auto& change : changes) variables[change.first] = change.second;
  std::vector<wchar_t> result;
  for (const auto& variable : variables) {
    const std::wstring entry = variable.first + L"=" + variable.second;
    result.insert(result.end(), entry.begin(), entry.end());
    result.push_back(L'\0');
  }
  result.push_back(L'\0');
  return result;
}

struct Search {
  DWORD processId;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (owner == search->processId && wcscmp(className, search->className) == 0 && ::IsWindowVisible(window)) {
    search->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> ProcessWindows(DWORD processId, const wchar_t* className) {
  Search search{processId, className, {}};
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  // WM_GETTEXT is marshalled across processes.
  ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

TorvaneProcess::TorvaneProcess(const std::map<std::wstring, std::wstring>& environment)
    : TorvaneProcess(environment, common::ModuleDirectory(nullptr) + L"Torvane.exe") {}

TorvaneProcess::TorvaneProcess(const std::map<std::wstring, std::wstring>& environment, const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  std::vector<wchar_t> block = EnvironmentBlock(environment);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, block.data(),
                        nullptr, &startup, &info)) {
    return;
  }
  common::UniqueKernelHandle thread(info.hThread);
  process_.reset(info.hProcess);
  processId_ = info.dwProcessId;
  // The main window is shown once Form_Load has finished.
  WaitUntil(
      [&] {
        const std::vector<HWND> windows = ProcessWindows(processId_, L"TorvaneMainWindow");
        mainWindow_ = windows.empty() ? nullptr : windows.front();
        return mainWindow_ != nullptr || WaitForExit(0) != STILL_ACTIVE;
      },
      30000);
}

TorvaneProcess::~TorvaneProcess() {
  if (process_ && WaitForExit(0) == STILL_ACTIVE) {
    Close();
    if (WaitForExit(0) == STILL_ACTIVE) ::TerminateProcess(process_.get(), 99);
  }
}

void TorvaneProcess::Command(int id) const {
  ::PostMessageW(mainWindow_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::wstring TorvaneProcess::ChildText(int id) const { return WindowText(::GetDlgItem(mainWindow_, id)); }

bool TorvaneProcess::ChildVisible(int id) const { return ::IsWindowVisible(::GetDlgItem(mainWindow_, id)) != FALSE; }

// The control's window is the live view's child.
HWND TorvaneProcess::PaneBar() const {
  const HWND control = ::GetWindow(::GetDlgItem(mainWindow_, IDC_LIVEVIEW), GW_CHILD);
  return control ? ::GetDlgItem(control, portal::kPaneBarId) : nullptr;
}

RECT TorvaneProcess::ChildRect(int id) const { return ScreenRect(::GetDlgItem(mainWindow_, id)); }

RECT TorvaneProcess::ScreenRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

// A status bar answers WM_GETTEXT with its first panel.
std::wstring TorvaneProcess::StatusPanel1() const { return WindowText(::GetDlgItem(mainWindow_, IDC_STATUS)); }

HWND TorvaneProcess::WaitForDialog(const std::wstring& title, DWORD timeoutMs) const {
  return WaitForDialogWhere(
      [&](HWND candidate) { return WindowText(candidate) == title || PromptTitle(candidate) == title; }, timeoutMs);
}

HWND TorvaneProcess::WaitForDialogWhere(const std::function<bool(HWND)>& matches, DWORD timeoutMs) const {
  return WaitForWindowWhere(L"#32770", matches, timeoutMs);
}

HWND TorvaneProcess::WaitForWindowWhere(const wchar_t* className, const std::function<bool(HWND)>& matches,
                                        DWORD timeoutMs) const {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        for (HWND candidate : ProcessWindows(processId_, className)) {
          if (matches(candidate)) {
            dialog = candidate;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return dialog;
}

HWND TorvaneProcess::FocusedControl() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(mainWindow_, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::wstring TorvaneProcess::PromptTitle(HWND dialog) {
  HWND frame = ::GetDlgItem(dialog, kPromptTitleId);
  return frame ? WindowText(frame) : std::wstring();
}

std::wstring TorvaneProcess::PromptMessage(HWND dialog) { return WindowText(::GetDlgItem(dialog, kPromptMessageId)); }

void TorvaneProcess::Press(HWND dialog, int buttonId) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, buttonId)));
}

void TorvaneProcess::SaveAs(HWND dialog, const std::wstring& path) {
  HWND name = ::GetDlgItem(dialog, kSaveNameId);
  ::SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
  Press(dialog, IDOK);
}

void TorvaneProcess::Type(HWND dialog, int fieldId, const std::wstring& text) {
  ::SendMessageTimeoutW(::GetDlgItem(dialog, fieldId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

void TorvaneProcess::Click(HWND dialog, int buttonId) { ::PostMessageW(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0); }

namespace {

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = static_cast<DWORD_PTR>(-1);
  ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

std::wstring EntryText(HWND list, LRESULT index) {
  wchar_t text[MAX_PATH] = {};
  if (index < 0 || SendTo(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH) return std::wstring();
  SendTo(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

// Opens an entry with a double-click; once open, the folder is the list's
// chosen entry at its depth (the root at 0), marked as an open one.
bool OpenEntry(HWND list, LRESULT index, const std::wstring& name, LRESULT depth) {
  if (index < 0) return false;
  SendTo(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  return WaitUntil(
      [&] {
        return SendTo(list, LB_GETCURSEL, 0, 0) == depth &&
               SendTo(list, LB_GETITEMDATA, static_cast<WPARAM>(depth), 0) == torvane::FolderList::kOpenEntry &&
               _wcsicmp(EntryText(list, depth).c_str(), name.c_str()) == 0;
      },
      5000);
}

}  // namespace

bool TorvaneProcess::ChooseFolder(HWND dialog, int driveListId, int folderListId, const std::wstring& folder) {
  HWND drives = ::GetDlgItem(dialog, driveListId);
  HWND list = ::GetDlgItem(dialog, folderListId);
  const std::wstring drive = folder.substr(0, 2);
  if (SendTo(drives, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(drive.c_str())) < 0) {
    return false;
  }
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(driveListId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(drives));
  // The drive's root is the list's first entry; then each folder below it.
  const std::wstring root = folder.substr(0, 3);
  if (!WaitUntil([&] { return _wcsicmp(EntryText(list, 0).c_str(), root.c_str()) == 0; }, 5000)) return false;
  if (!OpenEntry(list, 0, root, 0)) return false;
  LRESULT depth = 0;
  for (size_t start = 3; start < folder.size();) {
    const size_t end = std::min(folder.find(L'\\', start), folder.size());
    const std::wstring name = folder.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;
    const LRESULT entry =
        SendTo(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(depth), reinterpret_cast<LPARAM>(name.c_str()));
    if (!OpenEntry(list, entry, name, ++depth)) return false;
  }
  return true;
}

bool TorvaneProcess::ButtonEnabled(int index) const {
  HWND toolbar = ::GetDlgItem(mainWindow_, IDC_TOOLBAR);
  return SendTo(toolbar, TB_ISBUTTONENABLED, IDT_BUTTON1 + index - 1, 0) > 0;
}

LRESULT TorvaneProcess::Scenario(long command, long subCode, const void* data, DWORD size) const {
  std::vector<unsigned char> bytes(sizeof(torvane::ScenarioRelayCommand) + size);
  const torvane::ScenarioRelayCommand header{static_cast<std::int32_t>(command), static_cast<std::int32_t>(subCode)};
  std::memcpy(bytes.data(), &header, sizeof(header));
  if (size) std::memcpy(bytes.data() + sizeof(header), data, size);
  COPYDATASTRUCT copy{TORVANE_SCENARIO_RELAY, static_cast<DWORD>(bytes.size()), bytes.data()};
  return SendTo(mainWindow_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

bool TorvaneProcess::SaveWindowPicture(const std::wstring& path, HWND window) const {
  if (!window) window = mainWindow_;
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  common::WindowDc source(window, true);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  common::UniqueBitmap dib(::CreateDIBSection(source.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  common::UniqueMemoryDc memory(::CreateCompatibleDC(source.get()));
  if (!dib || !memory) return false;
  {
    common::SelectionGuard selection(memory.get(), dib.get());
    ::BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  }
  ::GdiFlush();
  const DWORD imageBytes = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + imageBytes;
  common::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), &header, sizeof(header), &written, nullptr) &&
         ::WriteFile(file.get(), &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
         ::WriteFile(file.get(), bits, imageBytes, &written, nullptr);
}

DWORD TorvaneProcess::WaitForExit(DWORD timeoutMs) const {
  if (!process_) return 0;
  ::WaitForSingleObject(process_.get(), timeoutMs);
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

DWORD TorvaneProcess::Close() {
  if (mainWindow_) ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
  return WaitForExit(20000);
}

bool WaitForNoEngine(DWORD timeoutMs) {
  return WaitUntil(
      [] {
        common::UniqueKernelHandle mutex(
            ::OpenMutexW(SYNCHRONIZE, FALSE, L"CameraEngineInstance_{CB39BF25-ED97-4EE5-AD35-6E4A05A7C054}"));
        return !mutex.valid();
      },
      timeoutMs);
}

}  // namespace shell_e2e
