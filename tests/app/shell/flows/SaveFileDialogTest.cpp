// The real save-file dialog of the prompt layer, answered as a user would:
// a typed name gets the default extension, an existing name is confirmed
// by the dialog itself, Cancel gives nothing.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "FlowTestSupport.h"
#include "PictureFlows.h"
#include "SaveFileDialog.h"
#include "WindowPrompter.h"

using namespace torvane;
using namespace flow_tests;

namespace {

constexpr int kFileNameField = 0x47C;  // cmb13

void TypeNameAndSave(HWND dialog, const std::wstring& name) {
  ::SetDlgItemTextW(dialog, kFileNameField, name.c_str());
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(SaveFileDialog, AnsweredAsAUserWould) {
  ScratchFolder folder;
  WindowPrompter prompter;
  SaveDialogRequest request = SnapshotSaveDialog();
  request.initialFolder = folder.Path();

  std::wstring title;
  DialogDriver typeName([&](HWND dialog) {
    title = WindowText(dialog);
    TypeNameAndSave(dialog, folder.File(L"picture"));
  });
  EXPECT_EQ(folder.File(L"picture.bmp"), prompter.SaveFileName(request).value_or(L"(cancelled)"));
  EXPECT_EQ(L"Save Image File.", title);

  DialogDriver cancel([](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_FALSE(prompter.SaveFileName(request).has_value());

  // An existing file: the dialog asks before it answers.
  const std::wstring existing = folder.File(L"old.jpg");
  WriteFileBytes(existing, "old");
  HWND saveDialog = nullptr;
  bool confirmed = false;
  DialogDriver overwrite([&](HWND dialog) {
    saveDialog = dialog;
    TypeNameAndSave(dialog, existing);
  });
  overwrite.Then([&](HWND box) {
    confirmed = box != saveDialog;
    ::PostMessageW(box, WM_COMMAND, IDYES, 0);
  });
  EXPECT_EQ(existing, prompter.SaveFileName(request).value_or(L"(cancelled)"));
  EXPECT_TRUE(confirmed);
  EXPECT_EQ("old", ReadFileBytes(existing));  // the dialog itself writes nothing
}

}  // namespace
