// Starts CameraEngine.exe ahead of CoCreateInstance when no engine runs.
#include "EngineLaunch.h"

#include <cstdint>
#include <cstring>
#include <string>

#include <objbase.h>

#include "EngineProxy.h"
#include "common/ComPtr.h"
#include "common/Module.h"
#include "common/Registry.h"
#include "common/UniqueHandle.h"

namespace engine {
namespace {

constexpr wchar_t kLocalServerKey[] =
    L"CLSID\\{CB39BF25-ED97-4EE5-AD35-6E4A05A7C054}\\LocalServer32";

// The program part of a LocalServer32 command line: quoted, or up to the
// first blank that follows ".exe".
std::wstring ProgramOfCommandLine(const std::wstring& commandLine) {
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const std::size_t end = commandLine.find(L'"', 1);
    return end == std::wstring::npos ? commandLine.substr(1) : commandLine.substr(1, end - 1);
  }
  std::wstring lower = commandLine;
  for (auto& c : lower) c = static_cast<wchar_t>(towlower(c));
  const std::size_t exe = lower.find(L".exe");
  return exe == std::wstring::npos ? commandLine : commandLine.substr(0, exe + 4);
}

std::wstring RegisteredServerPath() {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT}) {
    const std::wstring subKey =
        root == HKEY_CURRENT_USER ? std::wstring(L"Software\\Classes\\") + kLocalServerKey
                                  : std::wstring(kLocalServerKey);
    common::UniqueRegKey key = common::OpenRegKey(root, subKey);
    if (!key) continue;
    if (auto value = common::ReadRegString(key.get(), nullptr); value && !value->empty()) {
      return ProgramOfCommandLine(*value);
    }
  }
  return {};
}

bool EngineIsReady() {
  common::UniqueKernelHandle ready(::OpenEventW(SYNCHRONIZE, FALSE, kEngineReadyEventName));
  return ready && ::WaitForSingleObject(ready.get(), 0) == WAIT_OBJECT_0;
}

// Starts the engine and waits until it has registered, it has exited, or
// the bounded wait ends. Failures only cost the fast path: CoCreateInstance
// still lets COM activate the server itself.
void LaunchAndWait() {
  common::UniqueKernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, kEngineReadyEventName));
  const std::wstring path = EngineExecutablePath();
  if (!ready || path.empty() || ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  std::wstring commandLine = L"\"" + path + L"\" -Embedding";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS, nullptr, nullptr, &startup, &info)) {
    return;
  }
  common::UniqueKernelHandle process(info.hProcess);
  common::UniqueKernelHandle thread(info.hThread);
  const HANDLE waits[] = {ready.get(), process.get()};
  ::WaitForMultipleObjects(2, waits, FALSE, kEngineLaunchWaitMs);
}

// Creates the engine object through the class object the running engine
// publishes in a named mapping.
HRESULT CreateThroughPublishedClassObject(ICameraEngine** engine) {
  common::UniqueKernelHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, kEngineClassObjectMappingName));
  if (!mapping) return HRESULT_FROM_WIN32(::GetLastError());
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return HRESULT_FROM_WIN32(::GetLastError());
  MEMORY_BASIC_INFORMATION region{};
  std::uint32_t length = 0;
  if (::VirtualQuery(view.get(), &region, sizeof(region)) == 0 || region.RegionSize < sizeof(length)) {
    return E_FAIL;
  }
  std::memcpy(&length, view.get(), sizeof(length));
  if (length == 0 || length > region.RegionSize - sizeof(length)) return E_FAIL;
  common::UniqueGlobalMemory global(::GlobalAlloc(GMEM_MOVEABLE, length));
  if (!global) return E_OUTOFMEMORY;
  {
    common::GlobalLockGuard data(global.get());
    if (!data) return E_OUTOFMEMORY;
    std::memcpy(data.get(), static_cast<const BYTE*>(view.get()) + sizeof(length), length);
  }
  common::ComPtr<IStream> stream;
  HRESULT hr = ::CreateStreamOnHGlobal(global.get(), TRUE, stream.put());
  if (FAILED(hr)) return hr;
  global.release();  // the stream frees it now
  common::ComPtr<IClassFactory> factory;
  hr = ::CoUnmarshalInterface(stream.get(), IID_IClassFactory, factory.put_void());
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, IID_ICameraEngine, reinterpret_cast<void**>(engine));
}

bool ServerUnavailable(HRESULT hr) {
  return hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || hr == RPC_E_DISCONNECTED ||
         hr == CO_E_OBJNOTCONNECTED || hr == CO_E_SERVER_EXEC_FAILURE || hr == RPC_E_SERVERFAULT;
}

}  // namespace

std::wstring EngineExecutablePath() {
  std::wstring path = RegisteredServerPath();
  if (!path.empty()) return path;
  return common::ModuleDirectory(common::CurrentModule()) + kEngineExeName;
}

}  // namespace engine

HRESULT CreateCameraEngine(ICameraEngine** engine) {
  if (!engine) return E_POINTER;
  *engine = nullptr;
  const HRESULT hr = RegisterEngineProxyStub();
  if (FAILED(hr)) return hr;
  // A second round covers an engine that was ending just as we asked it.
  HRESULT created = E_FAIL;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!engine::EngineIsReady()) engine::LaunchAndWait();
    created = ::CoCreateInstance(CLSID_CameraEngine, nullptr, CLSCTX_LOCAL_SERVER, IID_ICameraEngine,
                                 reinterpret_cast<void**>(engine));
    if (SUCCEEDED(created)) return created;
    // A killed engine's entry may shadow the running engine in COM's
    // class table: use the class object the running engine publishes.
    if (engine::ServerUnavailable(created) && engine::EngineIsReady() &&
        SUCCEEDED(engine::CreateThroughPublishedClassObject(engine))) {
      return S_OK;
    }
  }
  return created;
}
