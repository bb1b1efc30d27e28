// The recording window view of component tests.
#include "FakeWindowView.h"

#include <algorithm>
#include <sstream>

#include "common/Strings.h"

namespace testing_support {

const HWND FakeWindowView::kWindow = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x10010));
const HWND FakeWindowView::kPreviewArea = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x10020));

std::string FakeWindowView::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  std::ostringstream out;
  out << "Post " << message << " " << static_cast<LONG_PTR>(wParam) << " " << static_cast<LONG_PTR>(lParam);
  return out.str();
}

std::string FakeWindowView::Screen(portal::InfoScreenKind kind) {
  switch (kind) {
    case portal::InfoScreenKind::kNone: return "InfoScreen none";
    case portal::InfoScreenKind::kNoCamera: return "InfoScreen no camera";
    case portal::InfoScreenKind::kConnectionFailed: return "InfoScreen connection failed";
    case portal::InfoScreenKind::kCameraBusy: return "InfoScreen camera busy";
    case portal::InfoScreenKind::kCameraMissing: return "InfoScreen camera missing";
  }
  return "InfoScreen ?";
}

std::string FakeWindowView::Timer(UINT_PTR id, UINT periodMs) {
  std::ostringstream out;
  out << "StartTimer " << id << " " << periodMs;
  return out.str();
}

std::string FakeWindowView::StopTimerLine(UINT_PTR id) { return "StopTimer " + std::to_string(id); }

void FakeWindowView::Queue(UINT message, WPARAM wParam, LPARAM lParam) {
  MSG queued = {};
  queued.hwnd = Window();
  queued.message = message;
  queued.wParam = wParam;
  queued.lParam = lParam;
  queue_.push_back(queued);
}

int FakeWindowView::Queued(UINT message) const {
  return static_cast<int>(
      std::count_if(queue_.begin(), queue_.end(), [&](const MSG& queued) { return queued.message == message; }));
}

void FakeWindowView::SizePreview(LONG width, LONG height) {
  actions.push_back("SizePreview " + std::to_string(width) + "x" + std::to_string(height));
}

void FakeWindowView::ShowInfoScreen(portal::InfoScreenKind kind, const std::wstring& cameraName) {
  actions.push_back(Screen(kind));
  lastScreenName = cameraName;
}

bool FakeWindowView::PostToSelf(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!realized_) return false;
  actions.push_back(Post(message, wParam, lParam));
  Queue(message, wParam, lParam);
  return true;
}

bool FakeWindowView::TakeQueued(UINT message, MSG* taken) {
  const auto found =
      std::find_if(queue_.begin(), queue_.end(), [&](const MSG& queued) { return queued.message == message; });
  if (found == queue_.end()) return false;
  *taken = *found;
  queue_.erase(found);
  return true;
}

bool FakeWindowView::StartTimer(UINT_PTR id, UINT periodMs) {
  actions.push_back(Timer(id, periodMs));
  return realized_;
}

void FakeWindowView::ShowError(const std::wstring& text) { actions.push_back("Error " + common::WideToAnsi(text)); }

}  // namespace testing_support
