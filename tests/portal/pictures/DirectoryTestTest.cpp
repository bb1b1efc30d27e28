// The directory test on real folders of the Wine prefix: writable,
// missing, read-only target, not enough space; the probe file never stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/pictures/DirectoryTest.h"

namespace {

using portal::DirectoryCode;

// A fresh scratch folder under the temporary folder, removed with its
// files afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "vp_dirtest_" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((path_ + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string file = path_ + found.cFileName;
        ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(file.c_str());
      } while (::FindNextFileA(find, &found));
      ::FindClose(find);
    }
    ::RemoveDirectoryA(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  bool Contains(const std::string& name) const {
    return ::GetFileAttributesA((path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  std::string path_;
};

void WriteFile(const std::string& path, DWORD attributes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  ::WriteFile(file, "x", 1, &written, nullptr);
  ::CloseHandle(file);
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes));
}

TEST(DirectoryTest, WritableFolderPassesAndLeavesNoProbe) {
  ScratchFolder folder;
  const auto result = portal::RunDirectoryTest(folder.Path() + "pic.bmp", 230454, L",");
  EXPECT_EQ(DirectoryCode::kOk, result.code);
  EXPECT_FALSE(folder.Contains(portal::kProbeFileName));
  EXPECT_FALSE(folder.Contains("pic.bmp")) << "the test never creates the target";
  EXPECT_EQ(L"C:", result.drive);
  EXPECT_NE(std::wstring::npos, result.freeSpaceText.find(L',')) << "a prefix's volume has over 999 bytes free";
}

TEST(DirectoryTest, ExistingWritableTargetPasses) {
  ScratchFolder folder;
  WriteFile(folder.Path() + "old.bmp", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(DirectoryCode::kOk, portal::RunDirectoryTest(folder.Path() + "old.bmp", 1, L",").code);
}

TEST(DirectoryTest, MissingFolderIsPathNotFound) {
  ScratchFolder folder;
  const auto result = portal::RunDirectoryTest(folder.Path() + "no\\such\\folder\\pic.bmp", 1, L",");
  EXPECT_EQ(DirectoryCode::kPathNotFound, result.code);
}

TEST(DirectoryTest, ReadOnlyTargetIsRefusedBeforeProbing) {
  ScratchFolder folder;
  WriteFile(folder.Path() + "locked.bmp", FILE_ATTRIBUTE_READONLY);
  const auto result = portal::RunDirectoryTest(folder.Path() + "locked.bmp", 1, L",");
  EXPECT_EQ(DirectoryCode::kReadOnlyTarget, result.code);
  EXPECT_FALSE(folder.Contains(portal::kProbeFileName));
}

TEST(DirectoryTest, MoreThanTheFreeSpaceIsNoSpace) {
  ScratchFolder folder;
  const auto result = portal::RunDirectoryTest(folder.Path() + "big.bmp", ~0ULL, L".");
  EXPECT_EQ(DirectoryCode::kNoSpace, result.code);
  EXPECT_FALSE(result.freeSpaceText.empty());
  EXPECT_EQ(std::wstring::npos, result.freeSpaceText.find(L',')) << "the given separator is used";
  EXPECT_FALSE(folder.Contains(portal::kProbeFileName));
}

TEST(DirectoryTest, ProbeFileOfAnEarlierRunIsReplacedAndRemoved) {
  ScratchFolder folder;
  WriteFile(folder.Path() + portal::kProbeFileName, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(DirectoryCode::kOk, portal::RunDirectoryTest(folder.Path() + "pic.bmp", 1, L",").code);
  EXPECT_FALSE(folder.Contains(portal::kProbeFileName));
}

TEST(DirectoryTest, UnknownDriveIsNotAccessible) {
  // Wine maps only a few drive letters; Q: is not one of them in a test prefix.
  const auto result = portal::RunDirectoryTest("Q:\\pic.bmp", 1, L",");
  EXPECT_EQ(DirectoryCode::kNotAccessible, result.code);
  EXPECT_EQ(L"Q:", result.drive);
}

}  // namespace
