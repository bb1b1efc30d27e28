// The main window as the flows see it, recording what they did to the
// image view and status bar, around a real (or no) control.
#pragma once

#include <oaidl.h>

#include <string>
#include <vector>

#include "CaptureWindow.h"
#include "PortalClient.h"

namespace flow_tests {

class RecordingWindow final : public torvane::CaptureWindow {
 public:
  explicit RecordingWindow(IDispatch* control) : portal_(common::ComPtr<IDispatch>(control)) {}

  bool imageVisible = false, labelVisible = false, fileNameVisible = false;
  std::wstring fileNameText;
  std::wstring status2;
  std::vector<std::wstring> loaded;  // pictures shown, in order

  void ClearImageView() override { imageVisible = labelVisible = fileNameVisible = false; }
  bool ButtonInit() override { return true; }
  bool LoadSnapshot(const std::wstring& path) override;
  void ShowImage(bool visible) override { imageVisible = visible; }
  void ShowImageLabel(bool visible) override { labelVisible = visible; }
  void ShowFileName(bool visible) override { fileNameVisible = visible; }
  void SetFileNameText(const std::wstring& text) override { fileNameText = text; }
  void SetStatusText(int panel, const std::wstring& text) override { if (panel == 2) status2 = text; }
  void Repaint() override {}
  torvane::PortalClient& vidPort() override { return portal_; }

 private:
  torvane::PortalClient portal_;
};

}  // namespace flow_tests
