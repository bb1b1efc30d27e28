// Choosing the explanation for a target that cannot be written.
#include "core/pictures/TargetCheck.h"

#include "common/Strings.h"
#include "common/UniqueHandle.h"
#include "resources/LTovra2/LTovra2Ids.h"

namespace portal {
namespace {

// One message id per kind.
struct KindIds {
  UINT movie;
  UINT picture;
  UINT For(TargetKind kind) const { return kind == TargetKind::kMovie ? movie : picture; }
};

constexpr LONG kStateGone = 1;
constexpr LONG kStateInUse = 2;
constexpr LONG kStateNotReady = 3;
constexpr LONG kStateUnavailable = 4;

}  // namespace

std::optional<TargetMessage> MessageForCameraState(TargetKind kind, LONG state, const std::wstring& path,
                                                   const std::wstring& cameraName) {
  const bool named = !cameraName.empty();
  switch (state) {
    case kStateGone:
      if (named) return TargetMessage{KindIds{IDS_MOVIE_CAMERA_GONE_NAMED, IDS_PICTURE_CAMERA_GONE_NAMED}.For(kind),
                                      {path, cameraName}};
      return TargetMessage{KindIds{IDS_MOVIE_CAMERA_GONE, IDS_PICTURE_CAMERA_GONE}.For(kind), {path}};
    case kStateInUse:
      if (named) return TargetMessage{KindIds{IDS_MOVIE_CAMERA_IN_USE_NAMED, IDS_PICTURE_CAMERA_IN_USE_NAMED}.For(kind),
                                      {path, cameraName}};
      return TargetMessage{KindIds{IDS_MOVIE_CAMERA_IN_USE, IDS_PICTURE_CAMERA_IN_USE}.For(kind), {path}};
    case kStateNotReady:
      return TargetMessage{KindIds{IDS_MOVIE_CAMERA_NOT_READY, IDS_PICTURE_CAMERA_NOT_READY}.For(kind), {path}};
    case kStateUnavailable:
      return TargetMessage{KindIds{IDS_MOVIE_CAMERA_UNAVAILABLE, IDS_PICTURE_CAMERA_UNAVAILABLE}.For(kind),
                           {path, cameraName}};
    default:
      return std::nullopt;
  }
}

TargetMessage MessageForUnusableTarget(TargetKind kind, const std::wstring& path) {
  return TargetMessage{KindIds{IDS_MOVIE_NOT_NOW, IDS_PICTURE_NOT_NOW}.For(kind), {path}};
}

std::optional<TargetMessage> MessageForDirectoryTest(TargetKind kind, const DirectoryTestResult& test,
                                                     const std::wstring& path, bool explainAlways) {
  switch (test.code) {
    case DirectoryCode::kWriteProtected:
      return TargetMessage{KindIds{IDS_MOVIE_WRITE_PROTECTED, IDS_PICTURE_WRITE_PROTECTED}.For(kind),
                           {path, test.drive}};
    case DirectoryCode::kNotAccessible:
      return TargetMessage{KindIds{IDS_MOVIE_NOT_ACCESSIBLE, IDS_PICTURE_NOT_ACCESSIBLE}.For(kind),
                           {path, test.drive}};
    case DirectoryCode::kOtherError:
      return TargetMessage{KindIds{IDS_MOVIE_FOLDER_ERROR, IDS_PICTURE_FOLDER_ERROR}.For(kind), {path}};
    case DirectoryCode::kNoSpace:
      return TargetMessage{KindIds{IDS_MOVIE_NO_SPACE, IDS_PICTURE_NO_SPACE}.For(kind),
                           {path, test.freeSpaceText, test.drive}};
    case DirectoryCode::kPathNotFound:
      return TargetMessage{KindIds{IDS_MOVIE_PATH_NOT_FOUND, IDS_PICTURE_PATH_NOT_FOUND}.For(kind), {path}};
    case DirectoryCode::kReadOnlyTarget:
      return TargetMessage{KindIds{IDS_MOVIE_READ_ONLY_TARGET, IDS_PICTURE_READ_ONLY_TARGET}.For(kind), {path}};
    case DirectoryCode::kOk:
      break;
  }
  if (!explainAlways) return std::nullopt;
  return TargetMessage{KindIds{IDS_MOVIE_FAILED, IDS_PICTURE_FAILED}.For(kind), {path}};
}

std::optional<TargetMessage> CheckTarget(const TargetCheckRequest& request, std::wstring_view separator) {
  const std::wstring path = common::AnsiToWide(request.path);
  if (auto message = MessageForCameraState(request.kind, request.cameraState, path, request.cameraName)) {
    return message;
  }
  if (!request.diskTest) return MessageForUnusableTarget(request.kind, path);
  const DirectoryTestResult test = RunDirectoryTest(request.path, request.bytesNeeded, separator);
  return MessageForDirectoryTest(request.kind, test, path, request.explainAlways);
}

std::wstring FormatTargetMessage(const std::wstring& pattern, const std::vector<std::wstring>& arguments) {
  std::vector<DWORD_PTR> inserts;
  for (const std::wstring& argument : arguments) inserts.push_back(reinterpret_cast<DWORD_PTR>(argument.c_str()));
  // Unused insert numbers must still point at text.
  static const wchar_t kEmpty[] = L"";
  while (inserts.size() < 9) inserts.push_back(reinterpret_cast<DWORD_PTR>(kEmpty));
  common::UniqueLocalText buffer;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY, pattern.c_str(), 0,
      0, reinterpret_cast<wchar_t*>(buffer.put()), 0, reinterpret_cast<va_list*>(inserts.data()));
  if (length == 0 || !buffer) return pattern;
  return std::wstring(buffer.get(), length);
}

}  // namespace portal
