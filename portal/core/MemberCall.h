// The window's handlers reuse what some interface members do (connecting,
// disconnecting, reading the camera state...). Those uses count as member
// calls for the process-wide busy counter, as the members themselves do.
#pragma once

#include "server/ModuleState.h"

namespace portal {

template <typename Call>
auto AsMemberCall(Call call) {
  BusyScope busy;
  return call();
}

}  // namespace portal
