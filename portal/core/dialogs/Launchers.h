// What the control starts outside itself or runs as a sequence of its own
// dialogs: the camera control panel, the engine's companion program, the
// set-up wizard and the format sequence; PortalLaunchers are the control's.
// NoLaunchers, for tests of their callers, starts nothing and refuses the
// format sequence.
#pragma once

namespace portal {

class Launchers {
 public:
  virtual void LaunchControlPanel() = 0;
  virtual void LaunchCompanion() = 0;
  virtual void LaunchWizard() = 0;
  // The control's own format sequence; false when it did not run.
  virtual bool RunFormatSequence() = 0;

 protected:
  ~Launchers() = default;
};

class NoLaunchers : public Launchers {
 public:
  void LaunchControlPanel() override {}
  void LaunchCompanion() override {}
  void LaunchWizard() override {}
  bool RunFormatSequence() override { return false; }
};

}  // namespace portal
