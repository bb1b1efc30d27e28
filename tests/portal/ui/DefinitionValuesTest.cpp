// Value syntax of the definition files, without any file: indirection,
// "<none>", colours, image locations and paths.
#include <gtest/gtest.h>

#include <map>

#include "ui/DefinitionValues.h"

using namespace portal::skin;

namespace {

RawLookup From(std::map<std::wstring, std::wstring> values) {
  return [values](const std::wstring& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::wstring() : found->second;
  };
}

}  // namespace

TEST(DefinitionValues, IndirectionFollowsOneLevelWithTheStarInTheName) {
  const RawLookup raw = From({{L"ProductName", L"*Brand"},
                              {L"*Brand", L"Brand text"},
                              {L"Brand", L"not this one"},
                              {L"Twice", L"*Hop"},
                              {L"*Hop", L"*Brand"},
                              {L"Dangling", L"*Nowhere"},
                              {L"ToNone", L"*Off"},
                              {L"*Off", L"<NONE>"},
                              {L"Star", L"*"}});
  EXPECT_EQ(ResolveValue(L"ProductName", raw).text, L"Brand text");
  EXPECT_EQ(ResolveValue(L"ProductName", raw).state, Lookup::Found);
  // The second level is taken literally.
  EXPECT_EQ(ResolveValue(L"Twice", raw).text, L"*Brand");
  EXPECT_EQ(ResolveValue(L"Twice", raw).state, Lookup::Found);
  EXPECT_EQ(ResolveValue(L"Dangling", raw).state, Lookup::Missing);
  EXPECT_EQ(ResolveValue(L"ToNone", raw).state, Lookup::NoValue);
  EXPECT_EQ(ResolveValue(L"Star", raw).state, Lookup::Missing);  // key "*" is not there
  EXPECT_EQ(ResolveValue(L"Absent", raw).state, Lookup::Missing);
}

TEST(DefinitionValues, NoneMarkerIgnoresCaseOnly) {
  EXPECT_TRUE(IsNoneValue(L"<none>"));
  EXPECT_TRUE(IsNoneValue(L"<NONE>"));
  EXPECT_TRUE(IsNoneValue(L"<NoNe>"));
  EXPECT_FALSE(IsNoneValue(L"none"));
  EXPECT_FALSE(IsNoneValue(L"<none> "));
  EXPECT_FALSE(IsNoneValue(L" <none>"));
  EXPECT_FALSE(IsNoneValue(L""));
  EXPECT_EQ(ResolveValue(L"K", From({{L"K", L"<None>"}})).state, Lookup::NoValue);
}

TEST(DefinitionValues, ColoursAreRedGreenBlueInHex) {
  EXPECT_EQ(ParseColor(L"ff 80 0"), RGB(255, 128, 0));
  EXPECT_EQ(ParseColor(L"FF 80 00"), RGB(255, 128, 0));
  EXPECT_EQ(ParseColor(L"  1   2\t3  "), RGB(1, 2, 3));
  EXPECT_EQ(ParseColor(L"0xff 0x0 0x10"), RGB(255, 0, 16));
  EXPECT_EQ(ParseColor(L"0 0 0"), RGB(0, 0, 0));
  EXPECT_EQ(ParseColor(L"1 2 3 trailing"), RGB(1, 2, 3));  // like scanf, the rest is ignored
  // Components are added as given: 100 hex red carries into green.
  EXPECT_EQ(ParseColor(L"100 0 0"), static_cast<COLORREF>(0x100));
  EXPECT_FALSE(ParseColor(L""));
  EXPECT_FALSE(ParseColor(L"ff 80"));
  EXPECT_FALSE(ParseColor(L"red green blue"));
  EXPECT_FALSE(ParseColor(L"ff,80,0"));
}

TEST(DefinitionValues, ImageLocationsWithAndWithoutIndex) {
  ImageLocation plain = ParseImageLocation(L"video.ico");
  EXPECT_EQ(plain.file, L"video.ico");
  EXPECT_FALSE(plain.resourceIndex);

  ImageLocation module = ParseImageLocation(L"skin.dll,3");
  EXPECT_EQ(module.file, L"skin.dll");
  EXPECT_EQ(module.resourceIndex, 3);

  ImageLocation spaced = ParseImageLocation(L"C:\\My Skins\\skin.dll , -12 ");
  EXPECT_EQ(spaced.file, L"C:\\My Skins\\skin.dll");
  EXPECT_EQ(spaced.resourceIndex, -12);

  EXPECT_EQ(ParseImageLocation(L"skin.dll,0").resourceIndex, 0);
  // A comma that is not followed by a number belongs to the file name.
  ImageLocation commaName = ParseImageLocation(L"one,two.ico");
  EXPECT_EQ(commaName.file, L"one,two.ico");
  EXPECT_FALSE(commaName.resourceIndex);
  EXPECT_FALSE(ParseImageLocation(L"skin.dll,").resourceIndex);
  EXPECT_FALSE(ParseImageLocation(L"skin.dll,3x").resourceIndex);
}

TEST(DefinitionValues, RelativePathsJoinTheControlFolder) {
  EXPECT_TRUE(IsFullPath(L"C:\\skins\\a.ini"));
  EXPECT_TRUE(IsFullPath(L"c:/skins/a.ini"));
  EXPECT_TRUE(IsFullPath(L"\\\\server\\share\\a.ini"));
  EXPECT_FALSE(IsFullPath(L"a.ini"));
  EXPECT_FALSE(IsFullPath(L"skins\\a.ini"));
  EXPECT_FALSE(IsFullPath(L"C:a.ini"));  // relative to a drive's current folder
  EXPECT_FALSE(IsFullPath(L""));
  EXPECT_EQ(ResolveAgainst(L"D:\\ctl\\", L"skins\\a.ini"), L"D:\\ctl\\skins\\a.ini");
  EXPECT_EQ(ResolveAgainst(L"D:\\ctl\\", L"E:\\a.ini"), L"E:\\a.ini");
}
