// The camera remembered across runs: written whenever a client connects a
// camera, kept under the engine's own key
// HKEY_CURRENT_USER\Software\Torvane\CameraEngine.
#pragma once

#include <optional>

#include "Camera.h"
#include "EngineRecords.h"

namespace engine {

void RememberCamera(const Camera& camera);
// The stored identity (name, identifiers, type, serial, device); none when
// nothing was remembered yet.
std::optional<CameraRecord> ReadRememberedCamera();
void ForgetRememberedCamera();

}  // namespace engine
