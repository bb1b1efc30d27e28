// The definition reader on real profile files in a scratch folder that
// stands in for the control's folder: the OEM keys the control uses, the
// skin file, colours, fonts, integers and images.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "common/Module.h"
#include "common/UniqueHandle.h"
#include "server/ModuleState.h"
#include "ui/DefinitionReader.h"
#include "ui/OemDefinitions.h"

using namespace portal::skin;
using skin_tests::TempFolder;

namespace {

// A copy of the resource module loaded from the scratch folder plays the
// control module: the readers look for their files beside it.
class DefinitionReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring bin = common::ModuleDirectory(nullptr);
    ASSERT_TRUE(folder_.CopyIn(bin + L"LTovra2.dll", L"Control.dll"));
    ASSERT_TRUE(folder_.CopyIn(bin + L"SkinImages.dll", L"SkinImages.dll"));
    control_.reset(::LoadLibraryExW(folder_.File(L"Control.dll").c_str(), nullptr, 0));
    ASSERT_TRUE(control_);
  }
  void TearDown() override { portal::ModuleState::SetResourceModule(nullptr); }

  DefinitionReader Reader(std::wstring_view name) const { return DefinitionReader(folder_.File(name), folder_.Path()); }

  TempFolder folder_;
  common::UniqueModule control_;
};

}  // namespace

TEST_F(DefinitionReaderTest, ProductNameThroughIndirectionNoneAndFallback) {
  portal::ModuleState::SetResourceModule(control_.get());  // string 129 comes from here
  EXPECT_EQ(ProductNameCaption(control_.get()), L"Video Portal");  // no OEM.def at all

  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nProductName=*Brand\r\n*Brand=Acme Cam Studio\r\n"));
  EXPECT_EQ(ProductNameCaption(control_.get()), L"Acme Cam Studio");

  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nProductName=<NONE>\r\n"));
  EXPECT_EQ(ProductNameCaption(control_.get()), L"Video Portal");

  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Other]\r\nProductName=Wrong section\r\n"));
  EXPECT_EQ(ProductNameCaption(control_.get()), L"Video Portal");

  portal::ModuleState::SetResourceModule(nullptr);  // no resource module: no text
  EXPECT_EQ(ProductNameCaption(control_.get()), L"");
}

TEST_F(DefinitionReaderTest, CameraDisplayName) {
  EXPECT_FALSE(OemCameraDisplayName(control_.get()));
  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nCamera.DisplayName=Acme Eye\r\n"));
  EXPECT_EQ(OemCameraDisplayName(control_.get()), L"Acme Eye");
  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nCamera.DisplayName=<none>\r\n"));
  EXPECT_FALSE(OemCameraDisplayName(control_.get()));
  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nCamera.DisplayName=\r\n"));
  EXPECT_FALSE(OemCameraDisplayName(control_.get()));
}

TEST_F(DefinitionReaderTest, ValuesKeepAtMost255Characters) {
  const std::string longValue(300, 'v');
  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nCamera.DisplayName=" + longValue + "\r\n"));
  EXPECT_EQ(OemCameraDisplayName(control_.get()), std::wstring(255, L'v'));

  wchar_t small[8];
  EXPECT_EQ(Reader(L"OEM.def").ReadString(L"Settings", L"Camera.DisplayName", small, 8), Lookup::Found);
  EXPECT_STREQ(small, L"vvvvvvv");
  wchar_t fallback[8];
  EXPECT_EQ(Reader(L"OEM.def").ReadString(L"Settings", L"Absent", fallback, 8, L"default text"), Lookup::Missing);
  EXPECT_STREQ(fallback, L"default");
}

TEST_F(DefinitionReaderTest, SkinFileIsFoundRelativeToTheControlOrByFullPath) {
  ASSERT_TRUE(folder_.Write(L"Skin.ini", "[Settings]\r\nName=relative\r\n"));
  std::wstring name;
  EXPECT_TRUE(DefinitionReader::OpenSkin(control_.get()).Path().empty());  // no OEM.def
  EXPECT_EQ(DefinitionReader::OpenSkin(control_.get()).ReadString(L"Settings", L"Name", &name), Lookup::Missing);

  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nDefaultSkin=Skin.ini\r\n"));
  EXPECT_EQ(DefinitionReader::OpenSkin(control_.get()).Path(), folder_.File(L"Skin.ini"));
  EXPECT_EQ(DefinitionReader::OpenSkin(control_.get()).ReadString(L"Settings", L"Name", &name), Lookup::Found);
  EXPECT_EQ(name, L"relative");

  TempFolder elsewhere;
  ASSERT_TRUE(elsewhere.Write(L"Other.ini", "[Settings]\r\nName=full path\r\n"));
  const std::wstring otherPath = elsewhere.File(L"Other.ini");
  const std::string full(otherPath.begin(), otherPath.end());  // temporary paths are ASCII
  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nDefaultSkin=" + full + "\r\n"));
  EXPECT_EQ(DefinitionReader::OpenSkin(control_.get()).ReadString(L"Settings", L"Name", &name), Lookup::Found);
  EXPECT_EQ(name, L"full path");

  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nDefaultSkin=<none>\r\n"));
  EXPECT_TRUE(DefinitionReader::OpenSkin(control_.get()).Path().empty());
}

TEST_F(DefinitionReaderTest, ColoursFromTheColorSection) {
  ASSERT_TRUE(folder_.Write(L"Skin.ini", "[Color]\r\nText=ff 80 0\r\nOff=<none>\r\nBad=ff 80\r\n"
                                         "Alias=*Text\r\n*Text=1 2 3\r\n"));
  const DefinitionReader reader = Reader(L"Skin.ini");
  COLORREF color = 0;
  EXPECT_EQ(reader.ReadColor(L"Text", RGB(9, 9, 9), &color), Lookup::Found);
  EXPECT_EQ(GetRValue(color), 255);
  EXPECT_EQ(GetGValue(color), 128);
  EXPECT_EQ(GetBValue(color), 0);
  EXPECT_EQ(reader.ReadColor(L"Alias", 0, &color), Lookup::Found);
  EXPECT_EQ(color, RGB(1, 2, 3));
  EXPECT_EQ(reader.ReadColor(L"Absent", RGB(9, 9, 9), &color), Lookup::Missing);
  EXPECT_EQ(color, RGB(9, 9, 9));
  EXPECT_EQ(reader.ReadColor(L"Bad", RGB(9, 9, 9), &color), Lookup::Missing);
  EXPECT_EQ(color, RGB(9, 9, 9));
  EXPECT_EQ(reader.ReadColor(L"Off", RGB(9, 9, 9), &color), Lookup::NoValue);
}

TEST_F(DefinitionReaderTest, FontsTakeFaceWeightUnderlineAndHeight) {
  ASSERT_TRUE(folder_.Write(L"Skin.ini", "[Font]\r\nN=Arial\r\nN.Bold=1\r\nN.Size=-12\r\n"
                                         "Plain=*N\r\nPlain.Bold=0\r\nPlain.Underline=1\r\n"
                                         "Long=" + std::string(40, 'F') + "\r\n"));
  const DefinitionReader reader = Reader(L"Skin.ini");
  LOGFONTW font = {};
  font.lfWeight = FW_NORMAL;
  font.lfHeight = -8;
  reader.ReadFont(L"N", &font);
  EXPECT_STREQ(font.lfFaceName, L"Arial");
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_FALSE(font.lfUnderline);

  reader.ReadFont(L"Plain", &font);  // no indirection for fonts
  EXPECT_STREQ(font.lfFaceName, L"*N");
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  EXPECT_TRUE(font.lfUnderline);
  EXPECT_EQ(font.lfHeight, -12);  // kept

  LOGFONTW odd = {};
  odd.lfWeight = FW_LIGHT;  // only bold counts as bold when the key is missing
  odd.lfUnderline = TRUE;
  wcscpy(odd.lfFaceName, L"Keep");
  reader.ReadFont(L"Absent", &odd);
  EXPECT_STREQ(odd.lfFaceName, L"Keep");
  EXPECT_EQ(odd.lfWeight, FW_NORMAL);
  EXPECT_TRUE(odd.lfUnderline);

  reader.ReadFont(L"Long", &odd);
  EXPECT_EQ(std::wstring(odd.lfFaceName), std::wstring(31, L'F'));
}

TEST_F(DefinitionReaderTest, IntegersUseTheDefaultWhenMissing) {
  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nCount=42\r\nNegative=-7\r\nText=abc\r\n"));
  const DefinitionReader reader = DefinitionReader::OpenOemDefinitions(control_.get());
  EXPECT_EQ(reader.ReadInteger(L"Count", 5), 42);
  EXPECT_EQ(reader.ReadInteger(L"Negative", 5), -7);
  EXPECT_EQ(reader.ReadInteger(L"Absent", 5), 5);
  EXPECT_EQ(reader.ReadInteger(L"Text", 5), 0);
  EXPECT_EQ(DefinitionReader(std::wstring(), folder_.Path()).ReadInteger(L"Count", 5), 5);
}

TEST_F(DefinitionReaderTest, VideoSettingsIconFromModuleOrFile) {
  ASSERT_TRUE(folder_.CopyIn(common::ModuleDirectory(nullptr) + L"SkinImages.dll", L"Icons.dll"));
  ASSERT_TRUE(folder_.Write(L"OEM.def", "[Settings]\r\nDefaultSkin=Skin.ini\r\n"));
  const auto useSkin = [&](const std::string& value) {
    return folder_.Write(L"Skin.ini", "[Image]\r\nVideo.Settings=" + value + "\r\n");
  };
  EXPECT_FALSE(LoadVideoSettingsIcon(control_.get()));  // no skin file yet

  ASSERT_TRUE(useSkin("Icons.dll,3"));
  common::UniqueIcon fromModule = LoadVideoSettingsIcon(control_.get());
  ASSERT_TRUE(fromModule);
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(fromModule.get(), &info));
  common::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap = {};
  ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, ::GetSystemMetrics(SM_CXICON));

  const std::string icon = [] {
    std::string bytes;
    common::UniqueFile file(::CreateFileW((common::ModuleDirectory(nullptr) + L"SkinIcon.ico").c_str(),
                                          GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char buffer[8192];
    DWORD read = 0;
    if (file && ::ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr)) bytes.assign(buffer, read);
    return bytes;
  }();
  ASSERT_FALSE(icon.empty());
  ASSERT_TRUE(folder_.Write(L"Video.ico", icon));
  ASSERT_TRUE(useSkin("Video.ico"));
  EXPECT_TRUE(LoadVideoSettingsIcon(control_.get()));

  ASSERT_TRUE(useSkin("Icons.dll,4"));  // no such resource
  EXPECT_FALSE(LoadVideoSettingsIcon(control_.get()));
  ASSERT_TRUE(useSkin("Missing.dll,3"));
  EXPECT_FALSE(LoadVideoSettingsIcon(control_.get()));
  ASSERT_TRUE(useSkin("Missing.ico"));
  EXPECT_FALSE(LoadVideoSettingsIcon(control_.get()));
  ASSERT_TRUE(useSkin("<None>"));
  EXPECT_FALSE(LoadVideoSettingsIcon(control_.get()));
}

TEST_F(DefinitionReaderTest, BitmapsFromModuleOrFile) {
  ASSERT_TRUE(folder_.Write(L"Skin.ini", "[Image]\r\nFromDll=SkinImages.dll,5\r\nFromFile=Pic.bmp\r\n"
                                         "Wrong=SkinImages.dll,3\r\n"));
  ASSERT_TRUE(folder_.CopyIn(common::ModuleDirectory(nullptr) + L"SkinBitmap.bmp", L"Pic.bmp"));
  const DefinitionReader reader = Reader(L"Skin.ini");
  for (const wchar_t* key : {L"FromDll", L"FromFile"}) {
    common::UniqueBitmap bitmap = reader.LoadBitmap(key);
    ASSERT_TRUE(bitmap) << key;
    BITMAP info = {};
    ::GetObjectW(bitmap.get(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmHeight, 8);
  }
  EXPECT_FALSE(reader.LoadBitmap(L"Wrong"));  // an icon is not a bitmap
  EXPECT_FALSE(reader.LoadBitmap(L"Absent"));
}
