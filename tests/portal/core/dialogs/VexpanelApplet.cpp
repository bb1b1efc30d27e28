// Stands in for the camera control panel applet "Vexpanel.cpl": when the
// control panel loads it, it records the command line of its process and
// the camera it was asked to show ("CameraToSelect").
#include <windows.h>

#include <cpl.h>

#include "LaunchRecord.h"
#include "common/Registry.h"

extern "C" LONG APIENTRY CPlApplet(HWND, UINT message, LPARAM, LPARAM info) {
  switch (message) {
    case CPL_INIT: {
      const common::UniqueRegKey key = common::OpenRegKey(HKEY_CURRENT_USER, L"Software\\Velkor");
      const std::wstring camera =
          key ? common::ReadRegString(key.get(), L"CameraToSelect").value_or(L"<none>") : L"<no key>";
      testing_support::AppendLaunchRecord({L"applet", ::GetCommandLineW(), camera});
      return TRUE;
    }
    case CPL_GETCOUNT:
      return 1;
    case CPL_INQUIRE: {
      auto* inquiry = reinterpret_cast<CPLINFO*>(info);
      inquiry->idIcon = 0;
      inquiry->idName = 0;
      inquiry->idInfo = 0;
      inquiry->lData = 0;
      return 0;
    }
    default:
      return 0;
  }
}
