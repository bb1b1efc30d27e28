// The real engine link: one ICameraEngine pointer. A dead engine process
// makes every call fail at once.
#pragma once

#include <windows.h>

#include <memory>

#include "CameraEngine.h"
#include "common/ComPtr.h"
#include "engine/EngineLink.h"

namespace portal {

class EngineClient final : public EngineLink {
 public:
  explicit EngineClient(common::ComPtr<ICameraEngine> engine) : engine_(std::move(engine)) {}

  // Starts (or attaches to) the engine process and creates an engine.
  static HRESULT Create(std::unique_ptr<EngineLink>* client);

  HRESULT Execute(LONG command, LONG subCode, const void* input, LONG inputSize, void* second,
                  LONG secondSize) override;
  HRESULT Inquire(LONG command, LONG subCode, const void* input, LONG inputSize, void* output,
                  LONG outputSize) override;

 private:
  common::ComPtr<ICameraEngine> engine_;
};

}  // namespace portal
