// A page-file-backed mapping the engine fills with one picture; named
// after the system's millisecond time so that the engine can open it.
#pragma once

#include <windows.h>

#include "common/UniqueHandle.h"

namespace portal {

class PictureMapping {
 public:
  explicit PictureMapping(LONG size);
  bool Created() const { return mapping_.valid(); }
  const char* Name() const { return name_; }
  // Copies the first size bytes of the picture to target.
  bool CopyTo(void* target, LONG size) const;

 private:
  char name_[32] = {};
  common::UniqueKernelHandle mapping_;
};

}  // namespace portal
