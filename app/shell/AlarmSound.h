// The motion alarm: ALARM.WAV from the application folder, played to its
// end before the caller goes on; and stopping whatever sound is playing.
#pragma once

#include <string>

namespace torvane {

std::wstring AlarmSoundPath();
// Blocks until the sound has played; false when it could not be played.
bool PlayAlarmAndWait();
void StopSound();

}  // namespace torvane
