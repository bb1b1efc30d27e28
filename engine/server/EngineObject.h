// The COM object a client receives: ICameraEngine over one Session. Calls
// are checked and routed by the dispatcher; no exception leaves a call.
#pragma once

#include <windows.h>

#include "CameraEngine.h"
#include "Session.h"

namespace engine {

class EngineObject final : public ICameraEngine {
 public:
  // The new object with one reference, registered with the engine.
  static HRESULT Create(REFIID riid, void** object);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE Execute(LONG command, LONG subCode, LONG flags, const BYTE* input,
                                    LONG inputSize, BYTE* second, LONG secondSize) override;
  HRESULT STDMETHODCALLTYPE Inquire(LONG command, LONG subCode, LONG flags, const BYTE* input,
                                    LONG inputSize, BYTE* output, LONG outputSize) override;

 private:
  EngineObject();
  ~EngineObject();

  LONG references_ = 1;
  Session session_;
};

}  // namespace engine
