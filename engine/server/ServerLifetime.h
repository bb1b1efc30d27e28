// When the engine process ends: it counts live engine objects and server
// locks and ends its message loop when both reach zero (COM's own helpers
// for this do not work under every runtime). Before the loop ends the
// class object is withdrawn and the ready event reset, so a new client
// never attaches to an engine that is going away.
#pragma once

#include <windows.h>

namespace engine {

class ServerLifetime {
 public:
  static void ObjectCreated() noexcept;
  static void ObjectGone() noexcept;
  static void Lock(bool lock) noexcept;
  static long Count() noexcept;

  // Called by the module: what to run when the count drops to zero.
  static void SetOnIdle(void (*onIdle)()) noexcept;
  // True once the engine has decided to end.
  static bool Ending() noexcept;
  static void BeginEnding() noexcept;

 private:
  static void CheckIdle() noexcept;
};

}  // namespace engine
