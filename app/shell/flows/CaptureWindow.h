// The main window as the picture flows see it: its camera check, its image
// view ("Captured image": imgSnapshot, lblImage, lblFileName), its status
// bar and its control. frmMain implements it; tests use a recording one.
#pragma once

#include <string>

#include "PortalClient.h"

namespace torvane {

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
};

}  // namespace torvane
