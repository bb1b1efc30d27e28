// The folder list on a scratch folder: what it shows (the path from the
// drive's root down, then the subfolders without hidden ones), the errors
// of a missing folder (76) and a missing drive (68) and their messages, a
// drive alone opening its current folder.
#include <gtest/gtest.h>

#include <windows.h>

#include "FlowTestSupport.h"
#include "FolderList.h"
#include "StoreLocation.h"
#include "common/Strings.h"

using namespace torvane;

namespace {

long ErrorOf(const std::wstring& path) {
  return flow_tests::ErrorNumberOf([&] { FolderList::ResolveFolder(path); });
}

std::wstring MissingDrive() {
  const DWORD drives = ::GetLogicalDrives();
  for (int i = 25; i >= 0; --i) {
    if (!(drives & (1u << i))) return std::wstring(1, static_cast<wchar_t>(L'a' + i)) + L":";
  }
  return std::wstring();
}

TEST(FolderList, ShowsThePathDownAndTheSubfolders) {
  flow_tests::ScratchFolder scratch;
  for (const wchar_t* name : {L"Zeta", L"alpha", L"Beta", L"hidden"}) ::CreateDirectoryW(scratch.File(name).c_str(), nullptr);
  ::SetFileAttributesW(scratch.File(L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  flow_tests::WriteFileBytes(scratch.File(L"a file.bmp"), "not a folder");

  const std::wstring folder = FolderList::ResolveFolder(scratch.Path() + L"\\");
  EXPECT_EQ(common::ToLower(scratch.Path()), common::ToLower(folder)) << "no trailing separator";
  const std::vector<FolderEntry> entries = FolderList::EntriesFor(folder);
  ASSERT_GE(entries.size(), 4u);
  EXPECT_EQ(std::wstring(1, static_cast<wchar_t>(std::towlower(folder[0]))) + L":\\", entries[0].text);
  EXPECT_EQ(0, entries[0].depth);
  size_t current = 0;
  while (current + 1 < entries.size() && entries[current + 1].open) ++current;
  EXPECT_EQ(common::ToLower(folder), common::ToLower(entries[current].path));
  EXPECT_EQ(static_cast<int>(current), entries[current].depth);
  std::vector<std::wstring> children;
  for (size_t i = current + 1; i < entries.size(); ++i) {
    EXPECT_FALSE(entries[i].open);
    EXPECT_EQ(static_cast<int>(current) + 1, entries[i].depth);
    EXPECT_EQ(common::ToLower(folder + L"\\" + entries[i].text), common::ToLower(entries[i].path));
    children.push_back(entries[i].text);
  }
  EXPECT_EQ((std::vector<std::wstring>{L"alpha", L"Beta", L"Zeta"}), children);
  for (const wchar_t* name : {L"Zeta", L"alpha", L"Beta", L"hidden"}) {
    ::SetFileAttributesW(scratch.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(scratch.File(name).c_str());
  }
}

TEST(FolderList, MissingFoldersAndDrives) {
  flow_tests::ScratchFolder scratch;
  EXPECT_EQ(76, ErrorOf(scratch.File(L"not there")));
  flow_tests::WriteFileBytes(scratch.File(L"file"), "x");
  EXPECT_EQ(76, ErrorOf(scratch.File(L"file")));
  const std::wstring missing = MissingDrive();
  ASSERT_FALSE(missing.empty());
  EXPECT_EQ(68, ErrorOf(missing));
  EXPECT_EQ(68, ErrorOf(missing + L"\\folder"));
  // A drive alone is its current folder.
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(common::ToLower(current), common::ToLower(FolderList::ResolveFolder(std::wstring(current, 2))));

  EXPECT_EQ(L"Please insert a floppy disc in drive a:", StoreLocation::DriveUnavailableMessage(L"a:"));
  EXPECT_EQ(L"Sorry - drive q: is not available for this purpose!", StoreLocation::DriveUnavailableMessage(L"q:"));
}

}  // namespace
