// The mapping one memory picture travels in.
#include "core/pictures/PictureMapping.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "engine/interface/EngineMessages.h"

namespace portal {

PictureMapping::PictureMapping(LONG size) {
  std::snprintf(name_, sizeof(name_), engine::kPictureMappingFormat, static_cast<long>(::timeGetTime()));
  mapping_.reset(
      ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), name_));
}

bool PictureMapping::CopyTo(void* target, LONG size) const {
  common::UniqueMappedView view(::MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return false;
  std::memcpy(target, view.get(), static_cast<std::size_t>(size));
  return true;
}

}  // namespace portal
