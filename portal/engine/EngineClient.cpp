// Calls into the camera engine.
#include "engine/EngineClient.h"

#include "engine/interface/EngineLaunch.h"

namespace portal {
namespace {

// NDR cannot take a null [out] buffer, and a buffer shorter than its
// declared size would be overrun: a null pointer travels as a dummy byte
// with size 0.
BYTE g_dummy = 0;

}  // namespace

HRESULT EngineClient::Create(std::unique_ptr<EngineLink>* client) {
  common::ComPtr<ICameraEngine> engine;
  const HRESULT hr = ::CreateCameraEngine(engine.put());
  if (FAILED(hr)) return hr;
  *client = std::make_unique<EngineClient>(std::move(engine));
  return S_OK;
}

HRESULT EngineClient::Execute(LONG command, LONG subCode, const void* input, LONG inputSize, void* second,
                              LONG secondSize) {
  if (inputSize < 0 || secondSize < 0) return E_INVALIDARG;
  if (!input) inputSize = 0;
  if (!second) secondSize = 0;
  return engine_->Execute(command, subCode, 0, static_cast<const BYTE*>(input), inputSize,
                          static_cast<BYTE*>(second), secondSize);
}

HRESULT EngineClient::Inquire(LONG command, LONG subCode, const void* input, LONG inputSize, void* output,
                              LONG outputSize) {
  if (inputSize < 0 || outputSize < 0) return E_INVALIDARG;
  if (!input) inputSize = 0;
  if (!output || outputSize == 0) {
    output = &g_dummy;
    outputSize = 0;
  }
  return engine_->Inquire(command, subCode, 0, static_cast<const BYTE*>(input), inputSize,
                          static_cast<BYTE*>(output), outputSize);
}

}  // namespace portal
