// Where the control's components send PortalNotification: the control
// fires it on both connection points; tests record it.
#pragma once

#include <windows.h>

namespace portal {

class NotificationSink {
 public:
  // code: a tovra2::Notification; the parameters as the event carries them.
  virtual void Notify(LONG code, LONG_PTR param1, LONG_PTR param2, LONG_PTR param3) = 0;

 protected:
  ~NotificationSink() = default;
};

}  // namespace portal
