// The move-only owners of common/: BSTRs, global memory and memory the
// system hands out for LocalFree. Each frees once, whatever the order of
// moves and resets, and leaves the caller's last error alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "common/SystemMessage.h"
#include "common/UniqueBstr.h"
#include "common/UniqueHandle.h"

namespace {

// One owner type seen through the same operations, so that every owner
// passes the same table of cases.
template <typename Owner>
struct OwnerOps;

template <>
struct OwnerOps<common::UniqueBstr> {
  static common::UniqueBstr Make() { return common::UniqueBstr(L"owned text"); }
  static bool Holds(const common::UniqueBstr& owner) { return static_cast<bool>(owner); }
};

template <>
struct OwnerOps<common::UniqueGlobalMemory> {
  static common::UniqueGlobalMemory Make() { return common::UniqueGlobalMemory(::GlobalAlloc(GMEM_MOVEABLE, 64)); }
  static bool Holds(const common::UniqueGlobalMemory& owner) { return owner.valid(); }
};

template <>
struct OwnerOps<common::UniqueLocalText> {
  static common::UniqueLocalText Make() {
    return common::UniqueLocalText(static_cast<wchar_t*>(::LocalAlloc(LMEM_FIXED, 64)));
  }
  static bool Holds(const common::UniqueLocalText& owner) { return owner.valid(); }
};

template <typename Owner>
class OwnerTest : public ::testing::Test {};

using Owners = ::testing::Types<common::UniqueBstr, common::UniqueGlobalMemory, common::UniqueLocalText>;
TYPED_TEST_SUITE(OwnerTest, Owners);

TYPED_TEST(OwnerTest, MovesHandOverOwnershipOnce) {
  using Ops = OwnerOps<TypeParam>;
  TypeParam first = Ops::Make();
  ASSERT_TRUE(Ops::Holds(first));
  TypeParam second(std::move(first));
  EXPECT_FALSE(Ops::Holds(first));
  EXPECT_TRUE(Ops::Holds(second));
  TypeParam third = Ops::Make();
  third = std::move(second);  // frees third's own memory, takes second's
  EXPECT_FALSE(Ops::Holds(second));
  EXPECT_TRUE(Ops::Holds(third));
  third = std::move(third);  // a self-move keeps the memory
  EXPECT_TRUE(Ops::Holds(third));
}

TYPED_TEST(OwnerTest, ResetTwiceAndDestroyAfterwardsIsSafe) {
  using Ops = OwnerOps<TypeParam>;
  TypeParam owner = Ops::Make();
  owner.reset();
  EXPECT_FALSE(Ops::Holds(owner));
  owner.reset();
  EXPECT_FALSE(Ops::Holds(owner));
}

TYPED_TEST(OwnerTest, FreeingKeepsTheLastError) {
  using Ops = OwnerOps<TypeParam>;
  TypeParam owner = Ops::Make();
  ::SetLastError(ERROR_FILE_NOT_FOUND);
  owner.reset();
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ::GetLastError());
  {
    TypeParam scoped = Ops::Make();
    ::SetLastError(ERROR_ACCESS_DENIED);
  }
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), ::GetLastError());
}

TEST(UniqueBstr, CopiesEmbeddedZerosAndTreatsNullAsEmpty) {
  const wchar_t text[] = {L'a', L'\0', L'b'};
  const common::UniqueBstr owner(std::wstring_view(text, 3));
  EXPECT_EQ(3u, owner.Length());
  EXPECT_EQ(std::wstring(text, 3), owner.str());
  const common::UniqueBstr none;
  EXPECT_EQ(0u, none.Length());
  EXPECT_EQ(L"", none.str());
}

TEST(UniqueBstr, PutFreesTheOldStringAndDetachHandsItOut) {
  common::UniqueBstr owner(L"first");
  BSTR* slot = owner.put();
  EXPECT_EQ(nullptr, *slot) << "put() frees what was held";
  *slot = ::SysAllocString(L"second");
  EXPECT_EQ(L"second", owner.str());
  BSTR handedOut = owner.detach();
  EXPECT_FALSE(owner);
  common::UniqueBstr again = common::UniqueBstr::Attach(handedOut);
  EXPECT_EQ(L"second", again.str());
}

TEST(GlobalLockGuard, LocksForItsScope) {
  const common::UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, 16));
  ASSERT_TRUE(memory);
  {
    const common::GlobalLockGuard lock(memory.get());
    ASSERT_TRUE(lock);
    static_cast<BYTE*>(lock.get())[0] = 0x5A;
    EXPECT_EQ(1u, ::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT);
  }
  EXPECT_EQ(0u, ::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT);
  const common::GlobalLockGuard none(nullptr);
  EXPECT_FALSE(none);
}

TEST(SystemMessage, TextWithoutItsLineBreakOrNothing) {
  const std::wstring text = common::SystemMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(L'\n', text.back());
  EXPECT_NE(L'\r', text.back());
  EXPECT_EQ(L"", common::SystemMessage(0x2FFFFFFF)) << "a code the system has no text for";
}

}  // namespace
