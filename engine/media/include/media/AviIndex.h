// The indexes of an AVI file: the legacy 'idx1' of the first RIFF part and
// the OpenDML standard index chunks ('ix00', 'ix01') that each RIFF part
// carries at the end of its 'movi' list for the super indexes to point at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "media/AviHeaders.h"

namespace media {

// One data chunk of a RIFF part: id, where its header lies in the file,
// and its data size.
struct AviChunkRecord {
  std::uint32_t id;
  std::uint64_t offset;
  std::uint32_t size;
};

// Bytes of a standard index chunk with `entries` entries, header included.
constexpr std::uint64_t StandardIndexBytes(std::size_t entries) noexcept {
  return 32 + 8 * static_cast<std::uint64_t>(entries);
}
// Bytes of an idx1 chunk with `entries` entries, header included.
constexpr std::uint64_t LegacyIndexBytes(std::size_t entries) noexcept {
  return 8 + 16 * static_cast<std::uint64_t>(entries);
}

// The standard index chunk `indexId` of the chunks with id `chunkId`
// among `chunks`: every entry a key frame, offsets counted from
// `baseOffset` to the chunk data. Offsets must lie within 4 GiB of it.
std::vector<std::uint8_t> BuildStandardIndex(std::uint32_t indexId, std::uint32_t chunkId,
                                             std::uint64_t baseOffset,
                                             const std::vector<AviChunkRecord>& chunks);

// idx1 entries of `chunks`, offsets counted from the 'movi' FourCC at
// moviFourCcOffset.
std::vector<AviIndexEntry> BuildLegacyIndex(std::uint64_t moviFourCcOffset,
                                            const std::vector<AviChunkRecord>& chunks);

}  // namespace media
