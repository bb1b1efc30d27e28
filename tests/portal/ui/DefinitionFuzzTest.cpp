// Malformed definition files never crash the reader and read as missing or
// as some text: random bytes, truncated lines, binary zeros, byte-order
// marks and overlong values, with every key the control uses and a few
// invented ones, through every kind of lookup.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "TempFolder.h"
#include "ui/DefinitionReader.h"

using namespace portal::skin;

namespace {

constexpr int kRounds = 120;

// Bytes that make profile parsers work: brackets, '=', '*', line breaks,
// zeros, and fragments of the real keys.
std::string RandomProfile(std::mt19937& random) {
  static const char* const fragments[] = {
      "[Settings]", "[Image]", "[Color]", "[Font]", "[", "]", "=", "*", "\r\n", "\n", "\r", "<none>",
      "ProductName", "Camera.DisplayName", "DefaultSkin", "Video.Settings", "*ProductName", "N.Bold", "N.Size",
      "N", ",", "3", "ff 80 0", "\xFF\xFE", "\xEF\xBB\xBF", ";", " "};
  std::string text;
  const int pieces = std::uniform_int_distribution<int>(0, 200)(random);
  for (int i = 0; i < pieces; ++i) {
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
      case 0:
        text += fragments[std::uniform_int_distribution<std::size_t>(0, std::size(fragments) - 1)(random)];
        break;
      case 1:
        text += std::string(std::uniform_int_distribution<std::size_t>(0, 600)(random),
                            static_cast<char>(std::uniform_int_distribution<int>(32, 126)(random)));
        break;
      default:
        text += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        break;
    }
  }
  return text;
}

void ReadEverything(const DefinitionReader& reader) {
  static const wchar_t* const keys[] = {L"ProductName", L"Camera.DisplayName", L"DefaultSkin", L"Video.Settings",
                                        L"*ProductName", L"N", L"3", L""};
  for (const wchar_t* section : {L"Settings", L"Image", L"Color", L"Font", L"Missing"}) {
    for (const wchar_t* key : keys) {
      std::wstring value;
      const Lookup state = reader.ReadString(section, key, &value);
      EXPECT_LE(value.size(), kValueBufferChars - 1);
      if (state == Lookup::Missing) EXPECT_TRUE(value.empty());
    }
  }
  for (const wchar_t* key : keys) {
    reader.ReadInteger(key, 1);
    COLORREF color = 0;
    reader.ReadColor(key, 0, &color);
    LOGFONTW font = {};
    reader.ReadFont(key, &font);
    EXPECT_LT(wcslen(font.lfFaceName), static_cast<std::size_t>(LF_FACESIZE));
    reader.LoadBitmap(key);
    reader.LoadIcon(key, 0, 0);
  }
}

}  // namespace

TEST(DefinitionFuzz, RandomProfilesNeverCrash) {
  skin_tests::TempFolder folder;
  std::mt19937 random(20240607u);
  const DefinitionReader reader(folder.File(L"Fuzz.ini"), folder.Path());
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_TRUE(folder.Write(L"Fuzz.ini", RandomProfile(random)));
    ReadEverything(reader);
    if (HasFailure()) FAIL() << "round " << round;
  }
}

TEST(DefinitionFuzz, MissingAndEmptyFilesReadAsMissing) {
  skin_tests::TempFolder folder;
  for (const DefinitionReader& reader : {DefinitionReader(folder.File(L"Absent.ini"), folder.Path()),
                                         DefinitionReader(std::wstring(), folder.Path())}) {
    std::wstring value;
    EXPECT_EQ(reader.ReadString(L"Settings", L"ProductName", &value), Lookup::Missing);
    EXPECT_EQ(reader.ReadInteger(L"Count", 17), 17);
    EXPECT_FALSE(reader.LoadIcon(L"Video.Settings", 0, 0));
  }
  ASSERT_TRUE(folder.Write(L"Empty.ini", ""));
  std::wstring value;
  EXPECT_EQ(DefinitionReader(folder.File(L"Empty.ini"), folder.Path()).ReadString(L"Settings", L"X", &value),
            Lookup::Missing);
}
