// The numbers of the VideoPortal control's contract that clients and the
// control share: the DISPID of every IVideoPortal member, the
// PortalNotification codes and the EnableUIElements element numbers.
// Clients bind late, so these are the wire contract; the contract test
// compares every DISPID here with the type library built from Tovra2.idl.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstddef>

namespace tovra2 {

namespace dispid {

// IVideoPortal methods, in vtable order.
inline constexpr DISPID kPrepareControl = 1;
inline constexpr DISPID kGetCameraCount = 2;
inline constexpr DISPID kGetCameraDescription = 3;
inline constexpr DISPID kGetCameraType = 4;
inline constexpr DISPID kQueryCameraConnected = 5;
inline constexpr DISPID kQueryRegistryCameraIndex = 6;
inline constexpr DISPID kGetCameraState = 7;
inline constexpr DISPID kConnectCamera = 8;
inline constexpr DISPID kConnectCamera2 = 9;
inline constexpr DISPID kDisconnectCamera = 10;
inline constexpr DISPID kLoadRegistrySettings = 11;
inline constexpr DISPID kSaveRegistrySettings = 12;
inline constexpr DISPID kSetCameraPropertyLong = 13;
inline constexpr DISPID kGetCameraPropertyLong = 14;
inline constexpr DISPID kPictureToFile = 15;
inline constexpr DISPID kPictureToMemory = 16;
inline constexpr DISPID kStartMovieRecording = 17;
inline constexpr DISPID kStopMovieRecording = 18;
inline constexpr DISPID kStepCaptureAddFrame = 19;
inline constexpr DISPID kMovieRecordWriteSingleFrame = 20;
inline constexpr DISPID kGetLastError = 21;
inline constexpr DISPID kSetVideoFormat = 22;
inline constexpr DISPID kGetVideoFormat = 23;
inline constexpr DISPID kShowCameraDlg = 24;
inline constexpr DISPID kEnableUIElements = 25;
inline constexpr DISPID kStartVideoHook = 26;
inline constexpr DISPID kStopVideoHook = 27;
inline constexpr DISPID kSendCommand = 28;
inline constexpr DISPID kQuery = 29;

// IVideoPortal properties (a get and a put share their DISPID).
inline constexpr DISPID kCameraConnected = 30;
inline constexpr DISPID kCameraIndex = 31;
inline constexpr DISPID kPictureSound = 32;
inline constexpr DISPID kEnablePreview = 33;
inline constexpr DISPID kMovieVideoCompressionFOURCC = 34;
inline constexpr DISPID kMovieVideoCompressionKeyFrameInterval = 35;
inline constexpr DISPID kMovieVideoCompressionQuality = 36;
inline constexpr DISPID kMoviePlaybackFPS = 37;
inline constexpr DISPID kMovieAudioSamplesPerSecond = 38;
inline constexpr DISPID kMovieAudioChannels = 39;
inline constexpr DISPID kMovieAudioBitsPerSample = 40;
inline constexpr DISPID kMovieAudioCompressionFOURCC = 41;
inline constexpr DISPID kMovieAudioCompressionQuality = 42;
inline constexpr DISPID kMovieRecordAudio = 43;
inline constexpr DISPID kMovieRecordMode = 44;
inline constexpr DISPID kMovieCreateFlags = 45;
inline constexpr DISPID kMovieRecordingActiveLocal = 46;
inline constexpr DISPID kMovieRecordingActiveGlobal = 47;
inline constexpr DISPID kCameraState = 48;
inline constexpr DISPID kEnableMovieRecordErrorPrompt = 49;
inline constexpr DISPID kEnablePictureDiskErrorPrompt = 50;
inline constexpr DISPID kStatusBarText = 51;
inline constexpr DISPID kPreviewMaxWidth = 52;
inline constexpr DISPID kPreviewMaxHeight = 53;
inline constexpr DISPID kVideoHookStateGlobal = 54;
inline constexpr DISPID kVideoHookStateLocal = 55;

// The one member of both event interfaces.
inline constexpr DISPID kPortalNotification = 1;

}  // namespace dispid

// Every IVideoPortal member by name, for diagnostics and for the check
// against the type library.
struct MemberName {
  const wchar_t* name;
  DISPID id;
};

inline constexpr MemberName kMembers[] = {
    {L"PrepareControl", dispid::kPrepareControl},
    {L"GetCameraCount", dispid::kGetCameraCount},
    {L"GetCameraDescription", dispid::kGetCameraDescription},
    {L"GetCameraType", dispid::kGetCameraType},
    {L"QueryCameraConnected", dispid::kQueryCameraConnected},
    {L"QueryRegistryCameraIndex", dispid::kQueryRegistryCameraIndex},
    {L"GetCameraState", dispid::kGetCameraState},
    {L"ConnectCamera", dispid::kConnectCamera},
    {L"ConnectCamera2", dispid::kConnectCamera2},
    {L"DisconnectCamera", dispid::kDisconnectCamera},
    {L"LoadRegistrySettings", dispid::kLoadRegistrySettings},
    {L"SaveRegistrySettings", dispid::kSaveRegistrySettings},
    {L"SetCameraPropertyLong", dispid::kSetCameraPropertyLong},
    {L"GetCameraPropertyLong", dispid::kGetCameraPropertyLong},
    {L"PictureToFile", dispid::kPictureToFile},
    {L"PictureToMemory", dispid::kPictureToMemory},
    {L"StartMovieRecording", dispid::kStartMovieRecording},
    {L"StopMovieRecording", dispid::kStopMovieRecording},
    {L"StepCaptureAddFrame", dispid::kStepCaptureAddFrame},
    {L"MovieRecordWriteSingleFrame", dispid::kMovieRecordWriteSingleFrame},
    {L"GetLastError", dispid::kGetLastError},
    {L"SetVideoFormat", dispid::kSetVideoFormat},
    {L"GetVideoFormat", dispid::kGetVideoFormat},
    {L"ShowCameraDlg", dispid::kShowCameraDlg},
    {L"EnableUIElements", dispid::kEnableUIElements},
    {L"StartVideoHook", dispid::kStartVideoHook},
    {L"StopVideoHook", dispid::kStopVideoHook},
    {L"SendCommand", dispid::kSendCommand},
    {L"Query", dispid::kQuery},
    {L"CameraConnected", dispid::kCameraConnected},
    {L"CameraIndex", dispid::kCameraIndex},
    {L"PictureSound", dispid::kPictureSound},
    {L"EnablePreview", dispid::kEnablePreview},
    {L"MovieVideoCompressionFOURCC", dispid::kMovieVideoCompressionFOURCC},
    {L"MovieVideoCompressionKeyFrameInterval", dispid::kMovieVideoCompressionKeyFrameInterval},
    {L"MovieVideoCompressionQuality", dispid::kMovieVideoCompressionQuality},
    {L"MoviePlaybackFPS", dispid::kMoviePlaybackFPS},
    {L"MovieAudioSamplesPerSecond", dispid::kMovieAudioSamplesPerSecond},
    {L"MovieAudioChannels", dispid::kMovieAudioChannels},
    {L"MovieAudioBitsPerSample", dispid::kMovieAudioBitsPerSample},
    {L"MovieAudioCompressionFOURCC", dispid::kMovieAudioCompressionFOURCC},
    {L"MovieAudioCompressionQuality", dispid::kMovieAudioCompressionQuality},
    {L"MovieRecordAudio", dispid::kMovieRecordAudio},
    {L"MovieRecordMode", dispid::kMovieRecordMode},
    {L"MovieCreateFlags", dispid::kMovieCreateFlags},
    {L"MovieRecordingActiveLocal", dispid::kMovieRecordingActiveLocal},
    {L"MovieRecordingActiveGlobal", dispid::kMovieRecordingActiveGlobal},
    {L"CameraState", dispid::kCameraState},
    {L"EnableMovieRecordErrorPrompt", dispid::kEnableMovieRecordErrorPrompt},
    {L"EnablePictureDiskErrorPrompt", dispid::kEnablePictureDiskErrorPrompt},
    {L"StatusBarText", dispid::kStatusBarText},
    {L"PreviewMaxWidth", dispid::kPreviewMaxWidth},
    {L"PreviewMaxHeight", dispid::kPreviewMaxHeight},
    {L"VideoHookStateGlobal", dispid::kVideoHookStateGlobal},
    {L"VideoHookStateLocal", dispid::kVideoHookStateLocal},
};

// The member's name for a DISPID, or nullptr for an unknown one.
inline const wchar_t* MemberNameOf(DISPID id) {
  for (const MemberName& member : kMembers) {
    if (member.id == id) return member.name;
  }
  return nullptr;
}

// PortalNotification codes (lMsg). Code 11 is never fired.
enum Notification : LONG {
  kNotifyMotion = 1,             // motion value (0 while blocked or off)
  kNotifyRecordingEnded = 2,     // the engine ended a recording: reason 1-3, else 0
  kNotifyCameraGone = 3,         // the connected camera went away
  kNotifyReconnectAttempted = 4, // the engine asked for a reconnection and it ran
  kNotifyFormatChanged = 5,      // new capture width, height
  kNotifyCameraSwitching = 6,    // the camera menu switches to a camera index
  kNotifyCameraSwitchFailed = 7, // that switch failed: camera index
  kNotifyCameraChanged = 8,      // connected to another camera index
  kNotifyPlainReport = 9,        // an engine report, forwarded
  kNotifyHookFrame = 10,         // header and pixel addresses of a hook frame, frame number
  kNotifyFormatSequence = 12,    // the format sequence starts; lParam3 addresses a flag to cancel it
  kNotifyRecordingProgress = 13, // 0, first and second engine value
  kNotifyCameraBusy = 14,        // a redraw found the camera busy
  kNotifyValueReport = 15,       // an engine report with two values, forwarded
  kNotifyPropertyChanged = 16,   // another client set a camera property: number, value
  kNotifyIndicatorTimer = 17,    // the indicator refresh started (non-zero) or stopped
};

// EnableUIElements element numbers (lElement).
enum UiElement : LONG {
  kElementMenu640x480 = 0,         // resolution menu items...
  kElementMenu320x240 = 1,
  kElementPreviewDuringPictures = 2,
  kElementStatusBar = 3,
  kElementFormatSequence = 4,
  kElementUnsupported = 5,         // always refused
  kElementMenu160x120 = 6,
  kElementBarOption = 7,           // read when the bar configuration is chosen
  kElementMenu240x180 = 8,
  kElementMenu800x600 = 9,
  kElementMenu1024x768 = 10,
  kElementMenu1280x960 = 11,
  kElementMenu1600 = 12,           // accepted; its item is never offered
  kElementStillCapable = 13,       // also enables elements 11 and 12
};

// ShowCameraDlg values (lCameraDlg); any other value runs the control's
// own format sequence.
enum CameraDialog : LONG {
  kCameraDlgEngine = 1,        // the camera engine's own dialog
  kCameraDlgControlPanel = 2,  // the camera control panel
};

// Values the control itself gives back where the engine cannot answer.
inline constexpr LONG kNoCameraIndex = -1;
inline constexpr LONG kCameraStateUnreadable = 10;
// SendCommand and Query without a camera engine (the engine's own status
// otherwise, 0 = success).
inline constexpr LONG kNoEngineStatus = 1;

}  // namespace tovra2
