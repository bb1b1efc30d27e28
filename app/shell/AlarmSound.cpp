// AlarmSound: synchronous playback through the multimedia system.
#include "AlarmSound.h"

#include <windows.h>

#include <mmsystem.h>

#include "common/Module.h"

namespace torvane {

std::wstring AlarmSoundPath() { return common::ModuleDirectory(nullptr) + L"ALARM.WAV"; }

bool PlayAlarmAndWait() {
  // SND_NODEFAULT: a missing file plays nothing rather than the system beep.
  return ::PlaySoundW(AlarmSoundPath().c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT) != FALSE;
}

void StopSound() { ::PlaySoundW(nullptr, nullptr, 0); }

}  // namespace torvane
