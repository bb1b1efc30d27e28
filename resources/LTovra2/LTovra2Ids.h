// Resource identifiers of LTovra2.dll, the control's localized resource
// module. The control looks its texts, menus, dialogs and pictures up by
// these numbers.
#pragma once

// Project name.
#define IDS_PROJECT_NAME 7
// Caption of the control's message boxes when the OEM definitions name no
// product.
#define IDS_PRODUCT_NAME 129

// Picture output and the target check. Messages take FormatMessage
// inserts: %1 the target path, then the camera name, the drive or the
// free-space figure as noted.
#define IDS_MOVIE_CAMERA_GONE_NAMED 138        // %1 path, %2 camera
#define IDS_PICTURE_CAMERA_GONE_NAMED 139      // %1 path, %2 camera
#define IDS_MOVIE_NOT_NOW 140                  // %1 path
#define IDS_PICTURE_NOT_NOW 141                // %1 path
#define IDS_THOUSANDS_SEPARATOR 57665
#define IDS_PICTURE_FOLDER_ERROR 57666         // %1 path
#define IDS_PICTURE_WRITE_PROTECTED 57667      // %1 path, %2 drive
#define IDS_PICTURE_NOT_ACCESSIBLE 57668       // %1 path, %2 drive
#define IDS_PICTURE_NO_SPACE 57669             // %1 path, %2 free bytes, %3 drive
#define IDS_PICTURE_PATH_NOT_FOUND 57670       // %1 path
#define IDS_MOVIE_FOLDER_ERROR 57671           // %1 path
#define IDS_MOVIE_WRITE_PROTECTED 57672        // %1 path, %2 drive
#define IDS_MOVIE_NOT_ACCESSIBLE 57673         // %1 path, %2 drive
#define IDS_MOVIE_NO_SPACE 57674               // %1 path, %2 free bytes, %3 drive
#define IDS_MOVIE_PATH_NOT_FOUND 57675         // %1 path
#define IDS_MOVIE_READ_ONLY_TARGET 57677       // %1 path
#define IDS_PICTURE_READ_ONLY_TARGET 57678     // %1 path
#define IDS_MOVIE_FAILED 57682                 // %1 path
#define IDS_PICTURE_FAILED 57683               // %1 path
#define IDS_PICTURE_CAMERA_NOT_READY 57686     // %1 path
#define IDS_MOVIE_CAMERA_NOT_READY 57687       // %1 path
#define IDS_PICTURE_CAMERA_IN_USE_NAMED 57688  // %1 path, %2 camera
#define IDS_MOVIE_CAMERA_IN_USE_NAMED 57689    // %1 path, %2 camera
#define IDS_MOVIE_CAMERA_GONE 57690            // %1 path
#define IDS_PICTURE_CAMERA_GONE 57692          // %1 path
#define IDS_PICTURE_CAMERA_IN_USE 57693        // %1 path
#define IDS_MOVIE_CAMERA_IN_USE 57694          // %1 path
#define IDS_PICTURE_CAMERA_UNAVAILABLE 57695   // %1 path, %2 camera
#define IDS_MOVIE_CAMERA_UNAVAILABLE 57696     // %1 path, %2 camera
// Movie recording: why a recording could not start (by the engine's
// failure reason), where a movie that could not be saved was kept, and
// the progress window shown while a recorded movie is saved.
#define IDS_MOVIE_START_NO_CAMERA 155          // no usable camera
#define IDS_MOVIE_START_FILE_ERROR 156         // the capture file cannot be written
#define IDS_MOVIE_START_BUSY 157               // the camera is busy
#define IDS_MOVIE_KEPT 158                     // %1 target, %2 the file the movie is in
#define IDD_SAVE_PROGRESS 102
#define IDC_SAVE_PROGRESS_BAR 1002
// The busy indicator shown while a picture is taken: a small modeless
// dialog whose placeholder (IDC_BUSY_PLACEHOLDER) the busy animation
// replaces to play the busy movie.
#define IDD_BUSY_INDICATOR 279
#define IDA_BUSY_ANIMATION 289
// Information screens shown in the preview area while no live video can be
// shown: title, body and picture of each, the retry button of the
// "connection failed" screen and the set-up link of the "camera missing"
// screen.
#define IDS_SCREEN_MISSING_TITLE 200
#define IDS_SCREEN_MISSING_BODY 201
#define IDS_SCREEN_NO_CAMERA_TITLE 202
#define IDS_SCREEN_NO_CAMERA_BODY 203
#define IDS_SCREEN_FAILED_TITLE 204
#define IDS_SCREEN_FAILED_BODY 205             // %1 camera
#define IDS_SCREEN_RETRY 206
#define IDS_SCREEN_BUSY_TITLE 207
#define IDS_SCREEN_BUSY_BODY 208
#define IDS_SCREEN_SETUP_LINK 631
#define IDB_SCREEN_NO_CAMERA 109
#define IDB_SCREEN_FAILED 110
#define IDB_SCREEN_MISSING 111
#define IDB_SCREEN_BUSY 112
// Skinned controls: the popup panels' check button text, the image
// buttons' hand cursor on systems before version 5, and the placeholder a
// dialog holds where the busy animation goes.
#define IDS_PANEL_CHECK 160
#define IDCUR_HAND_POINTER 101
#define IDC_BUSY_PLACEHOLDER 1199
// The bar's companion button, and the camera menu's commands.
#define IDS_COMPANION_TIP 628
#define IDS_CAMERA_MENU_CONTROL_PANEL 629
#define IDS_CAMERA_MENU_SHOW_HIDE 630
// The resolution menu (first sub-menu of IDM_RESOLUTION): one item per
// capture size. The 1280 x 960 item is relabelled with IDS_STILL_1280 when
// the camera takes high-resolution stills.
#define IDM_RESOLUTION 102
#define IDM_RESOLUTION_160X120 40001
#define IDM_RESOLUTION_320X240 40002
#define IDM_RESOLUTION_640X480 40003
#define IDM_RESOLUTION_240X180 40004
#define IDM_RESOLUTION_800X600 40005
#define IDM_RESOLUTION_1024X768 40006
#define IDM_RESOLUTION_1600X1024 40007
#define IDM_RESOLUTION_1280X960 40008
#define IDS_STILL_1280 57705
// The value menu of the bar's value pane (first sub-menu of
// IDM_INDICATOR_VALUE): the chosen item's id minus
// IDM_INDICATOR_VALUE_BASE is the value.
#define IDM_INDICATOR_VALUE 103
#define IDM_INDICATOR_VALUE_BASE 40008
#define IDM_INDICATOR_VALUE_1 40009
#define IDM_INDICATOR_VALUE_10 40018
// The pane bar under the preview: the resolution button's labels by the
// capture width, the status pane's texts, the buttons' tooltips, and the
// status indicators' tooltips, icons and level pictures.
#define IDS_LABEL_160 109
#define IDS_LABEL_320 110                      // also every width without a label of its own
#define IDS_LABEL_640 111
#define IDS_LABEL_240 123
#define IDS_LABEL_800 57699
#define IDS_LABEL_1024 57700
#define IDS_LABEL_1600 57703
#define IDS_LABEL_1280 57704
#define IDS_STATUS_READY 116
#define IDS_TIP_RESOLUTION 117
#define IDS_TIP_CAMERA 118
#define IDS_STATUS_RECORDING 119              // this control records
#define IDS_STATUS_RECORDING_ELSEWHERE 121    // another client records
#define IDS_STATUS_NOTICE 122                 // the engine's first status notice
#define IDS_TIP_LEVEL_HIGH 300                // level 4 and above
#define IDS_TIP_LEVEL_3 301
#define IDS_TIP_LEVEL_2 302
#define IDS_TIP_LEVEL_1 303
#define IDS_TIP_LEVEL_NONE 304
#define IDS_TIP_MODE_OFF 305
#define IDS_TIP_MODE_ON 306
#define IDS_TIP_SWITCH_ON 307
#define IDS_TIP_SWITCH_OFF 308
#define IDS_TIP_VALUE 309
#define IDI_COMPANION 101
#define IDI_CAMERA 103
#define IDI_SWITCH_OFF 108
#define IDI_SWITCH_ON 109
#define IDI_LEVEL 110                          // the level pane's icon in the bar table
#define IDI_LEVEL_NONE 111
#define IDI_MODE_OFF 112
#define IDI_MODE_ON 113
#define IDI_VALUE 114
#define IDB_LEVEL_HIGH 104
#define IDB_LEVEL_3 105
#define IDB_LEVEL_2 106
#define IDB_LEVEL_1 107
