// frmMain: building the controls from the designed layout (twips turned
// into pixels through the screen's DPI) and reading or changing them.
#include <string>

#include "Form.h"
#include "MainLayout.h"
#include "TorvaneIds.h"
#include "frmMain.h"

namespace torvane {

namespace {

struct ToolbarButton {
  const wchar_t* caption;
  const wchar_t* tooltip;
  int image;
};

constexpr ToolbarButton kButtons[6] = {
    {L"Instant snap-shot", L"Capture video window as snap-shot", TOOLBAR_IMAGE_SNAP},
    {L"Delayed snap-shot", L"Take a snap-shot in ? seconds time", I_IMAGENONE},
    {L"Snap-shot sequence", L"Take a sequence of timed snap-shots", I_IMAGENONE},
    {L"Movie", L"Record a movie", I_IMAGENONE},
    {L"Motion detector", L"Set up or stop a motion detector", TOOLBAR_IMAGE_MOTION},
    {L"Time-lapse movie", L"Record a time-lapse movie", I_IMAGENONE},
};

constexpr wchar_t kStatusPanel1Tip[] = L"Type of camera connected to the system";
constexpr wchar_t kHelpTip[] = L"Get help with this screen";
constexpr wchar_t kLiveViewTip[] =
    L"When a compatible web camera is connected to the computer, this window is the camera's 'viewfinder'";
constexpr wchar_t kSnapshotTip[] = L"This window shows the latest image to have been captured by the camera";
constexpr wchar_t kLiveViewClass[] = L"TorvaneLiveView";

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place,
                 int id, HFONT font) {
  HWND child = ::CreateWindowExW(0, className, text, WS_CHILD | WS_CLIPSIBLINGS | style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (child && font) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// The live view only gives the control a parent; it draws nothing itself.
void RegisterLiveViewClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (::GetClassInfoExW(instance, kLiveViewClass, &windowClass)) return;
  windowClass.lpfnWndProc = ::DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  windowClass.lpszClassName = kLiveViewClass;
  ::RegisterClassExW(&windowClass);
}

}  // namespace

void frmMain::CreateControls() {
  {
    common::WindowDc screen(nullptr);
    dpiX_ = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    dpiY_ = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
  }
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&classes);
  CreateToolbar();
  CreateStatusBar();
  CreateViews();
  SizeWindowToDesign();
  CreateTooltips();
}

void frmMain::CreateToolbar() {
  toolbar_ = CreateChild(window_, TOOLBARCLASSNAME, L"",
                         WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, RECT{}, IDC_TOOLBAR,
                         font_.get());
  ::SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // imlImageList: "snap" and "motion", magenta being transparent.
  images_.reset(::ImageList_Create(TOOLBAR_IMAGE_SIZE, TOOLBAR_IMAGE_SIZE, ILC_COLOR24 | ILC_MASK, 2, 0));
  common::UniqueBitmap strip(static_cast<HBITMAP>(
      ::LoadImageW(instance_, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (images_ && strip) ::ImageList_AddMasked(images_.get(), strip.get(), RGB(255, 0, 255));
  ::SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  TBBUTTON buttons[6] = {};
  for (int i = 0; i < 6; ++i) {
    buttons[i].iBitmap = kButtons[i].image;
    buttons[i].idCommand = IDT_BUTTON1 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
    buttons[i].iString = reinterpret_cast<INT_PTR>(kButtons[i].caption);
  }
  ::SendMessageW(toolbar_, TB_ADDBUTTONSW, 6, reinterpret_cast<LPARAM>(buttons));
  ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  // Buttons whose dialogs this build lacks stay disabled with their menu items.
  for (int index = 1; index <= 6; ++index) EnableButton(index, true);
}

void frmMain::CreateStatusBar() {
  status_ = CreateChild(window_, STATUSCLASSNAMEW, L"", WS_VISIBLE | CCS_BOTTOM, RECT{}, IDC_STATUS, font_.get());
  int parts[2] = {TwipsToPixels(MainDesign::kStatusPanel1Width, dpiX_), -1};
  ::SendMessageW(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void frmMain::CreateViews() {
  const int top = ToolbarHeight();
  auto place = [&](const TwipsRect& twips) { return ToPixels(twips, dpiX_, dpiY_, top); };
  HFONT font = font_.get();
  CreateChild(window_, L"STATIC", L"Video window:", WS_VISIBLE, place(MainDesign::kVideoLabel), IDC_VIDEOLABEL,
              font);
  RegisterLiveViewClass(instance_);
  liveView_ = CreateChild(window_, kLiveViewClass, L"", WS_VISIBLE | WS_CLIPCHILDREN, place(MainDesign::kLiveView),
                          IDC_LIVEVIEW, font);
  CreateChild(window_, L"STATIC", L"Captured image:", 0, place(MainDesign::kImageLabel), IDC_IMAGELABEL, font);
  snapshot_.Create(window_, place(MainDesign::kSnapshot), IDC_SNAPSHOT);
  CreateChild(window_, L"STATIC", L"", 0, place(MainDesign::kFileName), IDC_FILENAME, font);
  CreateChild(window_, L"STATIC", L"", 0, place(MainDesign::kMotionMess), IDC_MOTIONMESS, font);
  CreateChild(window_, L"BUTTON", L"Help", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, RECT{}, IDC_CMDHELP, font);
}

// fra1 is drawn by the window itself: a group box child would leave its
// inside unpainted under a window that clips its children.
void frmMain::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  RECT frame = ToPixels(MainDesign::kFrame, dpiX_, dpiY_, ToolbarHeight());
  ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  ::EndPaint(window_, &paint);
}

void frmMain::CreateTooltips() {
  tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  ::SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 360);
  AddTooltip(Control(IDC_CMDHELP), kHelpTip);
  AddTooltip(snapshot_.Window(), kSnapshotTip);
  // The live view's tip is relayed from the control's windows by the loop.
  TOOLINFOW live{};
  live.cbSize = sizeof(live);
  live.uFlags = TTF_IDISHWND;
  live.hwnd = window_;
  live.uId = reinterpret_cast<UINT_PTR>(liveView_);
  live.lpszText = const_cast<wchar_t*>(kLiveViewTip);
  ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&live));
  // Status panel 1: a tool over that panel's rectangle.
  TOOLINFOW panel{};
  panel.cbSize = sizeof(panel);
  panel.uFlags = TTF_SUBCLASS;
  panel.hwnd = status_;
  panel.uId = 1;
  ::SendMessageW(status_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel.rect));
  panel.lpszText = const_cast<wchar_t*>(kStatusPanel1Tip);
  ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&panel));
}

void frmMain::AddTooltip(HWND tool, const wchar_t* text) {
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT frmMain::OnNotify(NMHDR* header) {
  if (header->code == TTN_GETDISPINFOW && header->idFrom >= IDT_BUTTON1 && header->idFrom <= IDT_BUTTON6) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->lpszText = const_cast<wchar_t*>(kButtons[header->idFrom - IDT_BUTTON1].tooltip);
    info->hinst = nullptr;
  }
  return 0;
}

void frmMain::PlaceHelpButton() {
  RECT button6{};
  ::SendMessageW(toolbar_, TB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&button6));
  ::MapWindowPoints(toolbar_, window_, reinterpret_cast<POINT*>(&button6), 2);
  const RECT place = HelpButtonPlace(button6, dpiX_, dpiY_);
  ::SetWindowPos(Control(IDC_CMDHELP), HWND_TOP, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOACTIVATE);
}

void frmMain::SizeWindowToDesign() {
  RECT statusRect{};
  ::GetWindowRect(status_, &statusRect);
  RECT client{0, 0, TwipsToPixels(MainDesign::kClientWidth, dpiX_),
              ToolbarHeight() + TwipsToPixels(MainDesign::kClientHeightBelowToolbar, dpiY_) +
                  (statusRect.bottom - statusRect.top)};
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE));
  ::AdjustWindowRectEx(&client, style, TRUE, 0);
  ::SetWindowPos(window_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  ::SendMessageW(status_, WM_SIZE, 0, 0);
}

int frmMain::ToolbarHeight() const {
  RECT rect{};
  ::GetWindowRect(toolbar_, &rect);
  return rect.bottom - rect.top;
}

HWND frmMain::Control(int id) const {
  if (id == IDC_TOOLBAR) return toolbar_;
  if (id == IDC_STATUS) return status_;
  return window_ ? ::GetDlgItem(window_, id) : nullptr;
}

void frmMain::ShowControl(int id, bool visible) {
  if (HWND control = Control(id)) ::ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

bool frmMain::ControlVisible(int id) const {
  HWND control = Control(id);
  return control && (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void frmMain::SetControlText(int id, const std::wstring& text) {
  if (HWND control = Control(id)) ::SetWindowTextW(control, text.c_str());
}

std::wstring frmMain::ControlText(int id) const { return WindowText(Control(id)); }

void frmMain::SetStatusText(int panel, const std::wstring& text) {
  ::SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring frmMain::StatusText(int panel) const {
  const LRESULT length = ::SendMessageW(status_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel - 1), 0);
  std::wstring text(static_cast<size_t>(LOWORD(length)) + 1, L'\0');
  ::SendMessageW(status_, SB_GETTEXTW, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(LOWORD(length));
  return text;
}

std::wstring frmMain::ButtonCaption(int index) const {
  wchar_t caption[128] = {};
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT;
  info.pszText = caption;
  info.cchText = 128;
  ::SendMessageW(toolbar_, TB_GETBUTTONINFOW, IDT_BUTTON1 + index - 1, reinterpret_cast<LPARAM>(&info));
  return caption;
}

void frmMain::SetButtonCaption(int index, const std::wstring& caption) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT;
  info.pszText = const_cast<wchar_t*>(caption.c_str());
  ::SendMessageW(toolbar_, TB_SETBUTTONINFOW, IDT_BUTTON1 + index - 1, reinterpret_cast<LPARAM>(&info));
  ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  PlaceHelpButton();
}

bool frmMain::ButtonEnabled(int index) const {
  return ::SendMessageW(toolbar_, TB_ISBUTTONENABLED, IDT_BUTTON1 + index - 1, 0) != 0;
}

bool frmMain::LoadSnapshot(const std::wstring& path) { return snapshot_.LoadFile(path); }

void frmMain::Repaint() {
  if (window_) ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace torvane
