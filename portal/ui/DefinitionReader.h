// Reader of one definition file (the OEM definitions "OEM.def" beside the
// control, or the skin file they name): a Windows profile file with the
// sections Settings, Image, Color and Font. The reader only remembers the
// file's path; every lookup reads the file anew, and a missing file,
// section or key reads as missing.
#pragma once

#include <windows.h>

#include <string>

#include "common/UniqueHandle.h"
#include "ui/DefinitionValues.h"

namespace portal::skin {

class DefinitionReader {
 public:
  // "OEM.def" in the folder of controlModule (the control's own file).
  static DefinitionReader OpenOemDefinitions(HMODULE controlModule);
  // The file named by the OEM definitions' Settings key "DefaultSkin"; a
  // name that is not a full path is taken relative to the control's folder.
  // Without that key the reader has no file and finds nothing.
  static DefinitionReader OpenSkin(HMODULE controlModule);

  DefinitionReader(std::wstring path, std::wstring controlDirectory);

  const std::wstring& Path() const { return path_; }

  // Value of section/key after indirection into buffer (size characters
  // with the terminator; cut when longer); Lookup::Missing puts
  // defaultValue there.
  Lookup ReadString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, std::size_t size,
                    const wchar_t* defaultValue = L"") const;
  // Same, as a string of at most maxChars characters.
  Lookup ReadString(const wchar_t* section, const wchar_t* key, std::wstring* value,
                    std::size_t maxChars = kValueBufferChars - 1) const;
  // Settings integer as the profile functions read it.
  int ReadInteger(const wchar_t* key, int defaultValue) const;
  // Color key; Lookup::Missing (also for an unreadable colour) gives
  // defaultColor.
  Lookup ReadColor(const wchar_t* key, COLORREF defaultColor, COLORREF* color) const;
  // Font name: face (31 characters), name.Bold, name.Underline and
  // name.Size update font; missing keys keep the current settings.
  void ReadFont(const wchar_t* name, LOGFONTW* font) const;

  // Image key; nothing for a missing key, "<none>" or a failed load.
  common::UniqueBitmap LoadBitmap(const wchar_t* key) const;
  // Image key as an icon of width x height (0, 0: the system's default).
  common::UniqueIcon LoadIcon(const wchar_t* key, int width, int height) const;

 private:
  std::wstring RawString(const wchar_t* section, const std::wstring& key, std::size_t bufferChars) const;
  HANDLE LoadImageHandle(const wchar_t* key, UINT type, int width, int height) const;

  std::wstring path_;
  std::wstring controlDirectory_;
};

}  // namespace portal::skin
