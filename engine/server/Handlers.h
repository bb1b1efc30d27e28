// The command handlers, one group per file. Each returns S_OK or a failure
// HRESULT (E_INVALIDARG for a short or malformed record, E_NOTIMPL for an
// unknown sub-code, E_FAIL with the session's failure reason set when the
// camera or the engine's state refuses the command).
#pragma once

#include "Call.h"
#include "Session.h"

namespace engine {

// Prepare, cameras, connection, notification window, inquiries 2, 13-21,
// 31, 32 and 99 (CameraCommands.cpp).
HRESULT ExecuteCameraCommand(Session& session, const Call& call);
HRESULT InquireCameraCommand(Session& session, const Call& call);

// Camera properties (5/p) and the engine mode (28/x) (PropertyCommands.cpp).
HRESULT ExecuteProperty(Session& session, const Call& call);
HRESULT InquireProperty(Session& session, const Call& call);
HRESULT ExecuteMode(Session& session, const Call& call);
HRESULT InquireMode(Session& session, const Call& call);

// Capture format (26/x) and still size (29/x) (FormatCommands.cpp).
HRESULT ExecuteFormat(Session& session, const Call& call);
HRESULT InquireFormat(Session& session, const Call& call);
HRESULT ExecuteStillFormat(Session& session, const Call& call);
HRESULT InquireStillFormat(Session& session, const Call& call);

// Text stamp style (7/0), pictures (12/x) (PictureCommands.cpp) and
// indexed pictures (22/x) (IndexedPictures.cpp).
HRESULT ExecuteTextStamp(Session& session, const Call& call);
HRESULT ExecutePicture(Session& session, const Call& call);
HRESULT ExecuteIndexedPicture(Session& session, const Call& call);
HRESULT InquireIndexedPicture(Session& session, const Call& call);

// Movies (6/x) (MovieCommands.cpp).
HRESULT ExecuteMovie(Session& session, const Call& call);
HRESULT InquireMovie(Session& session, const Call& call);

// Preview (10/x) (PreviewCommands.cpp), settings (9/x)
// (SettingsCommands.cpp), the engine dialog (23/1) (EngineDialog.cpp).
HRESULT ExecutePreview(Session& session, const Call& call);
HRESULT InquirePreview(Session& session, const Call& call);
HRESULT ExecuteSettings(Session& session, const Call& call);
HRESULT ExecuteDialog(Session& session, const Call& call);

// The test scenario channel, commands from 1000 (ScenarioCommands.cpp).
HRESULT ExecuteScenario(Session& session, const Call& call);
// Inquiry 1010: the engine's process id and CPU time (for benchmarks).
HRESULT InquireScenario(Session& session, const Call& call);

}  // namespace engine
