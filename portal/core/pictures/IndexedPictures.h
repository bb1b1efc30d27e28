// Pictures the engine holds by number (the early-bound members of the
// control): count, description, to a file, into the caller's memory, and
// the two bare commands that take and drop them.
#pragma once

#include <windows.h>

#include <string>

#include "core/session/CameraSession.h"
#include "engine/interface/EngineRecords.h"

namespace portal {

class IndexedPictures {
 public:
  explicit IndexedPictures(CameraSession& session) : session_(session) {}

  bool Count(LONG* count);
  // Inquiry 22/6: the picture's size and the other values it carries.
  bool Describe(LONG picture, engine::IndexedPictureRecord* record);
  bool ToFile(LONG picture, const std::wstring& fileName, const std::wstring& textStamp);
  // As PictureOutput::ToMemory, at the held picture's size.
  bool ToMemory(LONG fourCC, LONG bitDepth, LONG picture, LONG_PTR memory, LONG* size, const std::wstring& textStamp);
  // kIndexedTake or kIndexedClear.
  bool Command(LONG subCode);

 private:
  CameraSession& session_;
};

}  // namespace portal
