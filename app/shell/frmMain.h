// frmMain: the main window. It hosts the VideoPortal control (vidPort) in
// its live view, shows the "Captured image" view, the toolbar, menu and
// status bar, runs the capture commands and receives PortalNotification.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "CaptureWindow.h"
#include "FlowContext.h"
#include "HelpViewer.h"
#include "PortalClient.h"
#include "PortalEventSink.h"
#include "PortalHost.h"
#include "ScenarioRelay.h"
#include "SnapshotView.h"
#include "common/UniqueHandle.h"

namespace torvane {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::ImageList_Destroy(h); }
};

class ErrorScope;
class Form;
struct ScheduleForms;
class frmPopUp;

class frmMain final : public PortalEvents, public CaptureWindow {
 public:
  static constexpr wchar_t kClassName[] = L"TorvaneMainWindow";
  static constexpr wchar_t kCaption[] = L"Torvane Webcam Wizard";

  explicit frmMain(FlowContext& context);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;
  ~frmMain();

  // Creates the window and its controls and runs Form_Load; the window is
  // shown afterwards with showCommand.
  HWND Create(HINSTANCE instance, int showCommand);
  HWND Window() const { return window_; }
  // For the message loop: tooltips of the hosted control and its
  // accelerators. True when the message was consumed.
  bool PreTranslateMessage(MSG* message);

  // Routines of the main window.
  void Form_Load();
  void Form_Unload();
  bool ButtonInit() override;
  void ClearImageView() override;
  void ToolbarButtonClick(int index);
  void MenuClick(int commandId);
  void PortalNotification(long lMsg, LONG_PTR lParam1, LONG_PTR lParam2, LONG_PTR lParam3) override;

  // The views, for the flows that fill them.
  PortalClient& vidPort() override { return vidPort_; }
  bool LoadSnapshot(const std::wstring& path) override;
  void ShowImage(bool visible) override;
  void ShowImageLabel(bool visible) override;
  void ShowFileName(bool visible) override;
  void SetFileNameText(const std::wstring& text) override;
  void ShowControl(int id, bool visible);
  bool ControlVisible(int id) const;
  void SetControlText(int id, const std::wstring& text);
  std::wstring ControlText(int id) const;
  void SetStatusText(int panel, const std::wstring& text) override;  // panels 1 and 2
  std::wstring StatusText(int panel) const;
  std::wstring ButtonCaption(int index) const override;  // toolbar buttons 1-6
  void SetButtonCaption(int index, const std::wstring& caption) override;
  void EnableButton(int index, bool enabled) override;
  bool ButtonEnabled(int index) const;
  void EnableHelpButton(bool enabled) override;
  void RerunLoad() override { Form_Load(); }
  void ShowPortal(bool visible) override;
  void ShowHelp(HWND owner, DWORD context) override;
  HWND OwnerWindow() const override { return window_; }
  void Repaint() override;
  void PlaceHelpButton();
  HWND LiveView() const { return liveView_; }
  const PortalHost* Host() const { return host_.get(); }
  SnapshotView& imgSnapshot() { return snapshot_; }

  // Main-window field: files stored by the running motion detector.
  long MotionFileCount() const { return motionFileCount_; }
  void SetMotionFileCount(long count) { motionFileCount_ = count; }
  const std::wstring& CameraDescription() const { return cameraDescription_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCreate();
  void OnCommand(int id);
  void RouteCommand(int id);
  LRESULT OnNotify(NMHDR* header);
  void OnHelp(const HELPINFO* info);
  void OnPaint();
  void OnDestroy();

  // Building the controls (frmMainControls.cpp).
  void CreateControls();
  void CreateToolbar();
  void CreateStatusBar();
  void CreateViews();
  void CreateTooltips();
  void AddTooltip(HWND tool, const wchar_t* text);
  void SizeWindowToDesign();
  int ToolbarHeight() const;
  HWND Control(int id) const;

  // Commands (frmMainCommands.cpp).
  void InstantSnapshot();
  // The delayed snapshot, timed sequence and motion detector commands.
  void ShowScheduleDialog(Form& dialog);
  void RecordMovie();      // frmMainMovies.cpp
  void RecordTimeLapse();
  void MotionDetectorButton();
  void StopMotionDetector();
  void About();
  void Exit();

  // The motion reaction (frmMainPortal.cpp).
  void MotionReport(long value);
  bool StoreMotionPicture();  // true when the picture reached its file
  void StartMotionMovie(ErrorScope& scope);
  void CameraDetached();

  FlowContext& context_;
  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  int dpiX_ = 96;
  int dpiY_ = 96;
  HWND toolbar_ = nullptr;
  HWND status_ = nullptr;
  HWND tips_ = nullptr;
  HWND liveView_ = nullptr;  // child windows belong to the main window
  SnapshotView snapshot_;
  common::UniqueFont font_;
  common::UniqueHandle<ImageListTraits> images_;
  std::unique_ptr<PortalHost> host_;
  PortalClient vidPort_;
  HelpViewer help_;
  std::unique_ptr<ScheduleForms> schedules_;  // the dialogs' default instances
  ScenarioRelay relay_;
  std::unique_ptr<frmPopUp> popUp_;  // the recording dialog's default instance
  std::wstring cameraDescription_;
  long motionFileCount_ = 0;
  bool unloaded_ = false;
};

}  // namespace torvane
