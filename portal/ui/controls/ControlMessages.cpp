// The click notification's registration.
#include "ui/controls/ControlMessages.h"

namespace portal::controls {
namespace {

UINT g_clickMessage = 0;

}  // namespace

UINT RegisterClickMessage() {
  if (!g_clickMessage) g_clickMessage = ::RegisterWindowMessageW(kClickMessageName);
  return g_clickMessage;
}

UINT ClickMessage() { return g_clickMessage ? g_clickMessage : RegisterClickMessage(); }

}  // namespace portal::controls
