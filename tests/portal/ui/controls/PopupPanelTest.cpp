// The popup panel from a test template: the pieces it adds and its growth,
// the side it opens at against a given work area, the ten slide steps seen
// through an environment that records instead of sleeping, following the
// cursor with timer 2499, dismissal and the button-ups passed on.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestWindowHost.h"
#include "common/UniqueHandle.h"
#include "server/ModuleState.h"
#include "ui/controls/ButtonTEx.h"
#include "ui/controls/ImageButton.h"
#include "ui/controls/PopupPanel.h"

namespace {

using namespace portal::controls;
using testing_support::TestWindowHost;
using testing_support::TimedScript;

constexpr UINT kContentPanel = 500, kCompletePanel = 501;
constexpr int kContentButton = 1000;

INT_PTR CALLBACK IgnoringDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT ScreenRect(HWND window) {
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  return rect;
}

RECT RectIn(HWND parent, HWND child) {
  RECT rect = ScreenRect(child);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Records what the panel asks of the system.
class RecordingEnvironment : public PanelEnvironment {
 public:
  struct Step {
    DWORD pause;
    RECT window;
    POINT content;  // the content button in the panel's client
    bool visible;
  };
  RECT WorkArea() override { return workArea; }
  void PlaySystemSound(const wchar_t* alias) override { sounds.push_back(alias); }
  void Pause(DWORD ms) override {
    const HWND dialog = panel->Handle();
    const RECT content = RectIn(dialog, ::GetDlgItem(dialog, kContentButton));
    steps.push_back({ms, ScreenRect(dialog), {content.left, content.top}, ::IsWindowVisible(dialog) != FALSE});
  }

  RECT workArea = {0, 0, 1280, 1024};
  PopupPanel* panel = nullptr;
  std::vector<std::wstring> sounds;
  std::vector<Step> steps;
};

class PopupPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources_.reset(::LoadLibraryW(L"LTovra2.dll"));
    templates_.reset(::LoadLibraryExW(L"ControlTestPanels.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(resources_ && templates_);
    portal::ModuleState::SetResourceModule(resources_.get());
    host_.Record(WM_LBUTTONUP);
    host_.Record(WM_RBUTTONUP);
    // The anchor: a small window in the middle of the screen.
    anchor_.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 600, 400, 40, 24, nullptr, nullptr,
                                    nullptr, nullptr));
    ::SetCursorPos(5, 1000);  // away from everything
  }
  void TearDown() override { portal::ModuleState::SetResourceModule(nullptr); }

  // The template's own size, before the panel adds anything.
  SIZE TemplateSize(UINT id, SIZE* client) {
    common::UniqueWindow dialog(::CreateDialogParamW(templates_.get(), MAKEINTRESOURCEW(id), host_.Window(),
                                                     IgnoringDialogProc, 0));
    RECT window = ScreenRect(dialog.get()), inside = {};
    ::GetClientRect(dialog.get(), &inside);
    *client = {inside.right, inside.bottom};
    return {window.right - window.left, window.bottom - window.top};
  }

  // Runs panel at the anchor; script steps run while it is open.
  INT_PTR RunWith(PopupPanel& panel, std::vector<TimedScript::Step> steps, HWND anchor = nullptr) {
    environment_.panel = &panel;
    panel.SetEnvironment(&environment_);
    TimedScript script(std::move(steps), 10000, [&] { panel.Close(-2); });
    const INT_PTR result = panel.Run(anchor ? anchor : anchor_.get(), host_.Window());
    EXPECT_FALSE(script.TimedOut()) << "stuck at step " << script.Current();
    return result;
  }

  common::UniqueModule resources_, templates_;
  TestWindowHost host_;
  common::UniqueWindow anchor_;
  RecordingEnvironment environment_;
};

// Children of dialog with the given id, or with the etched-line style.
int CountChildren(HWND dialog, int id, bool etchedLines = false) {
  int count = 0;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const bool etched = (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDHORZ;
    count += etchedLines ? etched : ::GetDlgCtrlID(child) == id;
  }
  return count;
}

TEST_F(PopupPanelTest, AddsWhatItsTemplateLacksAndGrows) {
  struct Case {
    UINT templateId;
    SIZE growth;
  } cases[] = {{kContentPanel, {PopupPanel::kGrowWidth, PopupPanel::kGrowHeight}}, {kCompletePanel, {0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "template " << c.templateId);
    SIZE templateClient;
    TemplateSize(c.templateId, &templateClient);
    PopupPanel panel(templates_.get(), c.templateId);
    RunWith(panel, {[&] {
      const HWND dialog = panel.Handle();
      if (!dialog || environment_.steps.size() < kSlideSteps) return false;
      RECT client;
      ::GetClientRect(dialog, &client);
      EXPECT_EQ(templateClient.cx + c.growth.cx, client.right);
      EXPECT_EQ(templateClient.cy + c.growth.cy, client.bottom);
      EXPECT_EQ(1, CountChildren(dialog, IDOK));
      EXPECT_EQ(1, CountChildren(dialog, IDCANCEL));
      EXPECT_EQ(1, CountChildren(dialog, 0, true));
      const HWND focus = ::GetFocus();
      EXPECT_TRUE(focus == dialog || ::IsChild(dialog, focus)) << "the panel takes the keyboard focus";
      if (c.templateId == kContentPanel) {
        const RECT close = RectIn(dialog, ::GetDlgItem(dialog, IDCANCEL));
        EXPECT_EQ(13, close.right - close.left);
        EXPECT_EQ(13, close.bottom - close.top);
        EXPECT_LE(client.right - close.right, 2) << "at the top-right corner";
        EXPECT_LE(close.top, 2);
        const HWND check = ::GetDlgItem(dialog, IDOK);
        EXPECT_NE(nullptr, CButtonTEx::FromHandle(check));
        wchar_t text[32] = {};
        ::GetWindowTextW(check, text, 32);
        EXPECT_STREQ(L"Done", text) << "string 160";
        const RECT r = RectIn(dialog, check);
        EXPECT_TRUE(r.left == 5 && r.top == templateClient.cy + 6 && r.right == client.right - 5 &&
                    r.bottom == templateClient.cy + 28);
      }
      panel.Close(2);
      return true;
    }});
  }
  PopupPanel missing(templates_.get(), 999);
  EXPECT_EQ(-1, missing.Run(anchor_.get(), host_.Window())) << "no template, no panel";
}

TEST_F(PopupPanelTest, SlidesOutInTenStepsAtTheSideThatFits) {
  const RECT anchor = ScreenRect(anchor_.get());
  SIZE client;
  const SIZE size = TemplateSize(kContentPanel, &client);
  const SIZE full = {size.cx + PopupPanel::kGrowWidth, size.cy + PopupPanel::kGrowHeight};
  struct Case {
    const char* what;
    RECT workArea;
    PanelSide side;
    POINT topLeft;
  } cases[] = {
      {"room on the right", {0, 0, 1280, 1024}, PanelSide::Right, {anchor.right, anchor.top - 1}},
      {"anchor at the right edge: below", {0, 0, anchor.right, 1024}, PanelSide::Below,
       {anchor.right - full.cx, anchor.bottom}},
      {"right edge and bottom: above", {0, 0, anchor.right, anchor.bottom + 10}, PanelSide::Above,
       {anchor.right - full.cx, anchor.top - full.cy}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    environment_.workArea = c.workArea;
    environment_.steps.clear();
    environment_.sounds.clear();
    PopupPanel panel(templates_.get(), kContentPanel, PanelSide::Right);
    EXPECT_EQ(PopupPanel::kDismissed, RunWith(panel, {[&] {
      if (environment_.steps.size() < kSlideSteps) return false;
      ::PostMessageW(panel.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(-5, -5));
      return true;
    }})) << "a press outside closes with 1";
    EXPECT_EQ(c.side, panel.OpenedSide());
    EXPECT_EQ((std::vector<std::wstring>{L"MenuPopup"}), environment_.sounds);
    ASSERT_EQ(size_t(kSlideSteps), environment_.steps.size());
    const RECT last = environment_.steps.back().window;
    EXPECT_TRUE(last.left == c.topLeft.x && last.top == c.topLeft.y) << last.left << "," << last.top;
    // Each step shows a tenth more; the edge at the anchor stays and the
    // content travels with the edge that leads out.
    const bool across = c.side == PanelSide::Right;
    const auto extents = SlideExtents(across ? full.cx : full.cy);
    const POINT home = environment_.steps.back().content;
    for (int i = 0; i < kSlideSteps; ++i) {
      const auto& step = environment_.steps[i];
      const RECT& w = step.window;
      EXPECT_EQ(PopupPanel::kSlidePauseMs, step.pause);
      EXPECT_TRUE(step.visible);
      EXPECT_EQ(extents[i], across ? w.right - w.left : w.bottom - w.top) << "step " << i;
      const int hidden = (across ? full.cx : full.cy) - extents[i];
      switch (c.side) {
        case PanelSide::Right:
          EXPECT_TRUE(w.left == anchor.right && step.content.x == home.x - hidden) << "step " << i;
          break;
        case PanelSide::Below:
          EXPECT_TRUE(w.top == anchor.bottom && step.content.y == home.y - hidden) << "step " << i;
          break;
        case PanelSide::Above:
          EXPECT_TRUE(w.bottom == anchor.top && step.content.y == home.y) << "step " << i;
          break;
      }
    }
  }
}

TEST_F(PopupPanelTest, FollowsTheCursorClosesOutsideAndPassesButtonUpsOnce) {
  PopupPanel panel(templates_.get(), kContentPanel);
  HWND dialog = nullptr;
  POINT expectedUp = {-10, -20};
  const INT_PTR result = RunWith(panel, {
      [&] {  // out, with the cursor far away: the panel holds the capture
        dialog = panel.Handle();
        return dialog && environment_.steps.size() == kSlideSteps && ::GetCapture() == dialog;
      },
      [&] {  // the cursor comes inside: the capture is let go
        const RECT r = ScreenRect(dialog);
        ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return true;
      },
      [&] { return ::GetCapture() != dialog; },
      [&] {  // and leaves again
        ::SetCursorPos(5, 1000);
        return true;
      },
      [&] { return ::GetCapture() == dialog; },
      [&] {  // button-ups: each kind passed on to the anchor once
        ::MapWindowPoints(dialog, host_.Window(), &expectedUp, 1);
        for (UINT message : {WM_LBUTTONUP, WM_LBUTTONUP, WM_RBUTTONUP, WM_RBUTTONUP}) {
          ::SendMessageW(dialog, message, 0, MAKELPARAM(-10, -20));
        }
        // A press inside the panel keeps it open.
        ::SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        return ::IsWindow(dialog);
      },
      [&] {
        ::PostMessageW(dialog, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-3, 5));
        return true;
      },
  }, host_.Window());
  EXPECT_EQ(PopupPanel::kDismissed, result);
  EXPECT_NE(dialog, ::GetCapture()) << "the capture goes with the panel";

  const auto lefts = host_.MessagesOf(WM_LBUTTONUP), rights = host_.MessagesOf(WM_RBUTTONUP);
  ASSERT_EQ(1u, lefts.size());
  ASSERT_EQ(1u, rights.size());
  EXPECT_EQ(MAKELPARAM(expectedUp.x, expectedUp.y), lefts[0].lParam) << "in the anchor's client coordinates";
  EXPECT_EQ(lefts[0].lParam, rights[0].lParam);
}

TEST_F(PopupPanelTest, ImageButtonRunsItsPanelAndEveryWayOfClosing) {
  ImageButton button;
  ASSERT_TRUE(button.Create(host_.Window(), 7, {10, 10, 50, 34}));
  PopupPanel panel(templates_.get(), kContentPanel);
  struct Closer : PopupPanel::Handler {
    void OnPanelInit(PopupPanel&, HWND dialog) override { inits += dialog != nullptr; }
    void OnPanelCommand(PopupPanel&, HWND, int id, int code, HWND) override { commands.push_back({id, code}); }
    void OnPanelClosed(PopupPanel&, INT_PTR result) override { results.push_back(result); }
    int inits = 0;
    std::vector<std::pair<int, int>> commands;
    std::vector<INT_PTR> results;
  } handler;
  panel.SetHandler(&handler);
  button.SetPanel(&panel);
  environment_.panel = &panel;
  panel.SetEnvironment(&environment_);

  struct Way {
    const char* what;
    std::function<void(HWND)> close;
    INT_PTR result;
  } ways[] = {
      {"check button", [](HWND d) { ::SendMessageW(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, IDOK},
      {"close button", [](HWND d) { ::SendMessageW(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }, IDCANCEL},
      {"WM_CLOSE", [](HWND d) { ::PostMessageW(d, WM_CLOSE, 0, 0); }, IDCANCEL},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    environment_.steps.clear();
    bool pressedWhileOpen = false, releasedByPanel = false;
    TimedScript script(
        {[&] {
           const HWND dialog = panel.Handle();
           if (!dialog || environment_.steps.size() < kSlideSteps) return false;
           EXPECT_EQ(host_.Window(), ::GetWindow(dialog, GW_OWNER)) << "owned by the button's parent";
           EXPECT_EQ(ScreenRect(button.Handle()).right, ScreenRect(dialog).left) << "anchored at the button";
           pressedWhileOpen = button.Pressed();
           ::SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(-200, 5));
           releasedByPanel = !button.Pressed();
           ::SendMessageW(::GetDlgItem(dialog, kContentButton), BM_CLICK, 0, 0);
           way.close(dialog);
           return true;
         }},
        10000, [&] { panel.Close(-2); });
    ::SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(pressedWhileOpen) << "the button looks pressed while its panel is open";
    EXPECT_TRUE(releasedByPanel) << "the button-up passed on releases it";
    ASSERT_FALSE(handler.results.empty());
    EXPECT_EQ(way.result, handler.results.back());
    ASSERT_FALSE(handler.commands.empty());
    EXPECT_EQ(kContentButton, handler.commands.back().first) << "the content's commands reach the handler";
  }
  EXPECT_EQ(3, handler.inits);
}

}  // namespace
