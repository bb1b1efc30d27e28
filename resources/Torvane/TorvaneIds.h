// Resource and command identifiers of Torvane.exe, shared by Torvane.rc,
// the main window and the test drivers that post its commands.
#pragma once

#define IDI_TORVANE 1
#define IDR_MAINMENU 100
#define IDB_TOOLBAR 101

// Menu commands
#define IDM_SNAPSHOT 1001
#define IDM_DELAYEDSNAP 1002
#define IDM_SNAPSEQUENCE 1003
#define IDM_MOVIE 1004
#define IDM_MOTIONDETECT 1005
#define IDM_TIMELAPSE 1006
#define IDM_EXIT 1007
#define IDM_ABOUT 1008
#define IDM_HELP 1009

// Toolbar buttons 1 to 6 (index = id - IDT_BUTTON1 + 1)
#define IDT_BUTTON1 1101
#define IDT_BUTTON2 1102
#define IDT_BUTTON3 1103
#define IDT_BUTTON4 1104
#define IDT_BUTTON5 1105
#define IDT_BUTTON6 1106

// Child windows of the main window
#define IDC_TOOLBAR 1201
#define IDC_STATUS 1202
#define IDC_CMDHELP 1203
#define IDC_VIDEOLABEL 1205
#define IDC_LIVEVIEW 1206
#define IDC_IMAGELABEL 1207
#define IDC_SNAPSHOT 1208
#define IDC_FILENAME 1209
#define IDC_MOTIONMESS 1210

// Images of the toolbar bitmap, in strip order
#define TOOLBAR_IMAGE_SNAP 0
#define TOOLBAR_IMAGE_MOTION 1
#define TOOLBAR_IMAGE_SIZE 24
