// What the control starts outside itself, and its format sequence: the
// camera control panel applet (through rundll32, told which camera to show
// through the registry), the camera maker's companion program, the set-up
// wizard, and the sequence that opens the control panel with motion
// reporting paused and reports a size change.
#pragma once

#include <windows.h>

#include <string>

#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/dialogs/Launchers.h"
#include "core/session/CameraSession.h"
#include "ui/bar/PaneBar.h"

namespace portal {

// Where the control panel's programs are: rundll32.exe, the applet
// "Vexpanel.cpl", and the working folder of the started process.
struct ControlPanelPaths {
  std::wstring rundll32Folder;
  std::wstring appletFolder;
  std::wstring workingFolder;

  // The system's folders.
  static ControlPanelPaths OfSystem();
};

class PortalLaunchers final : public Launchers {
 public:
  struct Parts {
    CameraSession& session;
    PaneBar& bar;
    WindowView& view;
    NotificationSink& events;
  };
  explicit PortalLaunchers(const Parts& parts) : parts_(parts), paths_(ControlPanelPaths::OfSystem()) {}

  // The control panel for the connected camera, or the engine's own
  // camera dialog when the applet is missing or does not start.
  void LaunchControlPanel() override;
  // The companion program with the camera's device string, unless it runs
  // already; nothing when it is not registered.
  void LaunchCompanion() override;
  // The set-up wizard with its registered parameters, if registered.
  void LaunchWizard() override;
  // Refused without an engine, while the client disallowed it, while the
  // connected camera records, or when a client cancels it.
  bool RunFormatSequence() override;

  // Tests point the control panel at folders of their own.
  void SetControlPanelPaths(ControlPanelPaths paths) { paths_ = std::move(paths); }

 private:
  bool StartControlPanel(const std::wstring& cameraName);
  std::wstring CurrentCameraName();

  Parts parts_;
  ControlPanelPaths paths_;
};

}  // namespace portal
