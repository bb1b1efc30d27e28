// Object and lock counting of the engine process.
#include "ServerLifetime.h"

namespace engine {
namespace {

// All COM calls arrive on the one server thread; plain counters suffice.
long objects = 0;
long locks = 0;
bool ending = false;
void (*idleHandler)() = nullptr;

}  // namespace

void ServerLifetime::ObjectCreated() noexcept { ++objects; }

void ServerLifetime::ObjectGone() noexcept {
  if (objects > 0) --objects;
  CheckIdle();
}

void ServerLifetime::Lock(bool lock) noexcept {
  if (lock) {
    ++locks;
  } else if (locks > 0) {
    --locks;
    CheckIdle();
  }
}

long ServerLifetime::Count() noexcept { return objects + locks; }

void ServerLifetime::SetOnIdle(void (*onIdle)()) noexcept { idleHandler = onIdle; }

bool ServerLifetime::Ending() noexcept { return ending; }

void ServerLifetime::BeginEnding() noexcept { ending = true; }

void ServerLifetime::CheckIdle() noexcept {
  if (objects == 0 && locks == 0 && idleHandler) idleHandler();
}

}  // namespace engine
