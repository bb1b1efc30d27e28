// The picture flows of the application.
//  TakeSnapShot: the instant snapshot of toolbar button 1 and the menu:
//    take a picture, show it, ask whether to save it and save it as the
//    bitmap or, for a name ending in ".jpg", as a JPEG file.
//  StoreTimedPicture: one picture stored without asking under a
//    time-stamped name in StoreFolder (motion detector, timed sequence).
//  SaveAsJpeg: the temporary bitmap converted to the JPEG file
//    Global().LastFileName (quality 90, no chroma subsampling).
// Each follows the application's error pattern.
#pragma once

#include <string>

#include "CaptureWindow.h"
#include "FlowContext.h"

namespace torvane {

void TakeSnapShot(FlowContext& context, CaptureWindow& window);

// extension: ".bmp" or ".jpg". True when a new picture was stored; false
// when the picture request failed or a file of that name was kept.
bool StoreTimedPicture(FlowContext& context, CaptureWindow& window, const std::wstring& extension);

// True when the JPEG file was written; a failure has been shown to the
// user in a plain message box.
bool SaveAsJpeg(FlowContext& context);

// Texts and settings of the flows.
inline constexpr wchar_t kSnapshotTaken[] = L"Snap-shot taken";
inline constexpr wchar_t kSavedTo[] = L"This picture saved to ";
inline constexpr wchar_t kJpegExtension[] = L".jpg";
SaveDialogRequest SnapshotSaveDialog();

}  // namespace torvane
