// Window messages the camera engine posts to a client's notification
// window, and the named mappings it shares with clients.
#pragma once

#include <windows.h>

namespace engine {

inline constexpr UINT kMsgMotionReport = 1533;       // wParam: kind (1, 2 status notices; 3 motion), lParam: motion 0-100
inline constexpr UINT kMsgRecordingEnded = 1544;     // wParam: reason (1 disk full, 2 camera lost, 3 file error)
inline constexpr UINT kMsgCameraLost = 1554;
inline constexpr UINT kMsgReconnectRequest = 1555;
inline constexpr UINT kMsgInterfaceRefresh = 1556;   // the control posts it to itself
// Three requests the control handles alike: redraw the status bar, lay out.
inline constexpr UINT kMsgStatusRedraw = 1559;
inline constexpr UINT kMsgStatusRedraw2 = 1560;
inline constexpr UINT kMsgStatusRedraw3 = 1632;
inline constexpr UINT kMsgPlainReport = 1561;        // an engine report without values
inline constexpr UINT kMsgReconnected = 1562;
inline constexpr UINT kMsgFormatReport = 1563;
inline constexpr UINT kMsgRedraw = 1564;
inline constexpr UINT kMsgPause = 1566;              // wParam 1 = paused
inline constexpr UINT kMsgValueReport = 1567;        // an engine report with two values
inline constexpr UINT kMsgHookFrame = 1625;          // lParam: frame number
inline constexpr UINT kMsgRecordingProgress = 1628;  // wParam: frames, lParam: elapsed ms
inline constexpr UINT kMsgCameraStateCheck = 1629;
inline constexpr UINT kMsgPropertyChanged = 1630;    // a camera property or the mode changed: number, value
inline constexpr UINT kMsgIndicatorTimer = 1631;     // IndicatorPolling, lParam: the level (property 102)

// wParam of kMsgMotionReport.
enum MotionReportKind : WPARAM {
  kMotionNewestQueued = 0,  // stands for the newest non-zero report still queued
  kMotionNoticeFirst = 1,   // two status notices for the status bar
  kMotionNoticeSecond = 2,
  kMotionValue = 3,         // lParam carries the motion value
};

// wParam of kMsgRecordingEnded.
enum RecordingEndReason : WPARAM {
  kRecordingEndDiskFull = 1,  // or the size limit
  kRecordingEndCameraLost = 2,
  kRecordingEndWriteFailure = 3,
};

// wParam of kMsgPropertyChanged for the camera mode of command 28; no
// camera property has this number.
inline constexpr WPARAM kModeChangedNumber = 28;

// wParam of kMsgIndicatorTimer: while the level indicator shows a level,
// the client refreshes the indicators every second.
enum IndicatorPolling : WPARAM {
  kIndicatorPollingOff = 0,
  kIndicatorPollingOn = 1,
};

// wParam of kMsgPause.
inline constexpr WPARAM kPauseOn = 1;

inline constexpr UINT kFirstEngineMessage = 1533;
inline constexpr UINT kLastEngineMessage = 1632;

// Mapping the engine creates while property 29 is on: a BITMAPINFOHEADER
// followed by 24-bit bottom-up rows at the capture size.
inline constexpr char kHookImageName[] = "VX_MEMORY_IMAGE_1_0";
// Mapping the client creates per memory picture: "VX_IMAGE_%ld".
inline constexpr char kPictureMappingFormat[] = "VX_IMAGE_%ld";

}  // namespace engine
