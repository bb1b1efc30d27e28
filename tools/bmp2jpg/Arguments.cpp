// Command-line parsing of bmp2jpg. Values are checked here only for form
// (whole numbers, six factors); the encoder judges their range.
#include "Arguments.h"

#include <cwchar>

namespace {

bool ParseWhole(const std::wstring& text, LONG& value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  const long parsed = std::wcstol(text.c_str(), &end, 10);
  if (*end != L'\0') return false;
  value = parsed;
  return true;
}

bool ParseSampling(const std::wstring& text, LONG (&factors)[6]) {
  size_t start = 0;
  for (int i = 0; i < 6; ++i) {
    const size_t comma = text.find(L',', start);
    const bool last = i == 5;
    if (last != (comma == std::wstring::npos)) return false;
    if (!ParseWhole(text.substr(start, last ? std::wstring::npos : comma - start), factors[i])) {
      return false;
    }
    start = comma + 1;
  }
  return true;
}

}  // namespace

bool ParseArguments(const std::vector<std::wstring>& args, Arguments& parsed, std::wstring& error) {
  std::vector<std::wstring> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    const bool isOption = a == L"--quality" || a == L"--sampling" || a == L"--comment";
    if (!isOption) {
      if (a.rfind(L"--", 0) == 0) return error = L"unknown option " + a, false;
      positional.push_back(a);
      continue;
    }
    if (i + 1 >= args.size()) return error = L"missing value after " + a, false;
    const std::wstring& value = args[++i];
    if (a == L"--quality" && !ParseWhole(value, parsed.settings.quality)) {
      return error = L"--quality needs a whole number", false;
    }
    if (a == L"--sampling" && !ParseSampling(value, parsed.settings.sampling)) {
      return error = L"--sampling needs six whole numbers H1,V1,H2,V2,H3,V3", false;
    }
    if (a == L"--comment") parsed.settings.comment = value;
  }
  if (positional.size() != 2) return error = L"usage: bmp2jpg IN.bmp OUT.jpg [--quality Q] "
                                             L"[--sampling H1,V1,H2,V2,H3,V3] [--comment TEXT]",
                                      false;
  parsed.input = positional[0];
  parsed.output = positional[1];
  return true;
}
