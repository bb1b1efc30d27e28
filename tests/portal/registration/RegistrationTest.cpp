// The built Tovra2.dll registered and unregistered by regsvr32 exactly as a
// user would, every entry read back with reg, the type library loaded
// through the registry, and the per-user round trip. The suite leaves the
// control registered for all users, as the scripted client tests expect.
#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include "CommandRunner.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "common/Module.h"

using namespace registration_tests;

namespace {

const std::wstring kClsid = L"{FD81BC84-8AFA-46EE-BFFA-BD9BBA5B3C34}";
const std::wstring kLibId = L"{259CCA62-0CAB-4088-AA39-D56984206CE9}";
const std::string kClassName = "Tessel VideoPortal Class";

std::wstring ControlPath() { return common::ModuleDirectory(nullptr) + L"Tovra2.dll"; }
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

DWORD Regsvr32(const std::wstring& options) {
  const auto result = RunCommand(L"regsvr32 /s " + options + L" \"" + ControlPath() + L"\"");
  return result ? result->exitCode : static_cast<DWORD>(-1);
}

class RegistrationTest : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { Regsvr32(L""); }

  void SetUp() override {
    ASSERT_EQ(::GetFileAttributesW(ControlPath().c_str()) != INVALID_FILE_ATTRIBUTES, true);
    Regsvr32(L"/u");
    Regsvr32(L"/u /n /i:user");
  }

  // Every entry of the class table below root ("HKCR" or
  // "HKCU\Software\Classes"), read back with reg.
  static void ExpectClassTable(const std::wstring& root) {
    const std::string module = Narrow(ControlPath());
    RegTree progId = ReadRegTree(root + L"\\Tovra2.VideoPortal.1");
    EXPECT_EQ(progId[""][""], kClassName);
    EXPECT_EQ(progId["CLSID"][""], Narrow(kClsid));
    EXPECT_TRUE(progId.count("Insertable"));
    EXPECT_EQ(progId.size(), 3u);

    RegTree independent = ReadRegTree(root + L"\\Tovra2.VideoPortal");
    EXPECT_EQ(independent[""][""], kClassName);
    EXPECT_EQ(independent["CLSID"][""], Narrow(kClsid));
    EXPECT_EQ(independent["CurVer"][""], "Tovra2.VideoPortal.1");
    EXPECT_EQ(independent.size(), 3u);

    RegTree cls = ReadRegTree(root + L"\\CLSID\\" + kClsid);
    EXPECT_EQ(cls[""][""], kClassName);
    EXPECT_EQ(cls["ProgID"][""], "Tovra2.VideoPortal.1");
    EXPECT_EQ(cls["VersionIndependentProgID"][""], "Tovra2.VideoPortal");
    for (const char* empty : {"Programmable", "Control", "Insertable"}) {
      ASSERT_TRUE(cls.count(empty)) << empty;
      EXPECT_TRUE(cls[empty].empty()) << empty;
    }
    EXPECT_EQ(cls["InprocServer32"][""], module);
    EXPECT_EQ(cls["InprocServer32"]["ThreadingModel"], "Apartment");
    EXPECT_EQ(cls["ToolboxBitmap32"][""], module + ", 102");
    EXPECT_EQ(cls["MiscStatus"][""], "0");
    EXPECT_EQ(cls["MiscStatus\\1"][""], "131473");
    EXPECT_EQ(cls["TypeLib"][""], Narrow(kLibId));
    EXPECT_EQ(cls["Version"][""], "1.0");
    EXPECT_EQ(cls.size(), 12u);  // the key itself and its eleven sub keys, nothing else
  }

  static void ExpectNoClass(const std::wstring& root) {
    EXPECT_FALSE(RegKeyExists(root + L"\\CLSID\\" + kClsid));
    EXPECT_FALSE(RegKeyExists(root + L"\\Tovra2.VideoPortal.1"));
    EXPECT_FALSE(RegKeyExists(root + L"\\Tovra2.VideoPortal"));
  }
};

}  // namespace

TEST_F(RegistrationTest, RegistersEveryEntryOfTheClass) {
  ASSERT_EQ(Regsvr32(L""), 0u);
  ExpectClassTable(L"HKCR");
}

TEST_F(RegistrationTest, RegisteringTwiceLeavesOneConsistentSet) {
  ASSERT_EQ(Regsvr32(L""), 0u);
  const std::string classKey = DumpRegTree(L"HKCR\\CLSID\\" + kClsid);
  const std::string progIds = DumpRegTree(L"HKCR\\Tovra2.VideoPortal") + DumpRegTree(L"HKCR\\Tovra2.VideoPortal.1");
  ASSERT_FALSE(classKey.empty());
  // Left over from an older installation; the class key is replaced whole.
  const auto added = RunCommand(L"reg add \"HKCR\\CLSID\\" + kClsid + L"\\Stale\" /ve /d old /f");
  ASSERT_TRUE(added && added->exitCode == 0);

  ASSERT_EQ(Regsvr32(L""), 0u);
  EXPECT_FALSE(RegKeyExists(L"HKCR\\CLSID\\" + kClsid + L"\\Stale"));
  EXPECT_EQ(DumpRegTree(L"HKCR\\CLSID\\" + kClsid), classKey);
  EXPECT_EQ(DumpRegTree(L"HKCR\\Tovra2.VideoPortal") + DumpRegTree(L"HKCR\\Tovra2.VideoPortal.1"), progIds);
}

TEST_F(RegistrationTest, TypeLibraryIsRegisteredAndLoadable) {
  ASSERT_EQ(Regsvr32(L""), 0u);
  const std::wstring version = L"HKCR\\TypeLib\\" + kLibId + L"\\1.0";
  EXPECT_EQ(QueryRegString(version), "Tovra 1.0 Type Library");
#ifdef _WIN64
  EXPECT_EQ(QueryRegString(version + L"\\0\\win64"), Narrow(ControlPath()));
#else
  EXPECT_EQ(QueryRegString(version + L"\\0\\win32"), Narrow(ControlPath()));
#endif
  common::ComPtr<ITypeLib> typeLib;
  ASSERT_EQ(::LoadRegTypeLib(LIBID_TovraLib, 1, 0, LOCALE_NEUTRAL, typeLib.put()), S_OK);
  common::ComPtr<ITypeInfo> coclass;
  EXPECT_EQ(typeLib->GetTypeInfoOfGuid(CLSID_VideoPortal, coclass.put()), S_OK);
}

TEST_F(RegistrationTest, UnregisteringKeepsClsidAndRemovesTheRest) {
  ASSERT_EQ(Regsvr32(L""), 0u);
  ASSERT_EQ(Regsvr32(L"/u"), 0u);
  EXPECT_TRUE(RegKeyExists(L"HKCR\\CLSID"));
  ExpectNoClass(L"HKCR");
  EXPECT_FALSE(RegKeyExists(L"HKCR\\TypeLib\\" + kLibId));
  common::ComPtr<ITypeLib> typeLib;
  EXPECT_NE(::LoadRegTypeLib(LIBID_TovraLib, 1, 0, LOCALE_NEUTRAL, typeLib.put()), S_OK);
  // Removing what is not there is not an error.
  EXPECT_EQ(Regsvr32(L"/u"), 0u);
}

TEST_F(RegistrationTest, PerUserRoundTripUnderCurrentUserClasses) {
  const std::wstring userClasses = L"HKCU\\Software\\Classes";
  ASSERT_EQ(Regsvr32(L"/n /i:user"), 0u);
  ExpectClassTable(userClasses);
  ExpectNoClass(L"HKLM\\Software\\Classes");  // nothing for all users

  ASSERT_EQ(Regsvr32(L"/u /n /i:user"), 0u);
  ExpectNoClass(userClasses);
  EXPECT_TRUE(RegKeyExists(userClasses + L"\\CLSID"));
}

TEST_F(RegistrationTest, UnknownInstallCommandIsRefused) {
  EXPECT_NE(Regsvr32(L"/n /i:everyone"), 0u);
  ExpectNoClass(L"HKCR");
  ExpectNoClass(L"HKCU\\Software\\Classes");
}
