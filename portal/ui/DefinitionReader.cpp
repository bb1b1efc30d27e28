// Profile-file side of the definition reader: opening the OEM definitions
// and the skin, strings, integers, colours and fonts. Images are in
// DefinitionImages.cpp.
#include "ui/DefinitionReader.h"

#include <algorithm>
#include <vector>

#include "common/Module.h"

namespace portal::skin {
namespace {

constexpr wchar_t kSettings[] = L"Settings";
constexpr wchar_t kColor[] = L"Color";
constexpr wchar_t kFont[] = L"Font";
constexpr wchar_t kOemFileName[] = L"OEM.def";
constexpr std::size_t kSkinPathChars = MAX_PATH;  // "DefaultSkin": up to 259 characters
constexpr std::size_t kFaceNameChars = LF_FACESIZE;

}  // namespace

DefinitionReader::DefinitionReader(std::wstring path, std::wstring controlDirectory)
    : path_(std::move(path)), controlDirectory_(std::move(controlDirectory)) {}

DefinitionReader DefinitionReader::OpenOemDefinitions(HMODULE controlModule) {
  const std::wstring directory = common::ModuleDirectory(controlModule);
  return DefinitionReader(directory + kOemFileName, directory);
}

DefinitionReader DefinitionReader::OpenSkin(HMODULE controlModule) {
  const DefinitionReader oem = OpenOemDefinitions(controlModule);
  std::vector<wchar_t> skin(kSkinPathChars, L'\0');
  if (oem.ReadString(kSettings, L"DefaultSkin", skin.data(), skin.size()) != Lookup::Found) {
    return DefinitionReader(std::wstring(), oem.controlDirectory_);
  }
  return DefinitionReader(ResolveAgainst(oem.controlDirectory_, skin.data()), oem.controlDirectory_);
}

std::wstring DefinitionReader::RawString(const wchar_t* section, const std::wstring& key,
                                         std::size_t bufferChars) const {
  // An empty file name would make the profile functions read win.ini.
  if (path_.empty() || key.empty()) return {};
  std::vector<wchar_t> buffer(bufferChars, L'\0');
  const DWORD length = ::GetPrivateProfileStringW(section, key.c_str(), L"", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path_.c_str());
  return std::wstring(buffer.data(), std::min<std::size_t>(length, bufferChars - 1));
}

Lookup DefinitionReader::ReadString(const wchar_t* section, const wchar_t* key, wchar_t* buffer,
                                    std::size_t size, const wchar_t* defaultValue) const {
  const std::size_t rawChars = std::max(size, kValueBufferChars);
  const ResolvedValue value =
      ResolveValue(key ? key : L"", [&](const std::wstring& name) { return RawString(section, name, rawChars); });
  if (buffer && size > 0) {
    const std::wstring& text = value.state == Lookup::Missing ? std::wstring(defaultValue ? defaultValue : L"")
                                                              : value.text;
    const std::size_t count = std::min(text.size(), size - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
  }
  return value.state;
}

Lookup DefinitionReader::ReadString(const wchar_t* section, const wchar_t* key, std::wstring* value,
                                    std::size_t maxChars) const {
  std::vector<wchar_t> buffer(maxChars + 1, L'\0');
  const Lookup state = ReadString(section, key, buffer.data(), buffer.size());
  if (value) *value = buffer.data();
  return state;
}

int DefinitionReader::ReadInteger(const wchar_t* key, int defaultValue) const {
  if (path_.empty() || !key) return defaultValue;
  return static_cast<int>(::GetPrivateProfileIntW(kSettings, key, defaultValue, path_.c_str()));
}

Lookup DefinitionReader::ReadColor(const wchar_t* key, COLORREF defaultColor, COLORREF* color) const {
  std::wstring text;
  Lookup state = ReadString(kColor, key, &text);
  std::optional<COLORREF> parsed;
  if (state == Lookup::Found) {
    parsed = ParseColor(text);
    if (!parsed) state = Lookup::Missing;
  }
  if (color) *color = parsed.value_or(defaultColor);
  return state;
}

// The font keys are read as they stand: no indirection, no "<none>".
void DefinitionReader::ReadFont(const wchar_t* name, LOGFONTW* font) const {
  if (!name || !font || path_.empty()) return;
  const std::wstring base(name);
  const std::wstring face = RawString(kFont, base, kFaceNameChars);
  if (!face.empty()) {
    std::fill(std::begin(font->lfFaceName), std::end(font->lfFaceName), L'\0');
    std::copy_n(face.begin(), std::min(face.size(), kFaceNameChars - 1), font->lfFaceName);
  }
  const auto readInt = [&](const wchar_t* suffix, int current) {
    return static_cast<int>(::GetPrivateProfileIntW(kFont, (base + suffix).c_str(), current, path_.c_str()));
  };
  font->lfWeight = readInt(L".Bold", font->lfWeight == FW_BOLD ? 1 : 0) ? FW_BOLD : FW_NORMAL;
  font->lfUnderline = readInt(L".Underline", font->lfUnderline) ? TRUE : FALSE;
  font->lfHeight = readInt(L".Size", font->lfHeight);
}

}  // namespace portal::skin
