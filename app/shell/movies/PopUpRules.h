// The recording dialog's rules without its window: its modes (the strings
// its Tag holds), which key clicks which button, where Enter moves the
// focus, and the texts its recording shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace torvane {

namespace popup_mode {
inline constexpr wchar_t kRecordMovie[] = L"RecordMovie";        // waiting for Begin
inline constexpr wchar_t kMovieRecording[] = L"MovieRecording";  // a movie is recorded
inline constexpr wchar_t kSaveMovie[] = L"SaveMovie";            // keep the recorded movie?
inline constexpr wchar_t kTimeLapse[] = L"TimeLapse";            // asking for the parameters
inline constexpr wchar_t kTimeLapseRecording[] = L"TimeLapseRecording";
}  // namespace popup_mode

// The button a typed character clicks: B, S, Y (either case) button 0;
// C and N button 1 when it is shown. -1: the key is passed on.
int PopUpButtonForKey(wchar_t key, bool button1Visible);

// The focus order Enter follows: txtCaptureFreq, txtFPS, cmdDo(0),
// cmdDo(1). Enter in the control at a position (-1: any other control)
// moves to the position this returns: 0 to 1, 1 to 2, 2 to 3, else 0.
int EnterTargetPosition(int position);

// "Movie has been recording for N seconds", "Movie recorded for N seconds":
// an empty ElapsedSeconds shows as nothing.
std::wstring SecondsText(const std::optional<double>& seconds);
// The size shown while recording: an estimate of 313.233 kb a second.
std::wstring EstimatedSizeText(double elapsedSeconds);
// The size of the recorded movie: its bytes in kb.
std::wstring RecordedSizeText(long long bytes);
// The time of day in the system's default time format.
std::wstring TimeOfDayText(const SYSTEMTIME& time);

// The message of a movie that could not be started.
extern const wchar_t kStartFailureMessage[];

}  // namespace torvane
