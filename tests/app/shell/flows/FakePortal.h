// Test doubles of the flows' surroundings: a control that answers
// PictureToFile late-bound (writing a real bitmap file, refusing, or failing
// with an HRESULT), and a main window that records what the flows did to
// its image view and status bar.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "CaptureWindow.h"
#include "PortalClient.h"

namespace flow_tests {

// A complete 24-bit bitmap file; seed varies the pixels.
std::string BitmapFileBytes(int width, int height, int seed);

class FakePortal final : public IDispatch {
 public:
  enum class Mode { kWrites, kRefuses, kFailsCall, kWritesGarbage };
  Mode mode = Mode::kWrites;
  int width = 64;
  int height = 48;
  std::vector<std::wstring> requests;  // file names asked for
  std::vector<std::string> written;    // bytes of each picture written

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override;

 private:
  ULONG refs_ = 1;
};

class RecordingWindow final : public torvane::CaptureWindow {
 public:
  explicit RecordingWindow(IDispatch* control) : portal_(common::ComPtr<IDispatch>(control)) {}

  bool connected = true;
  bool imageVisible = false, labelVisible = false, fileNameVisible = false;
  std::wstring fileNameText;
  std::wstring status[3];
  std::vector<std::wstring> statusHistory;  // panel 2
  std::vector<std::wstring> loaded;         // pictures shown, in order
  int cleared = 0, repainted = 0;

  void ClearImageView() override;
  bool ButtonInit() override { return connected; }
  bool LoadSnapshot(const std::wstring& path) override;
  void ShowImage(bool visible) override { imageVisible = visible; }
  void ShowImageLabel(bool visible) override { labelVisible = visible; }
  void ShowFileName(bool visible) override { fileNameVisible = visible; }
  void SetFileNameText(const std::wstring& text) override { fileNameText = text; }
  void SetStatusText(int panel, const std::wstring& text) override;
  void Repaint() override { ++repainted; }
  torvane::PortalClient& vidPort() override { return portal_; }

 private:
  torvane::PortalClient portal_;
};

}  // namespace flow_tests
