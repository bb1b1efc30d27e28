// Command numbers of ICameraEngine::Execute / ::Inquire, their sub-codes and
// the camera property numbers with a fixed meaning. A command without
// sub-codes takes kNoSubCode.
#pragma once

namespace engine {

enum Command : long {
  kCmdPrepare = 1,             // 1/0 PrepareRecord
  kCmdConnected = 2,           // inquire: long, 1 = a camera is connected
  kCmdConnect = 3,             // 3/0 CameraRecord
  kCmdDisconnect = 4,          // 4/0
  kCmdProperty = 5,            // 5/p long value (p: Property below)
  kCmdMovie = 6,               // MovieSub
  kCmdTextStamp = 7,           // 7/0 TextStampStyleRecord
  kCmdSettings = 9,            // SettingsSub: SettingsRecord
  kCmdPreview = 10,            // PreviewSub; inquire kPreviewOn: PreviewRecord
  kCmdNotifyWindow = 11,       // NotifyWindowSub: 32-bit window handle
  kCmdPicture = 12,            // PictureSub
  kCmdCameraCount = 13,        // inquire: long
  kCmdCameraRecord = 14,       // inquire 14/i: CameraRecord of camera i
  kCmdCurrentCamera = 15,      // inquire: CameraRecord
  kCmdCurrentIndex = 17,       // inquire: long
  kCmdRememberedCamera = 18,   // inquire: CameraRecord
  kCmdRememberedIndex = 19,    // inquire: long
  kCmdCameraState = 20,        // inquire: long
  kCmdCameraInUse = 21,        // inquire: in long index, out long
  kCmdIndexedPicture = 22,     // IndexedPictureSub
  kCmdDialog = 23,             // DialogSub
  kCmdFormat = 26,             // FormatSub: VideoFormatRecord
  kCmdMode = 28,               // ModeSub: the camera mode shown on the status bar
  kCmdStillFormat = 29,        // StillFormatSub: StillFormatRecord
  kCmdFeature = 31,            // inquire: FeatureInquiryRecord
  kCmdProcessId = 32,          // inquire: long, the engine's process id (a client watches it)
  kCmdLastFailure = 99,        // inquire: long FailureReason
  kCmdScenarioFirst = 1000,    // test scenario channel: ScenarioCommand
};

inline constexpr long kNoSubCode = 0;

enum MovieSub : long {
  kMovieStart = 1,
  kMovieStop = 2,
  kMovieAddFrame = 3,
  kMovieCompression = 4,
  kMovieAudioFormat = 5,
  kMovieState = 6,
};

// Record modes of the movie request (6/1).
enum RecordMode : long {
  kRecordModeTimed = 2,        // frames on the camera's clock
  kRecordModeFrameByFrame = 3, // frames only on 6/3
};

enum PictureSub : long {
  kPictureToFile = 0,
  kPictureSound = 2,
  kPictureToMapping = 3,
  kPictureToMappingStill = 4,
};

enum IndexedPictureSub : long {
  kIndexedCount = 1,       // inquire: long
  kIndexedToFile = 2,      // execute: IndexedPictureRecord
  kIndexedToBuffer = 3,    // execute: IndexedPictureRecord + caller's buffer
  kIndexedTake = 4,        // execute: keep the current frame as a new picture
  kIndexedClear = 5,       // execute: drop every held picture
  kIndexedInfo = 6,        // inquire: IndexedPictureRecord in and out
};

enum SettingsSub : long {
  kSettingsLoad = 1,
  kSettingsSave = 2,
};

enum PreviewSub : long {
  kPreviewOn = 0,          // execute with PreviewRecord; inquire reads it back
  kPreviewOff = 1,
};

enum NotifyWindowSub : long {
  kNotifyWindowSet = 0,
  kNotifyWindowRemove = 1,
};

enum DialogSub : long {
  kDialogCamera = 1,       // the engine's own camera dialog (modal)
};

enum FormatSub : long {
  kFormatRead = 0,         // inquire
  kFormatSet = 1,          // execute
  kFormatProbe = 3,        // inquire: success when the size is supported
};

enum ModeSub : long {
  kModeOn = 1,             // execute
  kModeOff = 2,            // execute
  kModeRead = 3,           // inquire: long, non-zero = on
};

enum StillFormatSub : long {
  kStillRead = 0,          // inquire
  kStillSet = 1,           // execute
  kStillProbe = 2,         // inquire: success when the still size is supported
};

enum Property : long {
  kPropLiveVideo = 16,           // live video while a picture is taken
  kPropMotionReport = 19,        // motion reports on (-1 or 1) or off (0)
  kPropMotionSensitivity = 20,   // 1..100
  kPropHook = 29,                // the video hook feeds VX_MEMORY_IMAGE_1_0
  kPropShowHide = 31,            // read before the camera menu offers show/hide
  // Camera values the control shows as status indicators.
  kPropIndicatorLevel = 102,     // a level 0..n (pane picture and tooltip)
  kPropIndicatorReserved = 106,  // read with the indicators, shown nowhere
  kPropIndicatorSwitch = 107,    // on / off
  kPropIndicatorValue = 108,     // a number the user picks from a menu
  // Settings of a capture device (its video processing amplifier and camera
  // control), in the device's own units; refused where the device has none.
  kPropBrightness = 200,
  kPropContrast = 201,
  kPropHue = 202,
  kPropSaturation = 203,
  kPropSharpness = 204,
  kPropGamma = 205,
  kPropWhiteBalance = 207,
  kPropBacklightCompensation = 208,
  kPropGain = 209,
  kPropZoom = 223,
  kPropExposure = 224,
  kPropFocus = 226,
};

// Failure reasons of inquiry 99 that the control explains to the user.
enum FailureReason : long {
  kReasonNone = 0,
  kReasonNoCamera = 14,
  kReasonBusy = 15,
  kReasonFile = 16,
};

// Commands of the test scenario channel (engine/README.md).
enum ScenarioCommand : long {
  kScenarioUnplug = 1000,          // sub = camera index
  kScenarioReplug = 1001,          // sub = camera index
  kScenarioFailNext = 1002,        // sub = failure reason
  kScenarioMotionValues = 1003,    // input = 32-bit values 0..100
  kScenarioPostMessage = 1004,     // input = message, wParam, lParam (32-bit each)
  kScenarioSetState = 1005,        // sub = camera index, input = state
  kScenarioDialogAutoClose = 1006, // sub = milliseconds, 0 = never
  kScenarioForgetCamera = 1007,
  kScenarioMovieLimit = 1008,      // sub = largest capture file in bytes, 0 = none
  kScenarioReloadConfig = 1009,    // input = INI path (ANSI), none = the default file
  kScenarioProcessInfo = 1010,     // inquiry: process id, 0, CPU time
  kScenarioRiffLimit = 1011,       // sub = largest RIFF part of a capture file, 0 = 1 GiB
  kScenarioIndicator = 1012,       // sub = camera index, input = number (102..108, 28 mode), value
};

}  // namespace engine
