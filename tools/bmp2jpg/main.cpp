// bmp2jpg: encodes a BMP file into a JPEG file with the application's
// settings (quality 90, no chroma subsampling) unless told otherwise, by
// the same conversion the application's save path uses. An existing output
// is replaced. Exit status 0 on success, otherwise 1 with a one-line message.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Arguments.h"
#include "JpegConversion.h"
#include "JpegError.h"
#include "common/ComInit.h"

namespace {

int Fail(const std::wstring& message) {
  std::fwprintf(stderr, L"bmp2jpg: %ls\n", message.c_str());
  return 1;
}

int Run(const Arguments& a) {
  switch (ConvertBitmapToJpeg(a.input, a.output, a.settings)) {
    case ConversionResult::kSaved: return 0;
    case ConversionResult::kUnreadableBitmap: return Fail(L"cannot read bitmap " + a.input);
    case ConversionResult::kSamplingFailed: return Fail(L"cannot sample the picture");
    case ConversionResult::kNotWritten: return Fail(L"cannot replace " + a.output);
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  Arguments parsed;
  std::wstring error;
  if (!ParseArguments(args, parsed, error)) return Fail(error);
  const common::ComInit com(COINIT_APARTMENTTHREADED);
  if (!com.MustUninitialize()) return Fail(L"COM unavailable");
  int status = 1;
  try {
    status = Run(parsed);
  } catch (const jpeg::JpegError& e) {
    const std::string description = e.Description();
    status = Fail(std::to_wstring(e.Number()) + L" " +
                  std::wstring(description.begin(), description.end()));
  }
  return status;
}
