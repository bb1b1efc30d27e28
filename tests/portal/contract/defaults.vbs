' A late-bound script client of the registered control: creates it by
' ProgID and checks the defaults and the results of a control without a
' camera engine, member by member by name. Prints PASS at the end; any
' difference is listed and ends the script with exit code 1.
Option Explicit
' A statement that raises an error is skipped; the next Check reports it.
On Error Resume Next

Dim failures, checks
failures = 0
checks = 0

Sub ReportError(where)
  If Err.Number <> 0 Then
    WScript.Echo "ERROR " & where & ": " & Hex(Err.Number) & " " & Err.Description
    failures = failures + 1
    Err.Clear
  End If
End Sub

Sub Check(what, actual, expected)
  ReportError "before " & what
  checks = checks + 1
  If VarType(actual) <> VarType(expected) And Not (IsNumeric(actual) And IsNumeric(expected)) Then
    WScript.Echo "FAIL " & what & ": got type " & TypeName(actual) & ", expected " & TypeName(expected)
    failures = failures + 1
  ElseIf actual <> expected Then
    WScript.Echo "FAIL " & what & ": got " & actual & ", expected " & expected
    failures = failures + 1
  End If
End Sub

Dim portal
Set portal = CreateObject("Tovra2.VideoPortal")
ReportError "creating Tovra2.VideoPortal"
If portal Is Nothing Then
  WScript.Echo "FAIL no control"
  WScript.Quit 1
End If

' Movie defaults.
Check "MovieVideoCompressionFOURCC", portal.MovieVideoCompressionFOURCC, &H30355649  ' "IV50"
Check "MoviePlaybackFPS", portal.MoviePlaybackFPS, 15
Check "MovieAudioSamplesPerSecond", portal.MovieAudioSamplesPerSecond, 11025
Check "MovieAudioChannels", portal.MovieAudioChannels, 1
Check "MovieAudioBitsPerSample", portal.MovieAudioBitsPerSample, 8
Check "MovieRecordAudio", portal.MovieRecordAudio, 1
Check "MovieRecordMode", portal.MovieRecordMode, 2
Check "MovieCreateFlags", portal.MovieCreateFlags, 3
Check "MovieVideoCompressionKeyFrameInterval", portal.MovieVideoCompressionKeyFrameInterval, 15
Check "MovieVideoCompressionQuality", portal.MovieVideoCompressionQuality, -1
portal.MovieAudioCompressionFOURCC = 5
Check "MovieAudioCompressionFOURCC after put 5", portal.MovieAudioCompressionFOURCC, 0

' Puts are stored and read back.
portal.MoviePlaybackFPS = 25
Check "MoviePlaybackFPS after put 25", portal.MoviePlaybackFPS, 25

' Camera state without an engine.
Check "CameraIndex", portal.CameraIndex, -1
Check "CameraState", portal.CameraState, 10
Check "CameraConnected", portal.CameraConnected, 0

' Preview, prompts, sound and hook.
Check "PreviewMaxWidth", portal.PreviewMaxWidth, 320
Check "PreviewMaxHeight", portal.PreviewMaxHeight, 240
Check "EnableMovieRecordErrorPrompt", portal.EnableMovieRecordErrorPrompt, 1
Check "EnablePictureDiskErrorPrompt", portal.EnablePictureDiskErrorPrompt, 1
Check "PictureSound", portal.PictureSound, ""
Check "VideoHookStateGlobal", portal.VideoHookStateGlobal, 0

' Methods without an engine.
Check "SendCommand", portal.SendCommand(1, 2, 3, 0, 0, 0, 0), 1
Check "Query", portal.Query(1, 2, 3, 0, 0, 0, 0), 1

' A script variable cannot receive a [out] long (the automation layer
' refuses a VARIANT reference there with "Type mismatch", on Windows as
' well), so out values are passed by value in parentheses and only the
' result code is checked here; the C++ late-bound client checks the values.
Dim count
count = CLng(77)
Check "GetCameraCount result", portal.GetCameraCount((count)), 0
portal.GetLastError (count)
ReportError "GetLastError"

Check "ConnectCamera2", portal.ConnectCamera2(), 0
Check "EnableUIElements(5, 0, 1)", portal.EnableUIElements(5, 0, 1), 0
Check "EnableUIElements(99, 0, 1)", portal.EnableUIElements(99, 0, 1), 0
Check "EnableUIElements(2, 0, 0)", portal.EnableUIElements(2, 0, 0), 1

Set portal = Nothing
ReportError "at the end"

Const kChecks = 28
If checks <> kChecks Then
  WScript.Echo "FAIL " & checks & " of " & kChecks & " checks ran"
  failures = failures + 1
End If
If failures > 0 Then
  WScript.Echo failures & " check(s) failed"
  WScript.Quit 1
End If
WScript.Echo "PASS"
