// Torvane's help viewer with the compiled Torvane.chm beside the test:
// every context number the program uses opens the help window at its
// topic, through the system's HtmlHelp with HH_HELP_CONTEXT as Torvane
// calls it. Wine's viewer has no HTML engine in the test prefix: the
// window, its caption and its navigation come up, the topic's page stays
// blank.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "HelpIds.h"
#include "HelpViewer.h"
#include "WineTodo.h"
#include "common/Module.h"

namespace torvane {
namespace {

std::wstring Caption(HWND window) {
  wchar_t text[256] = {};
  ::GetWindowTextW(window, text, 256);
  return text;
}

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer_.SetHelpFile(common::ModuleDirectory(nullptr) + L"Torvane.chm");
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(viewer_.HelpFile().c_str())) << "Torvane.chm not built";
  }
  static void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
  HelpViewer viewer_;
};

TEST_F(HelpViewerTest, EveryContextOfTheProgramOpensTheHelpWindow) {
  const struct {
    DWORD context;
    const char* screen;
  } contexts[] = {{IDH_MAINWINDOW, "main window"}, {IDH_SNAPSHOT, "instant snap-shot"},
                  {IDH_DELAYED, "delayed snap-shot"}, {IDH_SEQUENCE, "timed sequence"},
                  {IDH_MOVIE, "movie"}, {IDH_MOTION, "motion detector"}, {IDH_TIMELAPSE, "time-lapse movie"}};
  // One help window serves every topic, as when the user presses F1 on
  // one menu item after another.
  HWND first = nullptr;
  for (const auto& entry : contexts) {
    HWND help = viewer_.ShowContext(nullptr, entry.context);
    ASSERT_NE(nullptr, help) << entry.screen << " (" << entry.context << ")";
    EXPECT_TRUE(::IsWindow(help)) << entry.screen;
    EXPECT_EQ(L"Torvane Help", Caption(help)) << entry.screen;
    if (!first) first = help;
    EXPECT_EQ(first, help) << entry.screen;
    Pump();
  }
  ::DestroyWindow(first);
  Pump();
}

TEST_F(HelpViewerTest, NumberOutsideTheMapOpensNothing) {
  // Also a context number the file does not know leaves no window behind.
  EXPECT_EQ(nullptr, viewer_.ShowContext(nullptr, 999));
  Pump();
}

TEST_F(HelpViewerTest, MissingHelpFileOpensNothing) {
  HelpViewer missing;
  missing.SetHelpFile(common::ModuleDirectory(nullptr) + L"NoSuchHelp.chm");
  EXPECT_EQ(nullptr, missing.ShowContext(nullptr, IDH_MAINWINDOW));
}

}  // namespace
}  // namespace torvane
