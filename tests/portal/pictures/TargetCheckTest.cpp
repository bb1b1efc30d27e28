// The target check's pure parts: path splitting, the free-space figure,
// which message explains which state or directory code, and the texts of
// those messages in the real resource module.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/UniqueHandle.h"
#include "core/pictures/TargetCheck.h"
#include "resources/LTovra2/LTovra2Ids.h"

namespace {

using portal::DirectoryCode;
using portal::DirectoryTestResult;
using portal::TargetKind;
using portal::TargetMessage;

TEST(FreeSpaceText, SeparatesThousandsFromTheRight) {
  EXPECT_EQ(L"0", portal::FreeSpaceText(0, L","));
  EXPECT_EQ(L"999", portal::FreeSpaceText(999, L","));
  EXPECT_EQ(L"1,000", portal::FreeSpaceText(1000, L","));
  EXPECT_EQ(L"1,234,567", portal::FreeSpaceText(1234567, L","));
  EXPECT_EQ(L"1,099,511,627,776", portal::FreeSpaceText(1ULL << 40, L","));
  EXPECT_EQ(L"18,446,744,073,709,551,615", portal::FreeSpaceText(~0ULL, L","));
  // The separator is whatever the resource module says, of any length.
  EXPECT_EQ(L"12 345", portal::FreeSpaceText(12345, L" "));
  EXPECT_EQ(L"1--000--000", portal::FreeSpaceText(1000000, L"--"));
  EXPECT_EQ(L"1000000", portal::FreeSpaceText(1000000, L""));
}

TEST(SplitPath, TakesDriveFolderNameAndExtensionApart) {
  const portal::PathParts full = portal::SplitPath("c:\\Pictures\\Holiday\\beach.bmp");
  EXPECT_EQ("C:", full.drive);
  EXPECT_EQ("\\Pictures\\Holiday\\", full.folder);
  EXPECT_EQ("beach", full.name);
  EXPECT_EQ(".BMP", full.extension);
  EXPECT_EQ("C:\\Pictures\\Holiday\\", full.Directory());

  const portal::PathParts root = portal::SplitPath("d:\\pic.tmp");
  EXPECT_EQ("D:", root.drive);
  EXPECT_EQ("\\", root.folder);
  EXPECT_EQ("D:\\", root.Directory());

  // The last dot starts the extension; forward slashes separate too.
  const portal::PathParts dots = portal::SplitPath("e:/a.b/my.photo.Jpg");
  EXPECT_EQ("/a.b/", dots.folder);
  EXPECT_EQ("my.photo", dots.name);
  EXPECT_EQ(".JPG", dots.extension);

  const portal::PathParts bare = portal::SplitPath("snap");
  EXPECT_EQ("", bare.drive);
  EXPECT_EQ("", bare.extension);
  EXPECT_EQ("snap", bare.name);
  EXPECT_EQ(".\\", bare.Directory()) << "a bare name lives in the current folder";
  EXPECT_EQ("C:.\\", portal::SplitPath("c:snap.bmp").Directory());

  const portal::PathParts unc = portal::SplitPath("\\\\server\\share\\x.bmp");
  EXPECT_EQ("", unc.drive);
  EXPECT_EQ("\\\\server\\share\\", unc.Directory());

  const portal::PathParts folderOnly = portal::SplitPath("c:\\dir\\");
  EXPECT_EQ("", folderOnly.name);
  EXPECT_EQ("C:\\dir\\", folderOnly.Directory());
}

TEST(DirectoryCodes, FollowTheFailingCall) {
  EXPECT_EQ(DirectoryCode::kNotAccessible, portal::CodeForFolderError(ERROR_ACCESS_DENIED));
  EXPECT_EQ(DirectoryCode::kNotAccessible, portal::CodeForFolderError(ERROR_INVALID_DRIVE));
  EXPECT_EQ(DirectoryCode::kNotAccessible, portal::CodeForFolderError(ERROR_NOT_READY));
  EXPECT_EQ(DirectoryCode::kWriteProtected, portal::CodeForFolderError(ERROR_WRITE_PROTECT));
  EXPECT_EQ(DirectoryCode::kPathNotFound, portal::CodeForFolderError(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(DirectoryCode::kPathNotFound, portal::CodeForFolderError(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(DirectoryCode::kOtherError, portal::CodeForFolderError(ERROR_INVALID_NAME));

  EXPECT_EQ(DirectoryCode::kPathNotFound, portal::CodeForProbeError(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(DirectoryCode::kNotAccessible, portal::CodeForProbeError(ERROR_ACCESS_DENIED));
  EXPECT_EQ(DirectoryCode::kWriteProtected, portal::CodeForProbeError(ERROR_WRITE_PROTECT));
  EXPECT_EQ(DirectoryCode::kOtherError, portal::CodeForProbeError(ERROR_NOT_READY));
  EXPECT_EQ(DirectoryCode::kOtherError, portal::CodeForProbeError(ERROR_SHARING_VIOLATION));
}

// --- message selection ---------------------------------------------------------

struct StateCase {
  LONG state;
  bool named;
  UINT movie;
  UINT picture;
  size_t arguments;
};

TEST(TargetMessages, CameraStatesComeFirst) {
  const StateCase cases[] = {
      {1, true, IDS_MOVIE_CAMERA_GONE_NAMED, IDS_PICTURE_CAMERA_GONE_NAMED, 2},
      {1, false, IDS_MOVIE_CAMERA_GONE, IDS_PICTURE_CAMERA_GONE, 1},
      {2, true, IDS_MOVIE_CAMERA_IN_USE_NAMED, IDS_PICTURE_CAMERA_IN_USE_NAMED, 2},
      {2, false, IDS_MOVIE_CAMERA_IN_USE, IDS_PICTURE_CAMERA_IN_USE, 1},
      {3, true, IDS_MOVIE_CAMERA_NOT_READY, IDS_PICTURE_CAMERA_NOT_READY, 1},
      {3, false, IDS_MOVIE_CAMERA_NOT_READY, IDS_PICTURE_CAMERA_NOT_READY, 1},
      {4, true, IDS_MOVIE_CAMERA_UNAVAILABLE, IDS_PICTURE_CAMERA_UNAVAILABLE, 2},
      {4, false, IDS_MOVIE_CAMERA_UNAVAILABLE, IDS_PICTURE_CAMERA_UNAVAILABLE, 2},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << (c.named ? " named" : " unnamed"));
    const std::wstring name = c.named ? L"Cam One" : L"";
    const auto movie = portal::MessageForCameraState(TargetKind::kMovie, c.state, L"x:\\m.avi", name);
    const auto picture = portal::MessageForCameraState(TargetKind::kPicture, c.state, L"x:\\p.bmp", name);
    ASSERT_TRUE(movie && picture);
    EXPECT_EQ(c.movie, movie->stringId);
    EXPECT_EQ(c.picture, picture->stringId);
    ASSERT_EQ(c.arguments, picture->arguments.size());
    EXPECT_EQ(L"x:\\p.bmp", picture->arguments[0]);
    if (c.arguments == 2) {
      EXPECT_EQ(name, picture->arguments[1]);
    }
  }
  for (LONG state : {0, 5, 6, 10, -1}) {
    EXPECT_FALSE(portal::MessageForCameraState(TargetKind::kPicture, state, L"p", L"Cam")) << state;
  }
}

TEST(TargetMessages, UnusableTargetWithoutDiskTest) {
  EXPECT_EQ(static_cast<UINT>(IDS_MOVIE_NOT_NOW), portal::MessageForUnusableTarget(TargetKind::kMovie, L"m").stringId);
  const TargetMessage picture = portal::MessageForUnusableTarget(TargetKind::kPicture, L"p");
  EXPECT_EQ(static_cast<UINT>(IDS_PICTURE_NOT_NOW), picture.stringId);
  EXPECT_EQ(std::vector<std::wstring>{L"p"}, picture.arguments);
}

struct CodeCase {
  DirectoryCode code;
  UINT movie;
  UINT picture;
  std::vector<std::wstring> arguments;
};

TEST(TargetMessages, EachDirectoryCodeHasItsMessage) {
  const std::wstring path = L"Q:\\pics\\a.bmp";
  const CodeCase cases[] = {
      {DirectoryCode::kWriteProtected, IDS_MOVIE_WRITE_PROTECTED, IDS_PICTURE_WRITE_PROTECTED, {path, L"Q:"}},
      {DirectoryCode::kNotAccessible, IDS_MOVIE_NOT_ACCESSIBLE, IDS_PICTURE_NOT_ACCESSIBLE, {path, L"Q:"}},
      {DirectoryCode::kOtherError, IDS_MOVIE_FOLDER_ERROR, IDS_PICTURE_FOLDER_ERROR, {path}},
      {DirectoryCode::kNoSpace, IDS_MOVIE_NO_SPACE, IDS_PICTURE_NO_SPACE, {path, L"1,024", L"Q:"}},
      {DirectoryCode::kPathNotFound, IDS_MOVIE_PATH_NOT_FOUND, IDS_PICTURE_PATH_NOT_FOUND, {path}},
      {DirectoryCode::kReadOnlyTarget, IDS_MOVIE_READ_ONLY_TARGET, IDS_PICTURE_READ_ONLY_TARGET, {path}},
  };
  for (const CodeCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    const DirectoryTestResult test{c.code, L"Q:", L"1,024"};
    for (bool explain : {false, true}) {
      const auto movie = portal::MessageForDirectoryTest(TargetKind::kMovie, test, path, explain);
      const auto picture = portal::MessageForDirectoryTest(TargetKind::kPicture, test, path, explain);
      ASSERT_TRUE(movie && picture);
      EXPECT_EQ(c.movie, movie->stringId);
      EXPECT_EQ(c.picture, picture->stringId);
      EXPECT_EQ(c.arguments, picture->arguments);
    }
  }
  const DirectoryTestResult ok{DirectoryCode::kOk, L"Q:", L"5"};
  EXPECT_FALSE(portal::MessageForDirectoryTest(TargetKind::kPicture, ok, path, false));
  const auto explained = portal::MessageForDirectoryTest(TargetKind::kMovie, ok, path, true);
  ASSERT_TRUE(explained);
  EXPECT_EQ(static_cast<UINT>(IDS_MOVIE_FAILED), explained->stringId);
  EXPECT_EQ(static_cast<UINT>(IDS_PICTURE_FAILED),
            portal::MessageForDirectoryTest(TargetKind::kPicture, ok, path, true)->stringId);
}

TEST(TargetMessages, StateOutranksDiskTestAndDiskTestFlagOutranksTheDisk) {
  portal::TargetCheckRequest request;
  request.kind = TargetKind::kPicture;
  request.path = "Z:\\no\\such\\drive\\x.bmp";
  request.cameraState = 2;
  request.cameraName = L"Cam";
  EXPECT_EQ(static_cast<UINT>(IDS_PICTURE_CAMERA_IN_USE_NAMED), portal::CheckTarget(request, L",")->stringId);
  request.cameraState = 0;
  request.diskTest = false;
  EXPECT_EQ(static_cast<UINT>(IDS_PICTURE_NOT_NOW), portal::CheckTarget(request, L",")->stringId);
}

TEST(FormatTargetMessage, FillsInsertsAndSurvivesMissingOnes) {
  EXPECT_EQ(L"a C:\\x%y.bmp b Cam c", portal::FormatTargetMessage(L"a %1 b %2 c", {L"C:\\x%y.bmp", L"Cam"}));
  EXPECT_EQ(L"only  here", portal::FormatTargetMessage(L"only %2 here", {L"path"}));
  EXPECT_EQ(L"100% sure", portal::FormatTargetMessage(L"100%% sure", {}));
}

// --- the texts in LTovra2.dll ---------------------------------------------------------

std::wstring LoadText(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

TEST(TargetMessageTexts, EveryMessageNamesItsArgumentsAndNoMore) {
  common::UniqueModule module(::LoadLibraryExW(L"LTovra2.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(module) << "LTovra2.dll beside the test";
  EXPECT_EQ(L",", LoadText(module.get(), IDS_THOUSANDS_SEPARATOR));
  EXPECT_FALSE(LoadText(module.get(), IDS_PRODUCT_NAME).empty());

  // Every message the check can choose, with distinct argument texts.
  std::vector<TargetMessage> messages;
  for (TargetKind kind : {TargetKind::kMovie, TargetKind::kPicture}) {
    for (LONG state = 1; state <= 4; ++state) {
      messages.push_back(*portal::MessageForCameraState(kind, state, L"<path>", L"<camera>"));
      messages.push_back(*portal::MessageForCameraState(kind, state, L"<path>", L""));
    }
    messages.push_back(portal::MessageForUnusableTarget(kind, L"<path>"));
    for (int code = 0; code <= 6; ++code) {
      const DirectoryTestResult test{static_cast<DirectoryCode>(code), L"<drive>", L"<free>"};
      messages.push_back(*portal::MessageForDirectoryTest(kind, test, L"<path>", true));
    }
  }
  std::set<UINT> ids;
  for (const TargetMessage& message : messages) {
    SCOPED_TRACE(message.stringId);
    ids.insert(message.stringId);
    const std::wstring pattern = LoadText(module.get(), message.stringId);
    ASSERT_FALSE(pattern.empty());
    for (size_t i = 1; i <= 9; ++i) {
      const bool used = pattern.find(L"%" + std::to_wstring(i)) != std::wstring::npos;
      const bool given = i <= message.arguments.size();
      EXPECT_EQ(given, used) << "insert %" << i << " in: " << testing::PrintToString(pattern);
    }
    const std::wstring text = portal::FormatTargetMessage(pattern, message.arguments);
    EXPECT_NE(std::wstring::npos, text.find(L"<path>"));
    EXPECT_EQ(std::wstring::npos, text.find(L'%'));
  }
  EXPECT_EQ(28u, ids.size()) << "one message per case and kind";
  // Movie and picture texts say which one they are about.
  for (UINT id : {IDS_MOVIE_NO_SPACE, IDS_MOVIE_CAMERA_GONE, IDS_MOVIE_READ_ONLY_TARGET}) {
    EXPECT_NE(std::wstring::npos, LoadText(module.get(), id).find(L"movie")) << id;
  }
  for (UINT id : {IDS_PICTURE_NO_SPACE, IDS_PICTURE_CAMERA_GONE, IDS_PICTURE_READ_ONLY_TARGET}) {
    EXPECT_NE(std::wstring::npos, LoadText(module.get(), id).find(L"picture")) << id;
  }
}

}  // namespace
