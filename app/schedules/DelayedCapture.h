// The delayed snapshot's capture sequence, run once when its count-down
// has ended: the picture into the image view, the delay dialog hidden, the
// save question and dialog as for the instant snapshot. The caller unloads
// the dialog afterwards. Every error goes through the delayed-snapshot
// timer's error pattern (procedure "frmDelaytimTimer").
#pragma once

#include <functional>

#include "CaptureWindow.h"
#include "ErrorScope.h"
#include "FlowContext.h"

namespace torvane {

inline constexpr wchar_t kDelayedSnapshotTaken[] = L"Delayed snap-shot taken";

void DelayedCapture(FlowContext& context, CaptureWindow& window, ErrorScope& scope,
                    const std::function<void()>& hideDialog);

}  // namespace torvane
