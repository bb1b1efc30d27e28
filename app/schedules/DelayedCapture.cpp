// The delayed snapshot's capture sequence.
#include "DelayedCapture.h"

#include "MousePointer.h"
#include "PictureSteps.h"

namespace torvane {

namespace {

// The pieces are joined without a blank, as the question has always read.
constexpr wchar_t kSaveQuestion[] = L"Do you want to save the snap-shot shown in the 'Captured image'window?";

}  // namespace

void DelayedCapture(FlowContext& context, CaptureWindow& window, ErrorScope& scope,
                    const std::function<void()>& hideDialog) {
  const std::wstring& picture = context.temporaryPicture;
  scope.Run([&] { window.ShowImage(true); });
  if (!RequestPicture(scope, window, picture)) {
    // No picture was taken (the control has said why): nothing to offer.
    scope.Run([&] { window.ShowImage(false); });
    MousePointer::SetHourglass(false);
    return;
  }
  scope.Run([&] { LoadSnapshotOrThrow(window, picture); });
  scope.Run([&] { window.ShowImageLabel(true); });
  scope.Run([&] { window.SetStatusText(2, kDelayedSnapshotTaken); });
  MousePointer::SetHourglass(false);
  scope.Run(hideDialog);

  OfferToSave(context, scope, window, kSaveQuestion);
}

}  // namespace torvane
