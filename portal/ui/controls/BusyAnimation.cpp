// The busy animation in place of its placeholder.
#include "ui/controls/BusyAnimation.h"

#include <commctrl.h>

#include "resources/LTovra2/LTovra2Ids.h"

namespace portal::controls {

HWND BusyAnimation::Replace(HWND dialog, HMODULE resources, bool* playing) {
  *playing = false;
  const HWND placeholder = ::GetDlgItem(dialog, kPlaceholderId);
  if (!placeholder) return nullptr;
  RECT rect;
  ::GetWindowRect(placeholder, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  ::ShowWindow(placeholder, SW_HIDE);
  // Played by a timer rather than a thread of its own: the indicator
  // lives for one picture, and starting and joining a thread each time
  // costs more than the picture's own engine calls.
  const HWND animation = ::CreateWindowExW(0, ANIMATE_CLASSW, kAnimationName, WS_CHILD | WS_VISIBLE | ACS_TIMER, rect.left,
                                           rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAnimationId)), resources,
                                           nullptr);
  if (!animation) return nullptr;
  // An animation control need not keep its creation name (Wine's drops it);
  // the name is what identifies the busy animation to other code.
  if (::GetWindowTextLengthW(animation) == 0) ::SetWindowTextW(animation, kAnimationName);
  if (!resources) return animation;
  // The movie lives in the resource module, which is named explicitly.
  const bool opened = ::SendMessageW(animation, ACM_OPENW, reinterpret_cast<WPARAM>(resources),
                                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(IDA_BUSY_ANIMATION))) != 0;
  // Once, from the first frame to the last (-1).
  *playing = opened && ::SendMessageW(animation, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF)) != 0;
  return animation;
}

}  // namespace portal::controls
