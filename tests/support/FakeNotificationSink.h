// Records the PortalNotification events a component fires.
//
//   EXPECT_TRUE(MatchSequence("notifications", events.fired, {Fired(tovra2::kNotifyMotion, 55)}));
#pragma once

#include <windows.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/NotificationSink.h"

namespace testing_support {

struct FiredNotification {
  LONG code;
  LONG_PTR param1, param2, param3;
  bool operator==(const FiredNotification& other) const {
    return code == other.code && param1 == other.param1 && param2 == other.param2 && param3 == other.param3;
  }
};

inline FiredNotification Fired(LONG code, LONG_PTR param1 = 0, LONG_PTR param2 = 0, LONG_PTR param3 = 0) {
  return {code, param1, param2, param3};
}

// An expected third parameter that stands for any address (code 12's
// cancel flag).
inline constexpr LONG_PTR kAnyAddress = -0x5A5A;

inline bool Matches(const FiredNotification& actual, const FiredNotification& expected) {
  if (expected.param3 != kAnyAddress) return actual == expected;
  return actual.code == expected.code && actual.param1 == expected.param1 && actual.param2 == expected.param2 &&
         actual.param3 != 0;
}
inline std::string Describe(const FiredNotification& n) {
  std::ostringstream out;
  out << "code " << n.code << " (" << n.param1 << ", " << n.param2 << ", " << n.param3 << ")";
  return out.str();
}

class FakeNotificationSink final : public portal::NotificationSink {
 public:
  void Notify(LONG code, LONG_PTR param1, LONG_PTR param2, LONG_PTR param3) override {
    fired.push_back({code, param1, param2, param3});
    if (handler) handler(fired.back());
  }
  std::vector<FiredNotification> fired;
  // A client's event handler, run for each notification as it fires.
  std::function<void(const FiredNotification&)> handler;
};

}  // namespace testing_support
