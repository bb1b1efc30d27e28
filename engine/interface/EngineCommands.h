// Command numbers of ICameraEngine::Execute / ::Inquire and the camera
// property numbers with a fixed meaning. Sub-codes are given with each
// command where they select an operation.
#pragma once

namespace engine {

enum Command : long {
  kCmdPrepare = 1,             // 1/0 PrepareRecord
  kCmdConnected = 2,           // inquire: long, 1 = a camera is connected
  kCmdConnect = 3,             // 3/0 CameraRecord
  kCmdDisconnect = 4,          // 4/0
  kCmdProperty = 5,            // 5/p long value
  kCmdMovie = 6,               // 6/1..6/6
  kCmdTextStamp = 7,           // 7/0 TextStampStyleRecord
  kCmdSettings = 9,            // 9/1 load, 9/2 save: SettingsRecord
  kCmdPreview = 10,            // 10/0 on (PreviewRecord), 10/1 off; inquire 10/0
  kCmdNotifyWindow = 11,       // 11/0 set, 11/1 remove: 32-bit window handle
  kCmdPicture = 12,            // 12/0 file, 12/2 sound, 12/3 and 12/4 mapping
  kCmdCameraCount = 13,        // inquire: long
  kCmdCameraRecord = 14,       // inquire 14/i: CameraRecord
  kCmdCurrentCamera = 15,      // inquire: CameraRecord
  kCmdCurrentIndex = 17,       // inquire: long
  kCmdRememberedCamera = 18,   // inquire: CameraRecord
  kCmdRememberedIndex = 19,    // inquire: long
  kCmdCameraState = 20,        // inquire: long
  kCmdCameraInUse = 21,        // inquire: in long index, out long
  kCmdIndexedPicture = 22,     // 22/1..22/6
  kCmdDialog = 23,             // 23/1
  kCmdFormat = 26,             // 26/1 set, inquire 26/0 read, 26/3 probe: VideoFormatRecord
  kCmdMode = 28,               // 28/1 on, 28/2 off, inquire 28/3: long
  kCmdStillFormat = 29,        // 29/1 set, inquire 29/0 read, 29/2 probe: StillFormatRecord
  kCmdFeature = 31,            // inquire: FeatureInquiryRecord
  kCmdLastFailure = 99,        // inquire: long
  kCmdScenarioFirst = 1000,    // test scenario channel (engine/README.md)
};

enum MovieSub : long {
  kMovieStart = 1,
  kMovieStop = 2,
  kMovieAddFrame = 3,
  kMovieCompression = 4,
  kMovieAudioFormat = 5,
  kMovieState = 6,
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

enum Property : long {
  kPropLiveVideo = 16,
  kPropMotionReport = 19,
  kPropMotionSensitivity = 20,
  kPropHook = 29,
  kPropShowHide = 31,
  kPropLevel = 102,
  kPropIndicator106 = 106,
  kPropSwitch = 107,
  kPropValue = 108,
};

// Failure reasons of inquiry 99 that the control explains to the user.
enum FailureReason : long {
  kReasonNone = 0,
  kReasonNoCamera = 14,
  kReasonBusy = 15,
  kReasonFile = 16,
};

}  // namespace engine
