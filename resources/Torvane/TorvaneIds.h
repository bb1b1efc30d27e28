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

// Icons of the dialogs
#define IDI_SNAP 2        // camera: imgSnap of the delay and progress dialogs
#define IDI_SNAP_FLASH 3  // camera with its flash: the second blink frame
#define IDI_REDEX 4       // red exclamation mark beside the "info?" hints

// Dialog templates, one per form (2500-2599: frmPopUp)
#define IDD_MESSBOX 2000
#define IDD_DELAY 2100
#define IDD_TIMEDSNAPS 2200
#define IDD_PROGRESS 2300
#define IDD_MOTION 2400
#define IDD_POPUP 2500

// frmMessBox; its buttons cmdDo(0) and cmdDo(1) are IDOK and IDNO. The
// message has the id of a system message box's text.
#define IDC_MESS_FRAME 100
#define IDC_MESS_QUERY 110
#define IDC_MESS_INFO 111
#define IDC_MESS_EXCLAM 112
#define IDC_MESS_CRIT 113
#define IDC_MESS_TEXT 0xFFFF

// frmDelay; cmdDo(i) = IDC_DELAY_CMDDO + i
#define IDC_DELAY_FRAME 2101
#define IDC_DELAY_SECSLABEL 2102
#define IDC_DELAY_SECS 2103
#define IDC_DELAY_SECONDS 2104
#define IDC_DELAY_COUNTFRAME 2105
#define IDC_DELAY_COUNTDOWN 2106
#define IDC_DELAY_TIMELABEL 2107
#define IDC_DELAY_CLOCK 2108
#define IDC_DELAY_SNAP 2109
#define IDC_DELAY_INFO 2110
#define IDC_DELAY_REDEX 2111
#define IDC_DELAY_CMDDO 2120

// frmTimedSnaps; cboHours(i), cboMins(i), cmdDo(i) = base + i
#define IDC_TS_MESS 2201
#define IDC_TS_TIMINGFRAME 2202
#define IDC_TS_FREQLABEL 2203
#define IDC_TS_FREQ 2204
#define IDC_TS_SECONDS 2205
#define IDC_TS_FIRSTLABEL 2206
#define IDC_TS_HINT0 2207
#define IDC_TS_STARTCLICK 2208
#define IDC_TS_LASTLABEL 2209
#define IDC_TS_HINT1 2210
#define IDC_TS_ORAFTER 2211
#define IDC_TS_TOTAL 2212
#define IDC_TS_TOTALLABEL 2213
#define IDC_TS_FORMATFRAME 2214
#define IDC_TS_FILETYPE 2215
#define IDC_TS_BMP 2216
#define IDC_TS_JPG 2217
#define IDC_TS_LOCATIONFRAME 2218
#define IDC_TS_DRIVE 2219
#define IDC_TS_FOLDER 2220
#define IDC_TS_PREFIXLABEL 2221
#define IDC_TS_PREFIX 2222
#define IDC_TS_CLOCK 2223
#define IDC_TS_INFO 2224
#define IDC_TS_REDEX 2225
#define IDC_TS_HOURS 2230
#define IDC_TS_MINS 2240
#define IDC_TS_CMDDO 2250

// frmProgress; imgSnap(i), cmdDo(i), lblProg(i) = base + i
#define IDC_PROG_FRAME 2301
#define IDC_PROG_TRACK 2302
#define IDC_PROG_MESS 2303
#define IDC_PROG_NUMPICS 2304
#define IDC_PROG_CLOCK 2305
#define IDC_PROG_EXCLAM 2306
#define IDC_PROG_SNAP 2310
#define IDC_PROG_CMDDO 2320
#define IDC_PROG_SEGMENT 3000

// frmMotion; cmdDo(i) = IDC_MO_CMDDO + i
#define IDC_MO_MESS 2401
#define IDC_MO_DEGREELABEL 2402
#define IDC_MO_DEGREE 2403
#define IDC_MO_UPDDEGREE 2404
#define IDC_MO_LABEL3 2405
#define IDC_MO_ACTIONFRAME 2406
#define IDC_MO_SNAPSHOT 2407
#define IDC_MO_MOVIESOUND 2408
#define IDC_MO_MOVIENOSOUND 2409
#define IDC_MO_ALARM 2410
#define IDC_MO_FORMATFRAME 2411
#define IDC_MO_FILETYPE 2412
#define IDC_MO_BMP 2413
#define IDC_MO_JPG 2414
#define IDC_MO_STARTFRAME 2415
#define IDC_MO_STARTNOW 2416
#define IDC_MO_ORSTART 2417
#define IDC_MO_MINS 2418
#define IDC_MO_MINUTES 2419
#define IDC_MO_LOCATIONFRAME 2420
#define IDC_MO_DRIVE 2421
#define IDC_MO_FOLDER 2422
#define IDC_MO_PREFIXLABEL 2423
#define IDC_MO_PREFIX 2424
#define IDC_MO_INFO 2425
#define IDC_MO_REDEX 2426
#define IDC_MO_CMDDO 2430

// frmPopUp; imgSnap(i), cmdDo(i) = base + i
#define IDC_POP_FRAME 2501
#define IDC_POP_MESS 2502
#define IDC_POP_FREQLABEL 2503
#define IDC_POP_FREQ 2504
#define IDC_POP_SECONDS 2505
#define IDC_POP_FPSLABEL 2506
#define IDC_POP_FPS 2507
#define IDC_POP_STARTTIME 2508
#define IDC_POP_ELAPSED 2509
#define IDC_POP_LOF 2510
#define IDC_POP_EXCLAM 2511
#define IDC_POP_QUERY 2512
#define IDC_POP_INFO 2513
#define IDC_POP_SNAP 2520
#define IDC_POP_CMDDO 2530

// WM_COPYDATA tag of the engine scenario relay (tests only, see ScenarioRelay.h)
#define TORVANE_SCENARIO_RELAY 0x54565352
