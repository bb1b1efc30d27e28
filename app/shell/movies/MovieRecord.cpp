// MovieRecord and RecordTimeLapse: the recording dialog, then the
// temporary movie saved by moving it to the chosen name, or deleted.
#include <windows.h>

#include <commdlg.h>

#include <optional>

#include "Global.h"
#include "MovieFlows.h"
#include "MovieSteps.h"
#include "PictureSteps.h"
#include "SaveFileDialog.h"

namespace torvane {

SaveDialogRequest MovieSaveDialog(const wchar_t* filter) {
  SaveDialogRequest request;
  request.title = L"Save Image File.";
  request.filter = filter;
  // A name typed without an extension becomes a movie, not a bitmap.
  request.defaultExtension = L"avi";
  request.initialFolder = DocumentsFolder();
  request.flags = OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT | OFN_PATHMUSTEXIST;  // 3074
  return request;
}

void MovieSteps::NothingRecorded() {
  scope_.Run([&] { context_.prompter.MessBox(L"Nothing recorded!", L"!", L"OK", L"No file!"); });
}

namespace {

// ClearImageView and ButtonInit; true when a camera is connected.
bool CameraReady(MovieSteps& steps, CaptureWindow& window) {
  bool connected = false;
  steps.Run([&] { window.ClearImageView(); });
  steps.Run([&] { connected = window.ButtonInit(); });
  return connected;
}

// The save dialog, the move of the temporary movie onto the chosen name
// (replacing a file whose replacement the dialog has confirmed), and
// lblFileName with savedText and the name. Cancel ends at once and keeps
// the temporary movie; a name that did not receive it reports nothing.
void SaveTemporaryMovie(FlowContext& context, MovieSteps& steps, CaptureWindow& window, const wchar_t* filter,
                        const wchar_t* savedText) {
  std::optional<std::wstring> name;
  steps.Run([&] { name = context.prompter.SaveFileName(MovieSaveDialog(filter)); });
  if (!name) return;
  if (steps.Run([&] { MoveReplacing(context.temporaryMovie, *name); }) != MovieSteps::kDone) return;
  steps.Run([&] { window.SetFileNameText(savedText + *name); });
  steps.Run([&] { window.ShowFileName(true); });
}

}  // namespace

void MovieRecord(FlowContext& context, CaptureWindow& window, frmPopUp& popUp) {
  GlobalState& g = Global();
  MovieSteps steps(context, procedures::kMovieRecord);
  if (!CameraReady(steps, window)) return;
  PortalClient& portal = window.vidPort();

  steps.Run([&] {
    g.PromptAnswer = context.prompter.MessBox(L"Do you want to record sound with this movie?", L"?", L"Y/N", L"Sound?");
  });
  steps.Run([&] { portal.SetMovieRecordAudio(g.PromptAnswer == L"&Yes" ? -1 : 0); });
  g.MovieRecorded = false;
  steps.Run([&] { portal.SetMovieRecordMode(2); });
  steps.Run([&] { popUp.Show(popup_mode::kRecordMovie); });
  if (!g.MovieRecorded) return;

  const auto measured = steps.Run([&] {
    const long long bytes = FileLength(context.temporaryMovie);
    g.MovieFileLength = static_cast<long>(bytes > 0x7FFFFFFF ? 0x7FFFFFFF : bytes);
  });
  if (measured == MovieSteps::kEnd) return;
  steps.Run([&] { popUp.Show(popup_mode::kSaveMovie); });
  if (g.PopUpButton != 0) {  // "&No"
    steps.Run([&] { DeleteFileOrThrow(context.temporaryMovie); });
    return;
  }
  SaveTemporaryMovie(context, steps, window, L"Video file (*.avi)|*.avi", L"This movie saved to ");
}

void RecordTimeLapse(FlowContext& context, CaptureWindow& window, frmPopUp& popUp) {
  GlobalState& g = Global();
  MovieSteps steps(context, procedures::kTimeLapse);
  if (!CameraReady(steps, window)) return;
  // A time-lapse recording is no movie recording: the dialog's timer must
  // not show a movie's time and size for it.
  g.MovieRecorded = false;
  steps.Run([&] { popUp.Show(popup_mode::kTimeLapse); });
  steps.Run([&] { window.SetStatusText(2, L""); });
  if (g.FrameInterval == 0 && g.TimeLapseFps == 0) return;  // cancelled

  steps.Run([&] {
    g.PromptAnswer =
        context.prompter.MessBox(L"Do you want to save this time-lapse movie?", L"?", L"Y/N", L"Save?");
  });
  if (g.PromptAnswer != L"&Yes") {
    steps.Run([&] { DeleteFileOrThrow(context.temporaryMovie); });
    return;
  }
  SaveTemporaryMovie(context, steps, window, L"Video File (*.avi)|*.avi", L"Time-lapse movie saved to ");
}

}  // namespace torvane
