// The set-up the recording dialog and movie flow tests share: a fake
// control behind a recording main window, scripted prompts, the log and
// the temporary movie in a scratch folder, a clock the test moves, and a
// frmPopUp whose timer never fires by itself (the tests tick it).
#pragma once

#include <gtest/gtest.h>

#include "FakePortal.h"
#include "FlowTestSupport.h"
#include "Global.h"
#include "RecordingWindow.h"
#include "frmPopUp.h"

namespace flow_tests {

class MovieDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    torvane::ResetGlobals();
    torvane::Global().ErrorCount = 0;
  }
  void TearDown() override { popUp_.Unload(); }
  // Ticks of the dialog's timer, a second apart.
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      ++now_.wSecond;
      popUp_.Tick();
    }
  }
  std::string Movie() const { return Narrow(context_.temporaryMovie); }

  ScratchFolder folder_;
  FakePortal portal_;
  RecordingWindow window_{&portal_};
  ScriptedPrompter prompter_;
  torvane::ProgramEnd end_ = ThrowingEnd();
  torvane::ErrorTracker tracker_{folder_.Path(), prompter_, end_};
  SYSTEMTIME now_ = LocalTime(2025, 3, 7, 16, 20, 0);
  torvane::FlowContext context_{prompter_, tracker_, end_, folder_.File(L"pic.tmp"), [this] { return now_; },
                                folder_.File(L"pic.avi")};
  torvane::frmPopUp popUp_{context_, window_, 0x7FFFFFFF};
};

}  // namespace flow_tests
