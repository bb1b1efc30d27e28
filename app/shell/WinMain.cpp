// Torvane.exe: one apartment-threaded UI thread, the main window and its
// message loop. Closing the main window ends the program.
#include <windows.h>

#include <objbase.h>

#include "ErrorTracker.h"
#include "common/ComInit.h"
#include "FlowContext.h"
#include "Form.h"
#include "ProgramEnd.h"
#include "WindowPrompter.h"
#include "frmMain.h"

namespace {


int RunMessageLoop(torvane::frmMain& mainWindow) {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // A modeless form (the progress window) gets its keys first.
    if (torvane::Form::PreTranslate(&message)) continue;
    if (mainWindow.PreTranslateMessage(&message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // OLE (not just COM): in-place activation needs the OLE clipboard and
  // drag-and-drop services initialised on this thread.
  const common::OleInit ole;
  if (!ole.MustUninitialize()) return 1;
  torvane::WindowPrompter prompter;
  const torvane::ProgramEnd end;
  torvane::ErrorTracker errors(torvane::ErrorTracker::ApplicationFolder(), prompter, end);
  torvane::FlowContext context{prompter, errors, end};
  torvane::frmMain mainWindow(context);
  if (!mainWindow.Create(instance, showCommand)) return 1;
  prompter.SetOwner(mainWindow.Window());
  return RunMessageLoop(mainWindow);
}
