// Help context numbers of the File menu items.
#include "MenuHelp.h"

#include "TorvaneIds.h"

namespace torvane {

DWORD MenuHelpContext(int commandId) {
  switch (commandId) {
    case IDM_SNAPSHOT: return 30;
    case IDM_DELAYEDSNAP: return 40;
    case IDM_SNAPSEQUENCE: return 50;
    case IDM_MOVIE: return 60;
    case IDM_MOTIONDETECT: return 70;
    case IDM_TIMELAPSE: return 15;
    default: return 0;
  }
}

}  // namespace torvane
