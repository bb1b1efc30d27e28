// The control's message table: the reports the camera engine posts to the
// control's window, the control's own refresh request, and the clicks of
// its user interface, each handed to the component that owns it and turned
// into PortalNotification events. Queued copies of some reports are
// coalesced.
#pragma once

#include <windows.h>

#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/dialogs/CameraMenu.h"
#include "core/dialogs/Launchers.h"
#include "core/messages/StatusTimer.h"
#include "core/messages/VideoHook.h"
#include "core/movies/MovieRecording.h"
#include "core/session/CameraSession.h"
#include "ui/bar/PaneBar.h"
#include "ui/menus/ResolutionMenu.h"

namespace portal {

class MessageRouter {
 public:
  // The components the messages reach.
  struct Parts {
    CameraSession& session;
    MovieRecording& movies;
    VideoHook& hook;
    PaneBar& bar;
    ResolutionMenu& resolutionMenu;
    CameraMenu& cameraMenu;
    Launchers& launchers;
    WindowView& view;
    NotificationSink& events;
    // The status timer, shared with the bar's indicators; the router's own
    // when none is given.
    StatusTimer* timer = nullptr;
  };

  explicit MessageRouter(const Parts& parts);
  MessageRouter(const MessageRouter&) = delete;
  MessageRouter& operator=(const MessageRouter&) = delete;

  // Handles one message of the control's window; false for a message that
  // is not the control's (the window's default handling applies).
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // Decides which information screen stands in for the live video.
  void ChooseInfoScreen();
  // The window goes away.
  void StopStatusTimer() { timer_.Stop(); }

 private:
  using Handler = bool (MessageRouter::*)(WPARAM, LPARAM);
  struct Route {
    UINT message;
    Handler handle;
  };
  static const Route kRoutes[];

  // Engine reports (MessageRouter.cpp)
  bool OnMotionReport(WPARAM wParam, LPARAM lParam);
  bool OnRecordingEnded(WPARAM wParam, LPARAM lParam);
  bool OnInterfaceRefresh(WPARAM wParam, LPARAM lParam);
  bool OnStatusRedraw(WPARAM wParam, LPARAM lParam);
  bool OnPlainReport(WPARAM wParam, LPARAM lParam);
  bool OnFormatReport(WPARAM wParam, LPARAM lParam);
  bool OnRedraw(WPARAM wParam, LPARAM lParam);
  bool OnPause(WPARAM wParam, LPARAM lParam);
  bool OnValueReport(WPARAM wParam, LPARAM lParam);
  bool OnHookFrame(WPARAM wParam, LPARAM lParam);
  bool OnRecordingProgress(WPARAM wParam, LPARAM lParam);
  bool OnPropertyChanged(WPARAM wParam, LPARAM lParam);
  bool OnIndicatorTimer(WPARAM wParam, LPARAM lParam);
  // Camera reports (CameraReports.cpp)
  bool OnCameraLost(WPARAM wParam, LPARAM lParam);
  bool OnReconnectRequest(WPARAM wParam, LPARAM lParam);
  bool OnReconnected(WPARAM wParam, LPARAM lParam);
  bool OnCameraStateCheck(WPARAM wParam, LPARAM lParam);
  bool OnEngineGone(WPARAM wParam, LPARAM lParam);
  // The control's own user interface (UserInterfaceMessages.cpp)
  bool OnResolutionButton(WPARAM wParam, LPARAM lParam);
  bool OnCameraButton(WPARAM wParam, LPARAM lParam);
  bool OnFormatSequenceRequest(WPARAM wParam, LPARAM lParam);
  bool OnCompanionButton(WPARAM wParam, LPARAM lParam);
  bool OnModePane(WPARAM wParam, LPARAM lParam);
  bool OnValuePane(WPARAM wParam, LPARAM lParam);
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  bool OnTimer(WPARAM wParam, LPARAM lParam);

  // Removes every queued copy of message; returns how many, with the last
  // one's parameters in *last.
  int RemoveQueued(UINT message, MSG* last);
  void Notify(LONG code, LONG_PTR param1 = 0, LONG_PTR param2 = 0, LONG_PTR param3 = 0) {
    events_.Notify(code, param1, param2, param3);
  }
  void RefreshIndicators();

  CameraSession& session_;
  MovieRecording& movies_;
  VideoHook& hook_;
  PaneBar& bar_;
  ResolutionMenu& resolutionMenu_;
  CameraMenu& cameraMenu_;
  Launchers& launchers_;
  WindowView& view_;
  NotificationSink& events_;
  StatusTimer ownTimer_;
  StatusTimer& timer_;
  bool paused_ = false;  // the engine paused the picture
  bool motionEventRunning_ = false;  // the client is handling a motion event
};

}  // namespace portal
