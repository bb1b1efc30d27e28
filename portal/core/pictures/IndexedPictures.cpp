// Pictures the engine holds by number.
#include "core/pictures/IndexedPictures.h"

#include "common/Strings.h"
#include "core/pictures/PictureOutput.h"
#include "engine/Records.h"
#include "engine/interface/EngineCommands.h"

namespace portal {

using namespace engine;

namespace {

IndexedPictureRecord Request(LONG picture, const std::wstring& fileName, const std::wstring& textStamp) {
  IndexedPictureRecord record = {};
  record.size = sizeof(record);
  common::CopyToAnsiField(fileName, record.fileName, sizeof(record.fileName));
  common::CopyToAnsiField(textStamp, record.textStamp, sizeof(record.textStamp));
  record.pictureNumber = picture;
  return record;
}

}  // namespace

bool IndexedPictures::Count(LONG* count) {
  EngineLink* engine = session_.Engine();
  return engine && engine->InquireLong(kCmdIndexedPicture, kIndexedCount, count);
}

bool IndexedPictures::Describe(LONG picture, IndexedPictureRecord* record) {
  EngineLink* engine = session_.Engine();
  return engine && engine->InquireRecordWithInput(kCmdIndexedPicture, kIndexedInfo,
                                                  Request(picture, std::wstring(), std::wstring()), record);
}

bool IndexedPictures::ToFile(LONG picture, const std::wstring& fileName, const std::wstring& textStamp) {
  EngineLink* engine = session_.Engine();
  return engine && engine->ExecuteRecord(kCmdIndexedPicture, kIndexedToFile, Request(picture, fileName, textStamp));
}

bool IndexedPictures::ToMemory(LONG fourCC, LONG bitDepth, LONG picture, LONG_PTR memory, LONG* size,
                               const std::wstring& textStamp) {
  IndexedPictureRecord record;
  if (!PictureOutput::AcceptedFormat(fourCC, bitDepth) || !Describe(picture, &record)) return false;
  const LONGLONG needed = PictureSize(record.width, record.height, bitDepth);
  if (needed > MAXLONG) return false;
  if (memory == 0) {
    *size = static_cast<LONG>(needed);
    return true;
  }
  if (*size < needed) return false;
  const IndexedPictureRecord request = Request(picture, std::wstring(), textStamp);
  // The engine writes the bitmap file image straight into the caller's
  // buffer; the call carries it back.
  return SUCCEEDED(session_.Engine()->Execute(kCmdIndexedPicture, kIndexedToBuffer, &request, sizeof(request),
                                              reinterpret_cast<void*>(memory), *size));
}

bool IndexedPictures::Command(LONG subCode) {
  EngineLink* engine = session_.Engine();
  return engine && engine->ExecuteBare(kCmdIndexedPicture, subCode);
}

}  // namespace portal
