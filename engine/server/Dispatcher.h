// Routes a call to its command handler. Unknown commands answer
// E_NOTIMPL; a failure injected through the scenario channel makes the
// next ordinary command fail with the given reason.
#pragma once

#include "Call.h"
#include "Session.h"

namespace engine {

HRESULT DispatchExecute(Session& session, const Call& call);
HRESULT DispatchInquire(Session& session, const Call& call);

}  // namespace engine
