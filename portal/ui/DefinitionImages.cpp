// Image side of the definition reader: bitmaps and icons named in the
// Image section, from a picture file beside the control or from a
// resource of a module that is loaded only for the lookup.
#include <cstdio>

#include "ui/DefinitionReader.h"

namespace portal::skin {
namespace {

constexpr wchar_t kImage[] = L"Image";

void TraceImageSource(const ImageLocation& location) {
  char line[64];
  if (location.resourceIndex) {
    std::snprintf(line, sizeof(line), "Image specified in a DLL (ID = %d)\n\r", *location.resourceIndex);
  } else {
    std::snprintf(line, sizeof(line), "Image specified in a stand-alone file\n\r");
  }
  ::OutputDebugStringA(line);
}

// A module named relative to the control is looked for beside it first,
// then where the system finds modules.
common::UniqueModule LoadImageModule(const std::wstring& controlDirectory, const std::wstring& file) {
  const DWORD flags = LOAD_LIBRARY_AS_DATAFILE;
  const std::wstring besideControl = ResolveAgainst(controlDirectory, file);
  common::UniqueModule module(::LoadLibraryExW(besideControl.c_str(), nullptr, flags));
  if (!module && besideControl != file) module.reset(::LoadLibraryExW(file.c_str(), nullptr, flags));
  return module;
}

}  // namespace

HANDLE DefinitionReader::LoadImageHandle(const wchar_t* key, UINT type, int width, int height) const {
  std::wstring value;
  if (ReadString(kImage, key, &value) != Lookup::Found) return nullptr;
  const ImageLocation location = ParseImageLocation(value);
  TraceImageSource(location);
  const UINT sizeFlag = (type == IMAGE_ICON && width == 0 && height == 0) ? LR_DEFAULTSIZE : 0;
  if (location.resourceIndex) {
    const common::UniqueModule module = LoadImageModule(controlDirectory_, location.file);
    if (!module) return nullptr;
    // Without LR_SHARED the picture is a copy that outlives the module.
    return ::LoadImageW(module.get(), MAKEINTRESOURCEW(*location.resourceIndex), type, width, height, sizeFlag);
  }
  const std::wstring file = ResolveAgainst(controlDirectory_, location.file);
  return ::LoadImageW(nullptr, file.c_str(), type, width, height, sizeFlag | LR_LOADFROMFILE);
}

common::UniqueBitmap DefinitionReader::LoadBitmap(const wchar_t* key) const {
  return common::UniqueBitmap(static_cast<HBITMAP>(LoadImageHandle(key, IMAGE_BITMAP, 0, 0)));
}

common::UniqueIcon DefinitionReader::LoadIcon(const wchar_t* key, int width, int height) const {
  return common::UniqueIcon(static_cast<HICON>(LoadImageHandle(key, IMAGE_ICON, width, height)));
}

}  // namespace portal::skin
