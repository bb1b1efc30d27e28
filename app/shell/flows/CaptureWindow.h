// The main window as the flows and dialogs see it: its camera check, its
// image view ("Captured image": imgSnapshot, lblImage, lblFileName), its
// status bar, toolbar and Help button, its help file and its control.
// frmMain implements it; tests use a recording one.
#pragma once

#include <windows.h>

#include <string>

#include "PortalClient.h"

namespace torvane {

// Captions of toolbar button 5: the motion detector's set-up, and its stop
// while it runs.
inline constexpr wchar_t kMotionDetectorCaption[] = L"Motion detector";
inline constexpr wchar_t kStopMotionDetectorCaption[] = L"Stop motion detector";

class CaptureWindow {
 public:
  virtual ~CaptureWindow() = default;

  virtual void ClearImageView() = 0;
  virtual bool ButtonInit() = 0;
  // Loads a picture file into imgSnapshot; false when it cannot be read.
  virtual bool LoadSnapshot(const std::wstring& path) = 0;
  virtual void ShowImage(bool visible) = 0;         // imgSnapshot
  virtual void ShowImageLabel(bool visible) = 0;    // lblImage
  virtual void ShowFileName(bool visible) = 0;      // lblFileName
  virtual void SetFileNameText(const std::wstring& text) = 0;
  virtual void SetStatusText(int panel, const std::wstring& text) = 0;  // panels 1 and 2
  virtual void Repaint() = 0;
  virtual PortalClient& vidPort() = 0;

  // Toolbar buttons 1-6; the menu items follow their buttons.
  virtual std::wstring ButtonCaption(int index) const = 0;
  virtual void SetButtonCaption(int index, const std::wstring& caption) = 0;
  virtual void EnableButton(int index, bool enabled) = 0;
  virtual void EnableHelpButton(bool enabled) = 0;  // cmdHelp
  // The start-up routine (Form_Load) again, on the control it has.
  virtual void RerunLoad() = 0;
  virtual void ShowPortal(bool visible) = 0;  // vidPort
  // The application's help file at a context number, owned by owner.
  virtual void ShowHelp(HWND owner, DWORD context) = 0;
  // The window the dialogs stand over.
  virtual HWND OwnerWindow() const = 0;
};

}  // namespace torvane
