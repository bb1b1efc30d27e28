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
  int used = std::snprintf(text, sizeof(text), "%02u:%02u:%02u.%03u [%lu] ", now.wHour, now.wMinute,
                           now.wSecond, now.wMilliseconds, ::GetCurrentProcessId());
  if (used < 0) return;
  va_list args;
  va_start(args, format);
  const int more = std::vsnprintf(text + used, sizeof(text) - used - 2, format, args);
  va_end(args);
  if (more > 0) used += more < static_cast<int>(sizeof(text)) - used - 2 ? more : static_cast<int>(sizeof(text)) - used - 3;
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
