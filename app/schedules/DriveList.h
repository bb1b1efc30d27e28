// drvDisc: the drive list of the schedule dialogs, a drop-down list of the
// system's drives shown as "c: [LABEL]" (removable and network drives
// without their label, which could keep the user waiting).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace torvane {

class DriveList {
 public:
  void Attach(HWND comboBox);
  // The chosen drive as "x:" (lower case); empty when none is chosen.
  std::wstring Drive() const;
  // Chooses the drive of a path.
  void SelectDriveOf(const std::wstring& path);

  // "x:" of every drive the system has, in order.
  static std::vector<std::wstring> Drives();

 private:
  HWND combo_ = nullptr;
};

}  // namespace torvane
