// The engine's log file. A COM-launched server has no console, so errors
// and test-scenario actions go to %TEMP%\CameraEngine.log (one line each,
// with time and process id). Ordinary commands are not logged.
#pragma once

namespace engine {

// printf-style line; never fails visibly.
void LogLine(const char* format, ...);

}  // namespace engine
