// The fixed-size front of an AVI file, built as one byte block: RIFF 'AVI '
// header, the 'hdrl' list (avih, one 'strl' list per stream with strh,
// strf and an OpenDML super index 'indx' with room for kSuperIndexEntries
// RIFF parts, then the 'odml' list with 'dmlh'), a JUNK chunk that aligns
// the movie data, and the first 'movi' list header. The block's size
// depends only on the streams, so the writer reserves it when the file is
// opened and rewrites it whenever the counts change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "media/AudioFormat.h"

namespace media {

// Layouts as stored in the file (little-endian, no padding).
#pragma pack(push, 1)
struct AviMainHeader {
  std::uint32_t microSecPerFrame, maxBytesPerSec, paddingGranularity, flags;
  std::uint32_t totalFrames, initialFrames, streams, suggestedBufferSize;
  std::uint32_t width, height, reserved[4];
};
struct AviStreamHeader {
  std::uint32_t type, handler, flags;
  std::uint16_t priority, language;
  std::uint32_t initialFrames, scale, rate, start, length, suggestedBufferSize, quality,
      sampleSize;
  std::int16_t frameLeft, frameTop, frameRight, frameBottom;
};
struct AviIndexEntry {
  std::uint32_t chunkId, flags, offset, size;
};
// One entry of a super index: where a standard index chunk ('ix00') of
// one RIFF part lies, its whole size, and the stream time it covers.
struct AviSuperIndexEntry {
  std::uint64_t offset;
  std::uint32_t size, duration;
};
#pragma pack(pop)
static_assert(sizeof(AviMainHeader) == 56, "avih holds 56 bytes");
static_assert(sizeof(AviStreamHeader) == 56, "strh holds 56 bytes");
static_assert(sizeof(AviIndexEntry) == 16, "idx1 entries hold 16 bytes");
static_assert(sizeof(AviSuperIndexEntry) == 16, "super index entries hold 16 bytes");

constexpr std::uint32_t kAvifHasIndex = 0x10, kAvifIsInterleaved = 0x100;
constexpr std::uint32_t kAviifKeyFrame = 0x10;
// Movie data starts on a multiple of this offset.
constexpr std::uint32_t kAviDataAlignment = 2048;
// RIFF parts one file can have (each up to 1 GiB: 256 GiB in all).
constexpr std::size_t kSuperIndexEntries = 256;
// Bytes of the 'dmlh' chunk's data, as readers expect it.
constexpr std::uint32_t kDmlhBytes = 248;

// What the streams are: fixed while the file is written.
struct AviStreams {
  int width = 0, height = 0;
  std::uint32_t videoCompression = 0;  // BI_RGB or a FourCC such as 'MJPG'
  std::uint32_t videoHandler = 0;      // strh handler FourCC
  std::uint32_t videoChunkId = 0;      // '00db' or '00dc'
  std::uint32_t rate = 15, scale = 1;  // frames per second = rate / scale
  std::optional<AudioFormat> audio;
};

// What the file holds: updated as chunks are written.
struct AviTotals {
  std::uint32_t riffSize = 0;  // bytes after the first RIFF chunk header
  std::uint32_t moviSize = 0;  // bytes after the first 'movi' list header
  // The first RIFF part, as a reader without the OpenDML extensions sees
  // it: avih and the stream headers count only this part ('dmlh' and the
  // super indexes describe the whole file), so that such a reader never
  // looks for chunks its index does not have.
  std::uint32_t firstPartFrames = 0;
  std::uint64_t firstPartAudioBytes = 0;
  // The whole file.
  std::uint32_t videoFrames = 0;
  std::uint64_t audioBytes = 0;
  std::uint32_t largestVideoChunk = 0, largestAudioChunk = 0;
  bool hasIndex = false;  // the first part's idx1 is written
  std::vector<AviSuperIndexEntry> videoParts, audioParts;
};

// Microseconds per frame, rounded.
std::uint32_t MicroSecPerFrame(std::uint32_t rate, std::uint32_t scale) noexcept;

// The whole front block; its size is a multiple of kAviDataAlignment and
// the same for any totals.
std::vector<std::uint8_t> BuildAviFront(const AviStreams& streams, const AviTotals& totals);

}  // namespace media
