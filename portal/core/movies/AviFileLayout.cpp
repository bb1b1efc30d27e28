// Reading RIFF part headers and the main AVI header in place.
#include "core/movies/AviFileLayout.h"

#include <mmsystem.h>

#include <cstddef>

#include "common/UniqueHandle.h"

namespace portal {
namespace {

constexpr DWORD kRiff = mmioFOURCC('R', 'I', 'F', 'F');
constexpr DWORD kAvi = mmioFOURCC('A', 'V', 'I', ' ');
constexpr DWORD kAviExtension = mmioFOURCC('A', 'V', 'I', 'X');
constexpr DWORD kList = mmioFOURCC('L', 'I', 'S', 'T');
constexpr DWORD kHeaderList = mmioFOURCC('h', 'd', 'r', 'l');
constexpr DWORD kMainHeader = mmioFOURCC('a', 'v', 'i', 'h');
// More parts than any writer makes: a damaged size cannot loop forever.
constexpr int kMostParts = 4096;

// RIFF chunk header with its form type.
struct FormHeader {
  DWORD id;
  DWORD size;
  DWORD form;
};

// The start of every AVI file: RIFF 'AVI ', LIST 'hdrl', then avih with
// the frame period as its first value.
struct MainHeaderStart {
  FormHeader riff;
  FormHeader headerList;
  DWORD mainHeaderId;
  DWORD mainHeaderSize;
  DWORD microsecondsPerFrame;
};

bool ReadAt(HANDLE file, ULONGLONG offset, void* data, DWORD size) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  DWORD read = 0;
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ::ReadFile(file, data, size, &read, nullptr) &&
         read == size;
}

}  // namespace

int CountRiffParts(const std::wstring& path) {
  const common::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  FormHeader part = {};
  if (!ReadAt(file.get(), 0, &part, sizeof(part)) || part.id != kRiff || part.form != kAvi) return 0;
  int parts = 1;
  ULONGLONG offset = 8ULL + part.size + (part.size & 1);
  while (parts < kMostParts && ReadAt(file.get(), offset, &part, sizeof(part)) && part.id == kRiff &&
         part.form == kAviExtension) {
    ++parts;
    offset += 8ULL + part.size + (part.size & 1);
  }
  return parts;
}

DWORD MicrosecondsPerFrame(DWORD rate, DWORD scale) {
  if (rate == 0) return 0;
  return static_cast<DWORD>((1000000ULL * scale + rate / 2) / rate);
}

bool SetMainHeaderFramePeriod(const std::wstring& path, DWORD microsecondsPerFrame) {
  const common::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  MainHeaderStart start = {};
  if (!ReadAt(file.get(), 0, &start, sizeof(start)) || start.riff.id != kRiff || start.riff.form != kAvi ||
      start.headerList.id != kList || start.headerList.form != kHeaderList || start.mainHeaderId != kMainHeader ||
      start.mainHeaderSize < sizeof(DWORD)) {
    return false;
  }
  if (start.microsecondsPerFrame == microsecondsPerFrame) return true;
  LARGE_INTEGER position;
  position.QuadPart = offsetof(MainHeaderStart, microsecondsPerFrame);
  DWORD written = 0;
  return ::SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) &&
         ::WriteFile(file.get(), &microsecondsPerFrame, sizeof(microsecondsPerFrame), &written, nullptr) &&
         written == sizeof(microsecondsPerFrame);
}

}  // namespace portal
