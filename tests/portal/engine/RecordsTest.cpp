// The records the control sends to the engine: the settings key rules,
// text cut to its field with a terminator that always fits, ANSI text,
// and the arithmetic of picture sizes and format records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/Records.h"

namespace portal {
namespace {

TEST(SettingsKey, RootIsAddedOnlyWhenNoneIsNamed) {
  EXPECT_EQ(L"HKEY_CURRENT_USER\\Software\\Velkor\\Torvane\\VideoPortal2",
            CompleteSettingsKey(L"Software\\Velkor\\Torvane"));
  EXPECT_EQ(L"HKEY_LOCAL_MACHINE\\Software\\X\\VideoPortal2", CompleteSettingsKey(L"HKEY_LOCAL_MACHINE\\Software\\X"));
  // A root named anywhere counts; the search is case-sensitive.
  EXPECT_EQ(L"Prefix HKEY_USERS\\X\\VideoPortal2", CompleteSettingsKey(L"Prefix HKEY_USERS\\X"));
  EXPECT_EQ(L"HKEY_CURRENT_USER\\hkey_local_machine\\X\\VideoPortal2",
            CompleteSettingsKey(L"hkey_local_machine\\X"));
  EXPECT_EQ(L"HKEY_CURRENT_USER\\\\VideoPortal2", CompleteSettingsKey(L""));
}

TEST(Records, TextIsCutToItsFieldWithATerminator) {
  const std::wstring longName(300, L'n');
  const std::wstring longKey(600, L'k');
  const engine::PrepareRecord prepare = MakePrepareRecord(longName, longKey);
  EXPECT_EQ(516u, prepare.size);
  EXPECT_EQ(255u, std::strlen(prepare.uniqueName));
  EXPECT_EQ(255u, std::strlen(prepare.registryKey));

  const engine::SettingsRecord settings = MakeSettingsRecord(longKey);
  EXPECT_EQ(520u, settings.size);
  EXPECT_EQ(511u, std::strlen(settings.key));
  EXPECT_EQ(1, settings.value);

  const engine::PictureRequestRecord request = MakePictureRequest(longKey, longName, 4096);
  EXPECT_EQ(780u, request.size);
  EXPECT_EQ(511u, std::strlen(request.target));
  EXPECT_EQ(255u, std::strlen(request.textStamp));
  EXPECT_EQ(4096u, request.mappingSize);
  EXPECT_EQ(0u, request.reserved);
}

TEST(Records, TextTravelsInTheAnsiCodePage) {
  const engine::PictureSoundRecord sound = MakePictureSoundRecord(L"c:\\Kl\u00e4nge\\click.wav");
  char expected[64] = {};
  ::WideCharToMultiByte(CP_ACP, 0, L"c:\\Kl\u00e4nge\\click.wav", -1, expected, sizeof(expected), nullptr, nullptr);
  EXPECT_STREQ(expected, sound.soundFile);
  EXPECT_EQ(516u, sound.size);
}

TEST(Records, TextStampStyleCarriesEveryValue) {
  TextStampStyle style;
  style.color = 0x112233;
  style.fontName = L"Courier New";
  style.fontSize = 14;
  style.value1 = 2;
  style.color2 = 0x445566;
  style.value2 = 3;
  style.color3 = 0x778899;
  const engine::TextStampStyleRecord record = MakeTextStampRecord(style);
  EXPECT_EQ(96u, record.size);
  EXPECT_EQ(0x112233u, record.textColor);
  EXPECT_STREQ("Courier New", record.faceName);
  EXPECT_EQ(14, record.fontSize);
  EXPECT_EQ(2, record.style1);
  EXPECT_EQ(0x445566u, record.color2);
  EXPECT_EQ(3, record.style2);
  EXPECT_EQ(0x778899u, record.color3);
  EXPECT_EQ(0, record.reserved);
  // The defaults of a fresh control.
  const engine::TextStampStyleRecord defaults = MakeTextStampRecord(TextStampStyle{});
  EXPECT_EQ(0xFFFFFFu, defaults.textColor);
  EXPECT_STREQ("MS Sans Serif", defaults.faceName);
  EXPECT_EQ(10, defaults.fontSize);
}

TEST(Records, FormatRecordsDescribeTheirPicture) {
  const engine::VideoFormatRecord format = MakeVideoFormatRecord(321, 240, 24, 0);
  EXPECT_EQ(64u, format.size);
  EXPECT_EQ(40u, format.header.biSize);
  EXPECT_EQ(1, format.header.biPlanes);
  EXPECT_EQ(240u * 964u, format.header.biSizeImage) << "rows padded to four bytes";
  const engine::StillFormatRecord still = MakeStillFormatRecord(1280, 960);
  EXPECT_EQ(20u, still.size);
  EXPECT_EQ(24, still.bitDepth);
  EXPECT_EQ(0, still.reserved);
  const engine::PreviewRecord preview = MakePreviewRecord(reinterpret_cast<HWND>(0x1234), 320, 240);
  EXPECT_EQ(32u, preview.size);
  EXPECT_EQ(0x1234u, preview.window);
  EXPECT_EQ(1, preview.on);
}

TEST(Records, PictureSizesAreCompleteBitmapFiles) {
  EXPECT_EQ(230454, PictureSize(320, 240, 24));
  EXPECT_EQ(921654, PictureSize(640, 480, 24));
  EXPECT_EQ(3 * 1 + 1 + 54, PictureSize(1, 1, 24));
  EXPECT_EQ(54, PictureSize(320, 240, 0)) << "an unread format describes no pixels";
  EXPECT_EQ(1600LL * 3 * 1200 + 54, PictureSize(1600, 1200, 24));
}

TEST(Records, CamerasAreRecognisedByIdentifiersTypeAndSerial) {
  engine::CameraRecord a = {};
  a.vendorId = 1;
  a.productId = 2;
  a.type = 9;
  a.serial = 77;
  engine::CameraRecord b = a;
  std::strcpy(b.name, "other name, same camera");
  EXPECT_TRUE(SameCamera(a, b));
  b.serial = 78;
  EXPECT_FALSE(SameCamera(a, b));
  b = a;
  b.type = 14;
  EXPECT_FALSE(SameCamera(a, b));
}

}  // namespace
}  // namespace portal
