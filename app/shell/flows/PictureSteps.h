// Steps the picture flows share: asking the control for the temporary
// picture, showing a picture file in the image view, and moving the
// temporary picture to its target.
#pragma once

#include <string>

#include "CaptureWindow.h"
#include "ErrorScope.h"
#include "FlowContext.h"

namespace torvane {

// PictureToFile(0, 24, path, "") as one step of the scope. False when the
// request failed: the control has already told the user why.
bool RequestPicture(ErrorScope& scope, CaptureWindow& window, const std::wstring& path);

// Loads a picture file into imgSnapshot; error 53 or 481 when it cannot.
void LoadSnapshotOrThrow(CaptureWindow& window, const std::wstring& path);

// Moves the temporary picture onto a target whose replacement the user has
// confirmed: an existing target is deleted and the move repeated.
void MoveReplacing(const std::wstring& from, const std::wstring& to);

// Moves the temporary picture unless the target exists; false when it did
// (both files are then kept).
bool MoveUnlessExists(const std::wstring& from, const std::wstring& to);

bool EndsWithJpegExtension(const std::wstring& name);  // exactly ".jpg", lower case

// Asks the question (icon "?", "Y/N", title "Save?") and on "&Yes" the save
// dialog; a name ending in ".jpg" gets the JPEG conversion of the temporary
// picture, any other the bitmap itself, replacing a file whose replacement
// the dialog has confirmed; lblFileName then reads "This picture saved to "
// and the name. Declined: the image view is hidden. Either way the
// temporary picture is deleted and status panel 2 cleared. Cancel in the
// save dialog hides the image view and keeps the temporary picture and the
// status; a name that did not receive the picture (the failure has been
// shown or logged) reports no success and keeps the temporary picture.
void OfferToSave(FlowContext& context, ErrorScope& scope, CaptureWindow& window, const std::wstring& question);

}  // namespace torvane
