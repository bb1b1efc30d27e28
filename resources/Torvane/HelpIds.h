/* Help context numbers: the topics of Torvane.chm that the program opens.
   Read by the program and by the help project's context map. */
#ifndef TORVANE_HELP_IDS_H
#define TORVANE_HELP_IDS_H

#define IDH_TIMELAPSE 15
#define IDH_SNAPSHOT 30
#define IDH_DELAYED 40
#define IDH_SEQUENCE 50
#define IDH_MOVIE 60
#define IDH_MOTION 70
#define IDH_MAINWINDOW 300

#endif
