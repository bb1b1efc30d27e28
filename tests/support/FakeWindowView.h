// The control's window as component tests see it: every request is
// recorded as one line of text ("LayOut", "Post 1556 0 0", "InfoScreen
// missing"...), posted messages also land in a message queue the test can
// fill beforehand, and the window handles are made-up values the engine
// records carry.
//
//   view.Queue(kMsgPlainReport);
//   router.Handle(kMsgPlainReport, 0, 0);
//   EXPECT_TRUE(MatchSequence("view", view.actions, {FakeWindowView::Post(kMsgPlainReport)}));
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "core/WindowView.h"

namespace testing_support {

class FakeWindowView final : public portal::WindowView {
 public:
  static const HWND kWindow;
  static const HWND kPreviewArea;

  // The text of the requests, for expected tables.
  static std::string Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  static std::string Screen(portal::InfoScreenKind kind);
  static std::string Timer(UINT_PTR id, UINT periodMs);
  static std::string StopTimerLine(UINT_PTR id);

  // Without a window (before the control is created): handles are null.
  void Unrealize() { realized_ = false; }
  void SetForeground(bool foreground) { foreground_ = foreground; }
  void Queue(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Queued messages of that number still waiting.
  int Queued(UINT message) const;

  HWND Window() const override { return realized_ ? kWindow : nullptr; }
  HWND PreviewArea() const override { return realized_ ? kPreviewArea : nullptr; }
  void Repaint() override { actions.push_back("Repaint"); }
  void LayOut() override { actions.push_back("LayOut"); }
  void SizePreview(LONG width, LONG height) override;
  void SetPreviewLive(bool live) override { actions.push_back(live ? "Live on" : "Live off"); }
  void ShowInfoScreen(portal::InfoScreenKind kind, const std::wstring& cameraName) override;
  void HideRetryButton() override { actions.push_back("HideRetryButton"); }
  bool PostToSelf(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool TakeQueued(UINT message, MSG* taken) override;
  bool StartTimer(UINT_PTR id, UINT periodMs) override;
  void StopTimer(UINT_PTR id) override { actions.push_back(StopTimerLine(id)); }
  void TakeFocus() override { actions.push_back("Focus"); }
  bool ShownInForeground() const override { return foreground_; }
  void ShowBusyIndicator() override { actions.push_back("ShowBusyIndicator"); }
  void HideBusyIndicator() override { actions.push_back("HideBusyIndicator"); }
  void ShowError(const std::wstring& text) override;

  std::vector<std::string> actions;
  std::wstring lastScreenName;  // the camera name of the last information screen

 private:
  bool realized_ = true;
  bool foreground_ = false;
  std::deque<MSG> queue_;
};

}  // namespace testing_support
