// The control's type library, embedded in Tovra2.dll as TYPELIB 1.
#pragma once

#include <oaidl.h>

namespace portal {

HRESULT LoadPortalTypeLib(ITypeLib** typeLib);
HRESULT GetPortalTypeInfo(REFGUID guid, ITypeInfo** typeInfo);

}  // namespace portal
