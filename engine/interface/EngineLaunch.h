// Creating the camera engine from a client. Wine's own activation of a
// local server polls once a second; starting CameraEngine.exe ourselves and
// waiting for its ready event brings the first creation to a fraction of
// that.
#pragma once

#include <windows.h>

#include <string>

#include "CameraEngine.h"

namespace engine {

// Manual-reset event the engine sets once its class object is registered
// and resets before it withdraws it.
inline constexpr wchar_t kEngineReadyEventName[] =
    L"CameraEngineReady_{CB39BF25-ED97-4EE5-AD35-6E4A05A7C054}";
// Mutex the running engine owns, so that only one engine serves clients.
inline constexpr wchar_t kEngineInstanceMutexName[] =
    L"CameraEngineInstance_{CB39BF25-ED97-4EE5-AD35-6E4A05A7C054}";
// Mapping in which the running engine publishes its marshalled class
// object: a 32-bit length, then the marshal data.
inline constexpr wchar_t kEngineClassObjectMappingName[] =
    L"CameraEngineClassObject_{CB39BF25-ED97-4EE5-AD35-6E4A05A7C054}";
inline constexpr wchar_t kEngineExeName[] = L"CameraEngine.exe";
inline constexpr DWORD kEngineLaunchWaitMs = 5000;

// The engine's executable: the LocalServer32 registration of the engine
// class, else CameraEngine.exe beside the module that contains this code.
std::wstring EngineExecutablePath();

}  // namespace engine

// Registers the proxy/stub in the calling apartment, starts the engine
// process when none is running (bounded wait for its ready event), then
// creates the engine object with CLSCTX_LOCAL_SERVER. When COM's class
// table still holds the entry of a killed engine (creation then fails as
// if the server were unavailable), the object is created through the
// class object the running engine publishes instead.
HRESULT CreateCameraEngine(ICameraEngine** engine);
