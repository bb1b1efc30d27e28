// Where a picture goes once it is taken and stamped: a bitmap file, or a
// client's named mapping as a complete bitmap file image. Shared by the
// picture commands (12/x) and the indexed pictures (22/x).
#pragma once

#include <windows.h>

#include <string>

#include "Session.h"
#include "media/Frame.h"

namespace engine {

// Draws the text stamp (if any) with the session's style.
void StampPicture(const Session& session, media::Frame& picture, const std::string& text);

// Opens the client's mapping, checks that both the size the client states
// and the mapping itself hold the image, and copies it there.
HRESULT PictureToMapping(const media::Frame& picture, const std::string& mappingName,
                         std::uint32_t statedSize);

// Plays the session's picture sound, if any; failures are ignored.
void PlayPictureSound(const Session& session);

}  // namespace engine
