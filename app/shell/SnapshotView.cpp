// SnapshotView: window class, file loading (bitmap files, and the JPEG
// pictures the program stores, through OLE) and painting.
#include "SnapshotView.h"

#include <olectl.h>
#include <shlwapi.h>

#include <algorithm>

#include "common/ComPtr.h"

namespace torvane {

namespace {

constexpr wchar_t kClassName[] = L"TorvaneSnapshotView";

}  // namespace

HWND SnapshotView::Create(HWND parent, const RECT& place, int id) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!::GetClassInfoExW(instance, kClassName, &windowClass)) {
    windowClass.lpfnWndProc = &SnapshotView::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass);
  }
  window_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  return window_;
}

namespace {

// A picture file that is no bitmap file (a JPEG picture the program
// stored) as OLE reads it, copied into a bitmap of the view's own.
common::UniqueBitmap LoadOlePicture(const std::wstring& path) {
  common::ComPtr<IStream> stream;
  if (FAILED(::SHCreateStreamOnFileW(path.c_str(), STGM_READ | STGM_SHARE_DENY_WRITE, stream.put()))) return {};
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > 0x7FFFFFFF) return {};
  common::ComPtr<IPicture> picture;
  if (FAILED(::OleLoadPicture(stream.get(), static_cast<LONG>(stat.cbSize.QuadPart), FALSE, IID_IPicture,
                              picture.put_void()))) {
    return {};
  }
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle))) return {};
  return common::UniqueBitmap(static_cast<HBITMAP>(
      ::CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace

bool SnapshotView::LoadFile(const std::wstring& path) {
  common::UniqueBitmap loaded(static_cast<HBITMAP>(
      ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!loaded) loaded = LoadOlePicture(path);
  BITMAP info{};
  if (!loaded || !::GetObjectW(loaded.get(), sizeof(info), &info)) {
    Clear();
    return false;
  }
  bitmap_ = std::move(loaded);
  size_ = SIZE{info.bmWidth, std::abs(info.bmHeight)};
  if (window_) ::InvalidateRect(window_, nullptr, TRUE);
  return true;
}

void SnapshotView::Clear() {
  bitmap_.reset();
  size_ = SIZE{0, 0};
  if (window_) ::InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK SnapshotView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SnapshotView*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_PAINT) {
    self->OnPaint();
    return 0;
  }
  if (self && message == WM_NCDESTROY) self->window_ = nullptr;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void SnapshotView::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  RECT client;
  ::GetClientRect(window_, &client);
  if (bitmap_ && size_.cx > 0 && size_.cy > 0) {
    // Fit inside the view, never enlarged, centred.
    const double scale = std::min({1.0, static_cast<double>(client.right) / size_.cx,
                                   static_cast<double>(client.bottom) / size_.cy});
    const int width = static_cast<int>(size_.cx * scale);
    const int height = static_cast<int>(size_.cy * scale);
    const int left = (client.right - width) / 2;
    const int top = (client.bottom - height) / 2;
    common::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    common::SelectionGuard selection(memory.get(), bitmap_.get());
    ::SetStretchBltMode(dc, HALFTONE);
    ::StretchBlt(dc, left, top, width, height, memory.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
  }
  ::EndPaint(window_, &paint);
}

}  // namespace torvane
