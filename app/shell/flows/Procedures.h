// The procedures that use the error pattern: each has a label for the log
// and the message shown before the program ends on a component failure.
#pragma once

namespace torvane {

struct Procedure {
  const wchar_t* label;
  const wchar_t* failureMessage;
};

namespace procedures {

inline constexpr Procedure kMainLoad{L"frmMainLoad", L"Sorry - there is a problem initializing the program."};
inline constexpr Procedure kMainPortal{L"frmMainPortal", L"Sorry - there is a problem with the video portal."};
inline constexpr Procedure kTakeSnapShot{L"frmMainTakeSnapShot",
                                         L"Sorry - there is a problem writing the snap-shot files."};
inline constexpr Procedure kStoreTimedPicture{L"StoreTimedPicture",
                                              L"Sorry - there is a problem writing the snap-shot files."};
inline constexpr Procedure kMovieRecord{L"frmMainMovieRecord", L"Sorry - there is a problem writing movie."};
inline constexpr Procedure kTimeLapse{L"frmMainTimeLapse", L"Sorry - there is a problem writing movie."};
inline constexpr Procedure kDelayTimer{L"frmDelaytimTimer",
                                       L"Sorry - there is a problem writing the snap-shot files."};

}  // namespace procedures

// Follows every component-failure message directly, without a separator.
inline constexpr wchar_t kLowMemoryHint[] = L"This could be due to low system memory.";

}  // namespace torvane
