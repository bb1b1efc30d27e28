// Command routing.
#include "Dispatcher.h"

#include "EngineCommands.h"
#include "Handlers.h"
#include "Log.h"

namespace engine {
namespace {

// True when a failure was injected for this call (it is used up).
bool TakeInjectedFailure(Session& session, const Call& call) {
  if (session.injectedFailure == 0 || call.command >= kCmdScenarioFirst) return false;
  if (call.command == kCmdLastFailure) return false;
  const long reason = session.injectedFailure;
  session.injectedFailure = 0;
  session.Fail(reason);
  LogLine("scenario: command %ld/%ld fails with reason %ld", call.command, call.subCode, reason);
  return true;
}

}  // namespace

HRESULT DispatchExecute(Session& session, const Call& call) {
  if (TakeInjectedFailure(session, call)) return E_FAIL;
  switch (call.command) {
    case kCmdPrepare:
    case kCmdConnect:
    case kCmdDisconnect:
    case kCmdNotifyWindow:
      return ExecuteCameraCommand(session, call);
    case kCmdProperty: return ExecuteProperty(session, call);
    case kCmdMovie: return ExecuteMovie(session, call);
    case kCmdTextStamp: return ExecuteTextStamp(session, call);
    case kCmdSettings: return ExecuteSettings(session, call);
    case kCmdPreview: return ExecutePreview(session, call);
    case kCmdPicture: return ExecutePicture(session, call);
    case kCmdIndexedPicture: return ExecuteIndexedPicture(session, call);
    case kCmdDialog: return ExecuteDialog(session, call);
    case kCmdFormat: return ExecuteFormat(session, call);
    case kCmdMode: return ExecuteMode(session, call);
    case kCmdStillFormat: return ExecuteStillFormat(session, call);
    default:
      if (call.command >= kCmdScenarioFirst) return ExecuteScenario(session, call);
      return E_NOTIMPL;
  }
}

HRESULT DispatchInquire(Session& session, const Call& call) {
  if (TakeInjectedFailure(session, call)) return E_FAIL;
  switch (call.command) {
    case kCmdConnected:
    case kCmdCameraCount:
    case kCmdCameraRecord:
    case kCmdCurrentCamera:
    case kCmdCurrentIndex:
    case kCmdRememberedCamera:
    case kCmdRememberedIndex:
    case kCmdCameraState:
    case kCmdCameraInUse:
    case kCmdFeature:
    case kCmdProcessId:
    case kCmdLastFailure:
      return InquireCameraCommand(session, call);
    case kCmdProperty: return InquireProperty(session, call);
    case kCmdMovie: return InquireMovie(session, call);
    case kCmdPreview: return InquirePreview(session, call);
    case kCmdIndexedPicture: return InquireIndexedPicture(session, call);
    case kCmdFormat: return InquireFormat(session, call);
    case kCmdMode: return InquireMode(session, call);
    case kCmdStillFormat: return InquireStillFormat(session, call);
    default:
      if (call.command >= kCmdScenarioFirst) return InquireScenario(session, call);
      return E_NOTIMPL;
  }
}

}  // namespace engine
