// The registrar against a scratch key of the current user: what register
// and unregister leave behind for each key action, repeated registration,
// and that a malformed script writes nothing.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/Registry.h"
#include "server/Registrar.h"

using namespace portal::registry;

namespace {

constexpr wchar_t kScratch[] = L"Software\\TorvaneTests\\Registrar";

class RegistrarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    common::DeleteRegTree(HKEY_CURRENT_USER, kScratch);
    root_ = common::CreateRegKey(HKEY_CURRENT_USER, kScratch);
    ASSERT_TRUE(root_);
  }
  void TearDown() override {
    root_.reset();
    common::DeleteRegTree(HKEY_CURRENT_USER, kScratch);
  }

  HRESULT Run(std::wstring_view script, RegistrarMode mode) {
    const HKEY scratch = root_.get();
    return RunRegistryScript(script, {{L"MODULE", L"C:\\m\\Tovra2.dll"}}, mode,
                             [scratch](HKEY) { return scratch; });
  }

  bool Exists(const std::wstring& path) const { return common::OpenRegKey(root_.get(), path).valid(); }

  std::optional<std::wstring> String(const std::wstring& path, const wchar_t* name = nullptr) const {
    const common::UniqueRegKey key = common::OpenRegKey(root_.get(), path);
    if (!key) return std::nullopt;
    return common::ReadRegString(key.get(), name);
  }

  void Put(const std::wstring& path, const wchar_t* name, const wchar_t* value) {
    const common::UniqueRegKey key = common::CreateRegKey(root_.get(), path);
    ASSERT_TRUE(key);
    ASSERT_EQ(common::WriteRegString(key.get(), name, value), ERROR_SUCCESS);
  }

  common::UniqueRegKey root_;
};

constexpr wchar_t kClassScript[] = LR"(HKCR
{
	Prog.1 = s 'Class' { CLSID = s '{C}' 'Insertable' }
	NoRemove CLSID
	{
		ForceRemove {C} = s 'Class'
		{
			InprocServer32 = s '%MODULE%' { val ThreadingModel = s 'Apartment' }
			'MiscStatus' = s '0' { '1' = s '131473' }
			Flags = d 0x10
		}
	}
})";

}  // namespace

TEST_F(RegistrarTest, RegisterWritesKeysValuesAndReplacements) {
  ASSERT_EQ(Run(kClassScript, RegistrarMode::Register), S_OK);
  EXPECT_EQ(String(L"Prog.1"), L"Class");
  EXPECT_EQ(String(L"Prog.1\\CLSID"), L"{C}");
  EXPECT_TRUE(Exists(L"Prog.1\\Insertable"));
  EXPECT_EQ(String(L"Prog.1\\Insertable"), std::nullopt);  // an empty key has no default value
  EXPECT_EQ(String(L"CLSID\\{C}\\InprocServer32"), L"C:\\m\\Tovra2.dll");
  EXPECT_EQ(String(L"CLSID\\{C}\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(String(L"CLSID\\{C}\\MiscStatus\\1"), L"131473");
  const common::UniqueRegKey flags = common::OpenRegKey(root_.get(), L"CLSID\\{C}\\Flags");
  ASSERT_TRUE(flags);
  EXPECT_EQ(common::ReadRegDword(flags.get(), nullptr), 0x10u);
}

TEST_F(RegistrarTest, RegisteringTwiceReplacesForceRemoveKeysWhole) {
  ASSERT_EQ(Run(kClassScript, RegistrarMode::Register), S_OK);
  Put(L"CLSID\\{C}\\Stale", nullptr, L"left from an older version");
  Put(L"Prog.1\\Kept", nullptr, L"foreign");
  ASSERT_EQ(Run(kClassScript, RegistrarMode::Register), S_OK);
  EXPECT_FALSE(Exists(L"CLSID\\{C}\\Stale"));                 // ForceRemove: replaced
  EXPECT_EQ(String(L"Prog.1\\Kept"), L"foreign");             // plain key: merged
  EXPECT_EQ(String(L"CLSID\\{C}\\MiscStatus\\1"), L"131473");
}

TEST_F(RegistrarTest, UnregisterRemovesTheScriptsKeysButNoRemoveOnes) {
  Put(L"CLSID\\{Other}", nullptr, L"another class");
  ASSERT_EQ(Run(kClassScript, RegistrarMode::Register), S_OK);
  ASSERT_EQ(Run(kClassScript, RegistrarMode::Unregister), S_OK);
  EXPECT_FALSE(Exists(L"Prog.1"));
  EXPECT_FALSE(Exists(L"CLSID\\{C}"));
  EXPECT_TRUE(Exists(L"CLSID"));
  EXPECT_EQ(String(L"CLSID\\{Other}"), L"another class");
  // Again, with nothing left to remove.
  EXPECT_EQ(Run(kClassScript, RegistrarMode::Unregister), S_OK);
  EXPECT_TRUE(Exists(L"CLSID"));
}

TEST_F(RegistrarTest, UnregisterKeepsKeysThatHoldForeignContent) {
  const wchar_t script[] = L"HKCU { Shared = s 'ours' { val Mine = s 'x' Sub } NoRemove Base { Leaf } }";
  ASSERT_EQ(Run(script, RegistrarMode::Register), S_OK);
  Put(L"Shared", L"Theirs", L"y");
  Put(L"Base\\Leaf\\Child", nullptr, L"z");
  ASSERT_EQ(Run(script, RegistrarMode::Unregister), S_OK);
  EXPECT_TRUE(Exists(L"Shared"));                         // a foreign value keeps it
  EXPECT_EQ(String(L"Shared", L"Mine"), std::nullopt);   // our value went
  EXPECT_EQ(String(L"Shared", L"Theirs"), L"y");
  EXPECT_FALSE(Exists(L"Shared\\Sub"));
  EXPECT_TRUE(Exists(L"Base\\Leaf\\Child"));              // a foreign sub key keeps Leaf
}

TEST_F(RegistrarTest, DeleteActsOnlyWhenRegistering) {
  Put(L"Old\\Deep", nullptr, L"x");
  const wchar_t script[] = L"HKCU { Delete Old New }";
  ASSERT_EQ(Run(script, RegistrarMode::Register), S_OK);
  EXPECT_FALSE(Exists(L"Old"));
  EXPECT_TRUE(Exists(L"New"));
  Put(L"Old", nullptr, L"back");
  ASSERT_EQ(Run(script, RegistrarMode::Unregister), S_OK);
  EXPECT_EQ(String(L"Old"), L"back");
  EXPECT_FALSE(Exists(L"New"));
}

TEST_F(RegistrarTest, MalformedScriptWritesNothing) {
  // The error sits after a complete key: nothing of it may be written.
  EXPECT_EQ(Run(L"HKCU { Early = s 'x' Late = s }", RegistrarMode::Register), kScriptSyntaxError);
  EXPECT_FALSE(Exists(L"Early"));
  Put(L"Early", nullptr, L"x");
  EXPECT_EQ(Run(L"HKCU { ForceRemove Early Late = s }", RegistrarMode::Unregister), kScriptSyntaxError);
  EXPECT_TRUE(Exists(L"Early"));
}

TEST_F(RegistrarTest, ARootWithoutTargetIsRefused) {
  EXPECT_EQ(RunRegistryScript(L"HKCU { A }", {}, RegistrarMode::Register, [](HKEY) -> HKEY { return nullptr; }),
            E_INVALIDARG);
}
