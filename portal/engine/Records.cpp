// Engine record builders.
#include "engine/Records.h"

#include <cstring>

#include "common/Strings.h"

namespace portal {
namespace {

template <typename Record>
Record Sized() {
  Record record;
  std::memset(&record, 0, sizeof(record));
  record.size = sizeof(Record);
  return record;
}

}  // namespace

std::wstring CompleteSettingsKey(std::wstring_view key) {
  static const wchar_t* const kRoots[] = {L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS",
                                          L"HKEY_CLASSES_ROOT"};
  bool rooted = false;
  for (const wchar_t* root : kRoots) rooted = rooted || key.find(root) != std::wstring_view::npos;
  std::wstring result = rooted ? std::wstring(key) : L"HKEY_CURRENT_USER\\" + std::wstring(key);
  return result + L"\\VideoPortal2";
}

LONGLONG PictureSize(LONG width, LONG height, LONG bitDepth) {
  const LONGLONG rowBytes = ((static_cast<LONGLONG>(bitDepth) * width + 31) & ~31LL) / 8;
  return rowBytes * height + 54;
}

engine::PrepareRecord MakePrepareRecord(std::wstring_view uniqueName, std::wstring_view settingsKey) {
  auto record = Sized<engine::PrepareRecord>();
  common::CopyToAnsiField(uniqueName, record.uniqueName, sizeof(record.uniqueName));
  common::CopyToAnsiField(settingsKey, record.registryKey, sizeof(record.registryKey));
  return record;
}

engine::SettingsRecord MakeSettingsRecord(std::wstring_view key) {
  auto record = Sized<engine::SettingsRecord>();
  common::CopyToAnsiField(key, record.key, sizeof(record.key));
  record.value = 1;
  return record;
}

engine::PreviewRecord MakePreviewRecord(HWND window, LONG width, LONG height) {
  auto record = Sized<engine::PreviewRecord>();
  record.window = static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(window));
  record.width = width;
  record.height = height;
  record.on = 1;
  return record;
}

engine::VideoFormatRecord MakeVideoFormatRecord(LONG width, LONG height, LONG bitDepth, LONG fourCC) {
  auto record = Sized<engine::VideoFormatRecord>();
  BITMAPINFOHEADER& header = record.header;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitDepth);
  header.biCompression = static_cast<DWORD>(fourCC);
  header.biSizeImage = static_cast<DWORD>(height * (((width * bitDepth + 31) & ~31) / 8));
  return record;
}

engine::StillFormatRecord MakeStillFormatRecord(LONG width, LONG height) {
  auto record = Sized<engine::StillFormatRecord>();
  record.width = width;
  record.height = height;
  record.bitDepth = 24;
  return record;
}

engine::TextStampStyleRecord MakeTextStampRecord(const TextStampStyle& style) {
  auto record = Sized<engine::TextStampStyleRecord>();
  record.textColor = static_cast<std::uint32_t>(style.color);
  common::CopyToAnsiField(style.fontName, record.faceName, sizeof(record.faceName));
  record.fontSize = style.fontSize;
  record.style1 = style.value1;
  record.color2 = static_cast<std::uint32_t>(style.color2);
  record.style2 = style.value2;
  record.color3 = static_cast<std::uint32_t>(style.color3);
  return record;
}

engine::PictureSoundRecord MakePictureSoundRecord(std::wstring_view soundFile) {
  auto record = Sized<engine::PictureSoundRecord>();
  common::CopyToAnsiField(soundFile, record.soundFile, sizeof(record.soundFile));
  return record;
}

engine::PictureRequestRecord MakePictureRequest(std::wstring_view target, std::wstring_view textStamp,
                                                DWORD mappingSize) {
  auto record = Sized<engine::PictureRequestRecord>();
  common::CopyToAnsiField(target, record.target, sizeof(record.target));
  common::CopyToAnsiField(textStamp, record.textStamp, sizeof(record.textStamp));
  record.mappingSize = mappingSize;
  return record;
}

LONG MovieFramePeriodMs(LONG framesPerSecond) { return framesPerSecond == 0 ? 0 : 1000 / framesPerSecond; }

engine::MovieRequestRecord MakeMovieRequest(std::wstring_view captureFile, std::wstring_view textStamp,
                                            const MovieRequestValues& values) {
  auto record = Sized<engine::MovieRequestRecord>();
  common::CopyToAnsiField(captureFile, record.captureFile, sizeof(record.captureFile));
  record.framePeriodMs = values.framePeriodMs;
  record.recordMode = values.recordMode;
  record.compression = values.compression ? 1 : 0;
  record.recordAudio = values.recordAudio;
  common::CopyToAnsiField(textStamp, record.textStamp, sizeof(record.textStamp));
  record.createFlags = values.createFlags;
  return record;
}

engine::VideoCompressionRecord MakeVideoCompressionRecord(LONG fourCC, LONG quality, LONG keyFrameInterval) {
  auto record = Sized<engine::VideoCompressionRecord>();
  record.fourCC = static_cast<std::uint32_t>(fourCC);
  record.quality = quality;
  record.keyFrameInterval = keyFrameInterval;
  return record;
}

engine::AudioFormatRecord MakeAudioFormatRecord(LONG channels, LONG samplesPerSecond, LONG bitsPerSample,
                                                LONG fourCC, LONG quality) {
  auto record = Sized<engine::AudioFormatRecord>();
  record.channels = channels;
  record.samplesPerSecond = samplesPerSecond;
  record.bitsPerSample = bitsPerSample;
  record.fourCC = static_cast<std::uint32_t>(fourCC);
  record.quality = quality;
  return record;
}

bool SameCamera(const engine::CameraRecord& a, const engine::CameraRecord& b) {
  return a.vendorId == b.vendorId && a.productId == b.productId && a.type == b.type && a.serial == b.serial;
}

}  // namespace portal
