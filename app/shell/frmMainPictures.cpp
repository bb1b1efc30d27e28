// frmMain: the picture flows' view of the main window (the "Captured
// image" view) and the two commands that store pictures.
#include "Global.h"
#include "PictureFlows.h"
#include "TorvaneIds.h"
#include "frmMain.h"

namespace torvane {

void frmMain::ShowImage(bool visible) { ShowControl(IDC_SNAPSHOT, visible); }

void frmMain::ShowImageLabel(bool visible) { ShowControl(IDC_IMAGELABEL, visible); }

void frmMain::ShowFileName(bool visible) { ShowControl(IDC_FILENAME, visible); }

void frmMain::SetFileNameText(const std::wstring& text) { SetControlText(IDC_FILENAME, text); }

void frmMain::InstantSnapshot() { TakeSnapShot(context_, *this); }

bool frmMain::StoreMotionPicture() { return StoreTimedPicture(context_, *this, Global().PictureExt); }

}  // namespace torvane
