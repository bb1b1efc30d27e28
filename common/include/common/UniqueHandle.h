// Move-only owners for Win32 handles. Each handle type is described by a
// traits class with Invalid() and Close(); closing preserves GetLastError so
// that an error path can still report the failure that led to it.
#pragma once

#include <windows.h>

#include <utility>

namespace common {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  bool valid() const noexcept { return handle_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return valid(); }

  // Address for APIs that return a handle through an out parameter.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }

  Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

  void reset(Handle handle = Traits::Invalid()) noexcept {
    if (handle_ != Traits::Invalid()) {
      const DWORD lastError = ::GetLastError();
      Traits::Close(handle_);
      ::SetLastError(lastError);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct DeviceNotificationTraits {  // RegisterDeviceNotification
  using Handle = HDEVNOTIFY;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::UnregisterDeviceNotification(h); }
};

struct KernelHandleTraits {  // events, processes, threads, mappings: NULL on failure
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE on failure
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::FindClose(h); }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};

struct MappedViewTraits {
  using Handle = void*;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::UnmapViewOfFile(h); }
};

struct MemoryDcTraits {  // CreateCompatibleDC
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::DeleteDC(h); }
};

template <typename T>
struct GdiObjectTraits {  // HBITMAP, HFONT, HBRUSH, HPEN, HRGN, HPALETTE
  using Handle = T;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::DestroyMenu(h); }
};

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::DestroyWindow(h); }
};

struct GlobalMemoryTraits {  // GlobalAlloc
  using Handle = HGLOBAL;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::GlobalFree(h); }
};

template <typename T>
struct LocalMemoryTraits {  // memory the system hands out for LocalFree (FormatMessage buffers)
  using Handle = T*;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::LocalFree(h); }
};

struct ThreadPoolWaitTraits {  // RegisterWaitForSingleObject: closing waits for a running callback
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::UnregisterWaitEx(h, INVALID_HANDLE_VALUE); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueDeviceNotification = UniqueHandle<DeviceNotificationTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueMappedView = UniqueHandle<MappedViewTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using UniqueLocalText = UniqueHandle<LocalMemoryTraits<wchar_t>>;
using UniqueThreadPoolWait = UniqueHandle<ThreadPoolWaitTraits>;

// Locks movable global memory for the lifetime of the guard.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) noexcept : memory_(memory), data_(::GlobalLock(memory)) {}
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() {
    if (data_) ::GlobalUnlock(memory_);
  }
  void* get() const noexcept { return data_; }
  explicit operator bool() const noexcept { return data_ != nullptr; }

 private:
  HGLOBAL memory_;
  void* data_;
};

// A DC obtained with GetDC/GetWindowDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd, bool wholeWindow = false) noexcept
      : hwnd_(hwnd), dc_(wholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects a GDI object into a DC for the lifetime of the guard.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;
  ~SelectionGuard() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  bool selected() const noexcept { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace common
