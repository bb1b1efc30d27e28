// Appends lines to %TEMP%\CameraEngine.log.
#include "Log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "common/UniqueHandle.h"

namespace engine {

void LogLine(const char* format, ...) {
  char text[1024];
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  const int prefix = std::snprintf(text, sizeof(text), "%02u:%02u:%02u.%03u [%lu] ", now.wHour,
                                   now.wMinute, now.wSecond, now.wMilliseconds, ::GetCurrentProcessId());
  if (prefix < 0) return;
  // Room for the message, with the line end always fitting behind it.
  const std::size_t room = sizeof(text) - static_cast<std::size_t>(prefix) - 2;
  va_list args;
  va_start(args, format);
  const int message = std::vsnprintf(text + prefix, room, format, args);
  va_end(args);
  if (message < 0) return;
  std::size_t used = static_cast<std::size_t>(prefix) +
                     (static_cast<std::size_t>(message) < room ? static_cast<std::size_t>(message) : room - 1);
  text[used++] = '\r';
  text[used++] = '\n';

  wchar_t path[MAX_PATH + 32];
  const DWORD length = ::GetTempPathW(MAX_PATH, path);
  if (length == 0 || length > MAX_PATH) return;
  ::lstrcatW(path, L"CameraEngine.log");
  common::UniqueFile file(::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  ::WriteFile(file.get(), text, static_cast<DWORD>(used), &written, nullptr);
}

}  // namespace engine
