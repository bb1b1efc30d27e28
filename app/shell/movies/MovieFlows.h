// The movie flows of the main window, each driving frmPopUp.
//  MovieRecord: toolbar button 4 and the menu's "Record a movie": asks
//    about sound, records in the dialog, shows the result and saves the
//    temporary movie where the user chooses, or deletes it.
//  RecordTimeLapse: toolbar button 6 and "Shoot a time-lapse movie": asks
//    for the frame interval and playback rate, records frame by frame in
//    the dialog, then saves or deletes the temporary movie.
// Both follow the application's error pattern; a missing temporary movie
// shows "Nothing recorded!" and ends the flow, Cancel in the save dialog
// ends it at once and keeps the temporary movie.
#pragma once

#include "CaptureWindow.h"
#include "FlowContext.h"
#include "frmPopUp.h"

namespace torvane {

void MovieRecord(FlowContext& context, CaptureWindow& window, frmPopUp& popUp);
void RecordTimeLapse(FlowContext& context, CaptureWindow& window, frmPopUp& popUp);

// The save dialog of a movie, with its filter.
SaveDialogRequest MovieSaveDialog(const wchar_t* filter);

}  // namespace torvane
