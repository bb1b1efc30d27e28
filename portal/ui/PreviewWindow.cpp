// The preview area: paints the engine's newest frame from the shared
// preview mapping, or the current information screen.
#include "ui/PreviewWindow.h"

#include <cstdio>

#include "engine/interface/PreviewFrame.h"
#include "server/ModuleState.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ResourceModule.h"

namespace portal {
namespace {

constexpr wchar_t kClassName[] = L"Tovra2PreviewWindow";

std::string MappingName(HWND hwnd) {
  char name[64];
  std::snprintf(name, sizeof(name), "%s%08lX", engine::kPreviewMappingPrefix,
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd) & 0xFFFFFFFFu));
  return name;
}

std::uint64_t ViewSize(const void* view) {
  MEMORY_BASIC_INFORMATION info = {};
  return ::VirtualQuery(view, &info, sizeof(info)) ? info.RegionSize : 0;
}

}  // namespace

PreviewWindow::~PreviewWindow() { Destroy(); }

bool PreviewWindow::Create(HWND parent, int width, int height) {
  if (hwnd_) return true;
  HINSTANCE instance = ModuleState::Instance();
  WNDCLASSEXW wc = {sizeof(wc)};
  if (!::GetClassInfoExW(instance, kClassName, &wc)) {
    wc = {sizeof(wc)};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &PreviewWindow::WindowProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!::RegisterClassExW(&wc)) return false;
  }
  hwnd_ = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width, height,
                            parent, nullptr, instance, this);
  return hwnd_ != nullptr;
}

void PreviewWindow::Destroy() {
  view_.reset();
  mapping_.reset();
  if (hwnd_) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  retryButton_ = nullptr;
  setupLink_ = nullptr;
}

void PreviewWindow::SetLive(bool live) {
  if (live_ == live) return;
  live_ = live;
  if (!live) {
    view_.reset();
    mapping_.reset();
  }
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreviewWindow::ShowScreen(const InfoScreen& screen) {
  screen_ = screen;
  UpdateRetryButton();
  UpdateSetupLink();
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreviewWindow::HideRetryButton() {
  if (retryButton_) ::ShowWindow(retryButton_, SW_HIDE);
}

// The "connection failed" screen offers a retry button at its top right;
// it is made once and shown only with that screen.
void PreviewWindow::UpdateRetryButton() {
  if (!hwnd_) return;
  const bool wanted = screen_.kind == InfoScreenKind::kConnectionFailed;
  if (wanted && !retryButton_) {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const std::wstring text = LoadResourceString(206);
    retryButton_ = ::CreateWindowExW(0, L"BUTTON", text.c_str(), WS_CHILD | BS_PUSHBUTTON, client.right - 88, 4,
                                     84, 22, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRetryButtonId)),
                                     ModuleState::Instance(), nullptr);
  }
  if (retryButton_) ::ShowWindow(retryButton_, wanted ? SW_SHOW : SW_HIDE);
}

// The "camera missing" screen offers a link to the set-up wizard when the
// wizard is installed: made once, centred above the body text.
void PreviewWindow::UpdateSetupLink() {
  if (!hwnd_) return;
  const bool wanted = screen_.kind == InfoScreenKind::kCameraMissing && screen_.setupLink;
  if (wanted && !setupLink_) {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    constexpr int kLinkHeight = 18;
    constexpr int kAboveBody = 8 + 48 + 4;  // bottom inset, body band, gap
    const std::wstring text = LoadResourceString(IDS_SCREEN_SETUP_LINK);
    setupLink_ = ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | SS_NOTIFY | SS_CENTER, client.left + 8,
                                   client.bottom - kAboveBody - kLinkHeight, client.right - 16, kLinkHeight, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kWizardButtonId)),
                                   ModuleState::Instance(), nullptr);
    if (setupLink_) {
      ::SendMessageW(setupLink_, WM_SETFONT, reinterpret_cast<WPARAM>(painter_.LinkFont(hwnd_)), FALSE);
    }
  }
  if (setupLink_) ::ShowWindow(setupLink_, wanted ? SW_SHOW : SW_HIDE);
}

LRESULT CALLBACK PreviewWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PreviewWindow*>(::GetWindowLongPtrW(hwnd, 0));
  if (message == WM_NCCREATE) {
    self = static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
  } else if (message == WM_NCDESTROY && self) {
    ::SetWindowLongPtrW(hwnd, 0, 0);
    self->hwnd_ = nullptr;
  } else if (self && message == WM_PAINT) {
    self->OnPaint();
    return 0;
  } else if (message == WM_ERASEBKGND) {
    return 1;  // every paint covers the whole area
  } else if (self && message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == self->setupLink_) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, ::GetSysColor(COLOR_HOTLIGHT));
    ::SetBkColor(dc, RGB(255, 255, 255));  // the screens are white
    return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
  } else if (self && message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == self->setupLink_) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  } else if (message == WM_COMMAND) {
    // Buttons of the information screens belong to the control's window.
    return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void PreviewWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  RECT client;
  ::GetClientRect(hwnd_, &client);
  if (!live_ || !PaintFrame(dc, client)) {
    if (screen_.kind == InfoScreenKind::kNone) {
      ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    } else {
      painter_.Paint(hwnd_, dc, client, screen_);
    }
  }
  ::EndPaint(hwnd_, &ps);
}

const void* PreviewWindow::MapFrame() {
  if (!view_) {
    mapping_.reset(::OpenFileMappingA(FILE_MAP_READ, FALSE, MappingName(hwnd_).c_str()));
    if (!mapping_) return nullptr;
    view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
  }
  return view_.get();
}

bool PreviewWindow::PaintFrame(HDC dc, const RECT& client) {
  const auto* base = static_cast<const BYTE*>(MapFrame());
  if (!base) return false;
  const auto* header = reinterpret_cast<const engine::PreviewFrameHeader*>(base);
  if (header->magic != engine::kPreviewMagic || header->width <= 0 || header->height <= 0) return false;
  const std::uint64_t needed = static_cast<std::uint64_t>(header->stride) * static_cast<std::uint32_t>(header->height);
  if (header->stride < static_cast<std::uint32_t>(header->width) * 3 || needed > header->capacity ||
      header->pixelOffset < sizeof(*header) || header->pixelOffset + needed > ViewSize(base)) {
    return false;  // a header that does not fit the mapping is never trusted
  }
  BITMAPINFOHEADER bih = {sizeof(bih)};
  bih.biWidth = header->width;
  bih.biHeight = header->height;
  bih.biPlanes = 1;
  bih.biBitCount = 24;
  bih.biCompression = BI_RGB;
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, header->width, header->height,
                  base + header->pixelOffset, reinterpret_cast<const BITMAPINFO*>(&bih), DIB_RGB_COLORS, SRCCOPY);
  ++framesPainted_;
  return true;
}

}  // namespace portal
