// LTovra2.dll beside the control: loaded from the control's own folder and
// released with it; when missing, one message box per load of the control
// names the missing file, and the control still works. A copy of the
// control in a scratch folder stands in for an installation.
#include <windows.h>

#include <oleauto.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Tovra2.h"
#include "common/ComInit.h"
#include "common/ComPtr.h"
#include "common/Module.h"
#include "common/SystemMessage.h"
#include "common/UniqueHandle.h"

namespace {

// Message boxes seen on this thread: counted, read and closed with OK.
struct MessageBoxWatch {
  int count = 0;
  std::wstring caption;
  std::wstring text;
};
MessageBoxWatch g_watch;

void CALLBACK CloseMessageBox(HWND hwnd, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(hwnd, timer);
  wchar_t buffer[2048] = {};
  ::GetWindowTextW(hwnd, buffer, ARRAYSIZE(buffer));
  g_watch.caption = buffer;
  ::GetDlgItemTextW(hwnd, 0xFFFF, buffer, ARRAYSIZE(buffer));  // the message text
  g_watch.text = buffer;
  ::PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const HWND hwnd = reinterpret_cast<HWND>(wParam);
    wchar_t className[32] = {};
    ::GetClassNameW(hwnd, className, ARRAYSIZE(className));
    if (std::wstring(className) == L"#32770") {
      ++g_watch.count;
      ::SetTimer(hwnd, 1, 100, CloseMessageBox);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct HookTraits {
  using Handle = HHOOK;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::UnhookWindowsHookEx(h); }
};
using UniqueHook = common::UniqueHandle<HookTraits>;

// A scratch installation folder, removed afterwards.
class Installation {
 public:
  Installation() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tovra2_install_" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(folder_.c_str(), nullptr);
  }
  ~Installation() {
    std::wstring list = folder_.substr(0, folder_.size() - 1);
    list.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
  }
  bool Add(const wchar_t* name) const {
    return ::CopyFileW((common::ModuleDirectory(nullptr) + name).c_str(), File(name).c_str(), FALSE) != FALSE;
  }
  std::wstring File(const wchar_t* name) const { return folder_ + name; }
  const std::wstring& Folder() const { return folder_; }

 private:
  std::wstring folder_;
};

LONG GetLongProperty(IDispatch* object, const wchar_t* name) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << "no member";
  DISPPARAMS none = {};
  VARIANT result;
  ::VariantInit(&result);
  EXPECT_TRUE(SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                       nullptr, nullptr)));
  const LONG value = V_VT(&result) == VT_I4 ? V_I4(&result) : 0x7FFFFFFF;
  ::VariantClear(&result);
  return value;
}

class ResourceModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    com_.emplace(COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(com_->MustUninitialize());
    g_watch = MessageBoxWatch();
    hook_.reset(::SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, ::GetCurrentThreadId()));
    ASSERT_TRUE(hook_);
    ASSERT_TRUE(install_.Add(L"Tovra2.dll"));
  }

  void TearDown() override {
    hook_.reset();
    com_.reset();
  }

  std::optional<common::ComInit> com_;

  Installation install_;
  UniqueHook hook_;
};

}  // namespace

TEST_F(ResourceModuleTest, LoadedFromTheControlsFolderAndReleasedWithIt) {
  ASSERT_TRUE(install_.Add(L"LTovra2.dll"));
  const std::wstring resourcePath = install_.File(L"LTovra2.dll");
  {
    common::UniqueModule control(::LoadLibraryW(install_.File(L"Tovra2.dll").c_str()));
    ASSERT_TRUE(control);
    EXPECT_EQ(g_watch.count, 0);
    const HMODULE resources = ::GetModuleHandleW(resourcePath.c_str());
    ASSERT_TRUE(resources);
    EXPECT_EQ(common::ModuleFileName(resources), resourcePath);
  }
  EXPECT_FALSE(::GetModuleHandleW(resourcePath.c_str()));
}

TEST_F(ResourceModuleTest, MissingResourceModuleIsReportedOnceAndTheControlWorks) {
  const std::wstring controlPath = install_.File(L"Tovra2.dll");
  common::UniqueModule control(::LoadLibraryW(controlPath.c_str()));
  ASSERT_TRUE(control);
  ASSERT_EQ(g_watch.count, 1);
  EXPECT_EQ(g_watch.caption, controlPath);
  EXPECT_EQ(g_watch.text, install_.File(L"LTovra2.dll") + L" was not found.\n\n" +
                              common::SystemMessage(ERROR_MOD_NOT_FOUND, LANG_USER_DEFAULT));

  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto getClassObject =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(::GetProcAddress(control.get(), "DllGetClassObject")));
  ASSERT_TRUE(getClassObject);
  {
    common::ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(CLSID_VideoPortal, IID_IClassFactory, factory.put_void()), S_OK);
    common::ComPtr<IDispatch> portal;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, portal.put_void()), S_OK);
    EXPECT_EQ(GetLongProperty(portal.get(), L"CameraIndex"), -1);
    EXPECT_EQ(GetLongProperty(portal.get(), L"PreviewMaxWidth"), 320);
    common::ComPtr<IDispatch> second;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, second.put_void()), S_OK);
  }
  EXPECT_EQ(g_watch.count, 1);  // creating controls does not ask again
}
