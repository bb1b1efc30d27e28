// ICameraEngine on top of the command dispatcher.
#include "EngineObject.h"

#include <cstring>
#include <new>

#include "Dispatcher.h"
#include "common/ComPtr.h"
#include "Engine.h"
#include "Log.h"
#include "ServerLifetime.h"

namespace engine {
namespace {

// Runs a call; exceptions become HRESULTs. The object keeps itself alive
// for the call, because a modal loop inside it (the camera dialog) lets
// other calls, including the final Release, arrive meanwhile.
template <typename Body>
HRESULT Guarded(ICameraEngine* self, const Call& call, Body&& body) {
  const common::ComPtr<ICameraEngine> keepAlive(self);
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    LogLine("unexpected exception in command %ld/%ld", call.command, call.subCode);
    return E_UNEXPECTED;
  }
}

}  // namespace

HRESULT EngineObject::Create(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  auto* created = new (std::nothrow) EngineObject();
  if (!created) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryInterface(riid, object);
  created->Release();
  return hr;
}

EngineObject::EngineObject() {
  ServerLifetime::ObjectCreated();
  Engine::Instance().Add(&session_);
}

EngineObject::~EngineObject() {
  Engine::Instance().Remove(&session_);
  const bool counted = !session_.dropped;
  session_.Drop();
  // A client that died was already uncounted when its process ended.
  if (counted) ServerLifetime::ObjectGone();
}

HRESULT EngineObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ICameraEngine)) {
    *object = static_cast<ICameraEngine*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG EngineObject::AddRef() { return static_cast<ULONG>(++references_); }

ULONG EngineObject::Release() {
  const LONG remaining = --references_;
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT EngineObject::Execute(LONG command, LONG subCode, LONG flags, const BYTE* input,
                              LONG inputSize, BYTE* second, LONG secondSize) {
  Call call;
  call.command = command;
  call.subCode = subCode;
  call.flags = flags;
  call.input = input;
  call.inputSize = inputSize;
  call.second = second;
  call.secondSize = secondSize;
  return Guarded(this, call, [&] {
    return session_.dropped ? RPC_E_DISCONNECTED : DispatchExecute(session_, call);
  });
}

HRESULT EngineObject::Inquire(LONG command, LONG subCode, LONG flags, const BYTE* input,
                              LONG inputSize, BYTE* output, LONG outputSize) {
  Call call;
  call.command = command;
  call.subCode = subCode;
  call.flags = flags;
  call.input = input;
  call.inputSize = inputSize;
  call.output = output;
  call.outputSize = outputSize;
  // Nothing uninitialised ever travels back in the answer.
  if (output && outputSize > 0) std::memset(output, 0, static_cast<std::size_t>(outputSize));
  return Guarded(this, call, [&] {
    return session_.dropped ? RPC_E_DISCONNECTED : DispatchInquire(session_, call);
  });
}

}  // namespace engine
