// Help context numbers of the File menu items.
#include "MenuHelp.h"

#include "TorvaneIds.h"

namespace torvane {

DWORD MenuHelpContext(int commandId) {
  switch (commandId) {
    case IDM_SNAPSHOT: return IDH_SNAPSHOT;
    case IDM_DELAYEDSNAP: return IDH_DELAYED;
    case IDM_SNAPSEQUENCE: return IDH_SEQUENCE;
    case IDM_MOVIE: return IDH_MOVIE;
    case IDM_MOTIONDETECT: return IDH_MOTION;
    case IDM_TIMELAPSE: return IDH_TIMELAPSE;
    default: return 0;
  }
}

}  // namespace torvane
