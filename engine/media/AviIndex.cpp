// Building the idx1 and standard index chunks of an AVI file.
#include "media/AviIndex.h"

#include <cstring>

namespace media {

namespace {

#pragma pack(push, 1)
struct StandardIndexHeader {
  std::uint32_t fourCc, bytes;
  std::uint16_t longsPerEntry;
  std::uint8_t subType, type;
  std::uint32_t entriesInUse, chunkId;
  std::uint64_t baseOffset;
  std::uint32_t reserved;
};
struct StandardIndexEntry {
  std::uint32_t offset, size;  // size bit 31 set: not a key frame
};
#pragma pack(pop)
static_assert(sizeof(StandardIndexHeader) == 32, "standard index header holds 32 bytes");

constexpr std::uint8_t kIndexOfChunks = 1;

}  // namespace

std::vector<std::uint8_t> BuildStandardIndex(std::uint32_t indexId, std::uint32_t chunkId,
                                             std::uint64_t baseOffset,
                                             const std::vector<AviChunkRecord>& chunks) {
  std::vector<StandardIndexEntry> entries;
  for (const AviChunkRecord& c : chunks) {
    if (c.id == chunkId) entries.push_back({static_cast<std::uint32_t>(c.offset + 8 - baseOffset), c.size});
  }
  StandardIndexHeader header = {};
  header.fourCc = indexId;
  header.bytes = static_cast<std::uint32_t>(StandardIndexBytes(entries.size()) - 8);
  header.longsPerEntry = 2;
  header.type = kIndexOfChunks;
  header.entriesInUse = static_cast<std::uint32_t>(entries.size());
  header.chunkId = chunkId;
  header.baseOffset = baseOffset;
  std::vector<std::uint8_t> bytes(sizeof header + entries.size() * sizeof(StandardIndexEntry));
  std::memcpy(bytes.data(), &header, sizeof header);
  if (!entries.empty()) {
    std::memcpy(bytes.data() + sizeof header, entries.data(), entries.size() * sizeof(StandardIndexEntry));
  }
  return bytes;
}

std::vector<AviIndexEntry> BuildLegacyIndex(std::uint64_t moviFourCcOffset,
                                            const std::vector<AviChunkRecord>& chunks) {
  std::vector<AviIndexEntry> entries;
  entries.reserve(chunks.size());
  for (const AviChunkRecord& c : chunks) {
    entries.push_back({c.id, kAviifKeyFrame, static_cast<std::uint32_t>(c.offset - moviFourCcOffset), c.size});
  }
  return entries;
}

}  // namespace media
