// COM and OLE initialisation scopes: each uninitialises exactly when its
// own call succeeded, so a thread is left in the apartment it started in.
// Every case runs on a fresh thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <functional>
#include <thread>

#include "common/ComInit.h"

namespace {

// COINIT_MULTITHREADED is 0: "no model" needs a value of its own.
constexpr DWORD kNone = 0xFFFFFFFF;

void OnFreshThread(const std::function<void()>& body) { std::thread(body).join(); }

// Whether the calling thread is in a COM apartment, and which.
bool InApartment(APTTYPE* type) {
  APTTYPEQUALIFIER qualifier;
  return SUCCEEDED(::CoGetApartmentType(type, &qualifier));
}

TEST(ComInit, ResultsAndWhatTheyLeaveBehind) {
  struct Case {
    const char* name;
    DWORD before;  // model initialised before the scope, or kNone
    DWORD model;
    HRESULT result;
    bool mustUninitialize;
    bool usable;
  } cases[] = {
      {"fresh thread, apartment", kNone, COINIT_APARTMENTTHREADED, S_OK, true, true},
      {"fresh thread, free threaded", kNone, COINIT_MULTITHREADED, S_OK, true, true},
      {"same model again", COINIT_APARTMENTTHREADED, COINIT_APARTMENTTHREADED, S_FALSE, true, true},
      {"apartment on a free-threaded thread", COINIT_MULTITHREADED, COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE,
       false, true},
      {"free threaded on an apartment thread", COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED, RPC_E_CHANGED_MODE,
       false, true},
  };
  for (const Case& c : cases) {
    // Traces do not cross threads: each check names its case.
    OnFreshThread([&] {
      const bool outer = c.before != kNone && SUCCEEDED(::CoInitializeEx(nullptr, c.before));
      {
        const common::ComInit scope(c.model);
        EXPECT_EQ(c.result, scope.Result()) << c.name;
        EXPECT_EQ(c.mustUninitialize, scope.MustUninitialize()) << c.name;
        EXPECT_EQ(c.usable, scope.Usable()) << c.name;
        APTTYPE type;
        EXPECT_TRUE(InApartment(&type)) << c.name;
      }
      APTTYPE type;
      // The scope undid only its own initialisation.
      EXPECT_EQ(outer, InApartment(&type)) << c.name;
      if (outer) {
        EXPECT_EQ(c.before == COINIT_MULTITHREADED, type == APTTYPE_MTA) << c.name << ": the thread keeps its own model";
        ::CoUninitialize();
      }
    });
  }
}

TEST(OleInit, ApartmentOnlyAndBalanced) {
  OnFreshThread([] {
    {
      const common::OleInit ole;
      EXPECT_EQ(S_OK, ole.Result());
      const common::OleInit nested;
      EXPECT_EQ(S_FALSE, nested.Result());
      EXPECT_TRUE(nested.MustUninitialize());
    }
    APTTYPE type;
    EXPECT_FALSE(InApartment(&type)) << "both scopes uninitialised";
  });
  OnFreshThread([] {
    ASSERT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
      const common::OleInit ole;
      EXPECT_EQ(RPC_E_CHANGED_MODE, ole.Result()) << "OLE needs a single-threaded apartment";
      EXPECT_FALSE(ole.MustUninitialize());
    }
    APTTYPE type;
    EXPECT_TRUE(InApartment(&type));
    EXPECT_EQ(APTTYPE_MTA, type);
    ::CoUninitialize();
  });
}

}  // namespace
