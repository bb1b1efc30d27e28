// Registry-free marshalling of ICameraEngine. Both the engine and every
// client process call RegisterEngineProxyStub once per COM apartment before
// an ICameraEngine pointer crosses a process boundary.
#pragma once

#include <windows.h>

// Registers the widl-generated proxy/stub factory for ICameraEngine in the
// calling apartment (class object under the interface's own IID, and that
// IID as the interface's proxy/stub class). Calling it again is harmless.
HRESULT RegisterEngineProxyStub();
