// Changes of a camera's shared values (its properties, and the mode of
// command 28) as its clients learn of them. The status indicators a client
// shows for a camera of type 14 are among them: the level (102), 106, the
// switch (107), the value (108) and the mode.
//  - 1630 (number, value) goes to every client of the camera except the
//    one that made the change (the mode with number 28);
//  - 1631 goes to every client of the camera when the level starts
//    (kIndicatorPollingOn, level) or drops to 0 (kIndicatorPollingOff, 0):
//    a level changes all the time, so clients refresh it every second
//    while it shows, rather than the engine reporting every step.
#pragma once

namespace engine {

class Camera;
class Session;

// Sets camera property `number`, or the mode for kModeChangedNumber
// (non-zero = on), and reports it; `except` (may be null) is not told.
void ChangeCameraValue(Camera& camera, long number, long value, const Session* except);

// The current value of `number` as ChangeCameraValue takes it.
long CameraValue(const Camera& camera, long number);

// True for the status indicators' numbers (102, 106, 107, 108, 28).
bool IsIndicatorNumber(long number);

// Tells a client that has just connected an indicator camera to show its
// indicators: 1631 with the polling state and the level.
void ReportIndicatorsTo(const Session& session);

}  // namespace engine
