// Picture stamping, mapping output and the picture sound.
#include "PictureOutput.h"

#include <mmsystem.h>

#include "common/UniqueHandle.h"
#include "media/BitmapFile.h"
#include "media/TextStamp.h"

namespace engine {

void StampPicture(const Session& session, media::Frame& picture, const std::string& text) {
  if (text.empty()) return;
  // A stamp that cannot be drawn leaves the picture as the camera gave it.
  media::DrawTextStamp(picture, text, session.stampStyle);
}

HRESULT PictureToMapping(const media::Frame& picture, const std::string& mappingName,
                         std::uint32_t statedSize) {
  const std::size_t needed = media::BitmapFileSize(picture.Width(), picture.Height());
  if (mappingName.empty() || needed == 0 || statedSize < needed) return E_INVALIDARG;
  common::UniqueKernelHandle mapping(::OpenFileMappingA(FILE_MAP_WRITE, FALSE, mappingName.c_str()));
  if (!mapping) return HRESULT_FROM_WIN32(::GetLastError());
  common::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, needed));
  if (!view) return HRESULT_FROM_WIN32(::GetLastError());
  // The mapping itself must hold the image, whatever size the client stated.
  MEMORY_BASIC_INFORMATION region{};
  if (::VirtualQuery(view.get(), &region, sizeof(region)) == 0 || region.RegionSize < needed) {
    return E_INVALIDARG;
  }
  return media::CopyBitmapFile(picture, view.get(), needed);
}

void PlayPictureSound(const Session& session) {
  if (session.pictureSound.empty()) return;
  ::PlaySoundA(session.pictureSound.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

}  // namespace engine
