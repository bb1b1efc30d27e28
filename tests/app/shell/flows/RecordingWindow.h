// The main window as the flows and dialogs see it, recording what they did
// to the image view, status bar, toolbar and Help button, around a real (or
// no) control.
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
  std::wstring captions[7] = {L"", L"", L"", L"", L"", torvane::kMotionDetectorCaption, L""};  // buttons 1-6
  bool buttonEnabled[7] = {false, true, true, true, true, true, true};
  bool helpEnabled = true, portalVisible = true;
  int loads = 0;                           // RerunLoad calls
  std::vector<DWORD> helpContexts;         // ShowHelp calls

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
  std::wstring ButtonCaption(int index) const override { return captions[index]; }
  void SetButtonCaption(int index, const std::wstring& caption) override { captions[index] = caption; }
  void EnableButton(int index, bool enabled) override { buttonEnabled[index] = enabled; }
  void EnableHelpButton(bool enabled) override { helpEnabled = enabled; }
  void RerunLoad() override { ++loads; }
  void ShowPortal(bool visible) override { portalVisible = visible; }
  void ShowHelp(HWND, DWORD context) override { helpContexts.push_back(context); }
  HWND OwnerWindow() const override { return nullptr; }

 private:
  torvane::PortalClient portal_;
};

}  // namespace flow_tests
