// The chunk level of an AVI capture file, written so that it can be read
// at every moment, also when the writer dies:
//  - After every group of chunks the header block is rewritten in place
//    (RIFF and 'movi' sizes, frame counts, stream lengths), so the file on
//    disk always describes exactly the chunks it holds; a reader that
//    finds no index rebuilds it from the 'movi' list.
//  - A file grows past one RIFF in OpenDML form: when a group would make
//    the current RIFF part larger than its limit (1 GiB), the part is
//    finished with its standard indexes ('ix00', 'ix01') at the end of
//    its 'movi' list (the first part also with the legacy 'idx1'), their
//    super index entries go into the header, and an 'AVIX' part begins.
//  - The whole file never grows beyond its own limit (none by default); a
//    group that would cross it, or a part beyond the super index's room,
//    is refused whole with room left for the indexes, so the file can
//    still be finished.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "media/AviHeaders.h"
#include "media/AviIndex.h"
#include "media/RiffFile.h"

namespace media {

struct AviChunk {
  std::uint32_t id;  // '00db', '00dc' (video) or '01wb' (audio)
  const void* data;
  std::size_t bytes;
};

constexpr std::uint32_t kChunkVideoDib = FourCc('0', '0', 'd', 'b');
constexpr std::uint32_t kChunkVideoCompressed = FourCc('0', '0', 'd', 'c');
constexpr std::uint32_t kChunkAudio = FourCc('0', '1', 'w', 'b');

struct AviLimits {
  static constexpr std::uint64_t kNoFileLimit = std::numeric_limits<std::uint64_t>::max();
  static constexpr std::uint64_t kMaxRiffBytes = std::uint64_t{1} << 30;
  static constexpr std::uint64_t kMinRiffBytes = 64 * 1024;

  std::uint64_t maxFileBytes = kNoFileLimit;
  // Largest RIFF part, kMinRiffBytes..kMaxRiffBytes (clamped).
  std::uint64_t maxRiffBytes = kMaxRiffBytes;
  // False: the header block is written only when a part ends and at Close
  // (the benchmark's reference for the cost of keeping the file readable).
  bool keepReadable = true;
};

class AviContainer {
 public:
  AviContainer() = default;
  AviContainer(const AviContainer&) = delete;
  AviContainer& operator=(const AviContainer&) = delete;
  ~AviContainer() { Close(); }

  // Creates path and writes the header block. On failure a file that this
  // call created is removed again.
  HRESULT Open(const std::wstring& path, const AviStreams& streams, const AviLimits& limits = {});
  bool IsOpen() const noexcept { return file_.IsOpen(); }

  // Appends the chunks in order, all or none, starting a new RIFF part
  // first when they do not fit into the current one. Errors: E_INVALIDARG
  // for an unknown chunk id, HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE)
  // beyond the file's limit (or a group larger than a part), the write
  // failure (a full disk) otherwise; the file keeps every group written
  // before and stays closable.
  HRESULT Write(const AviChunk* chunks, std::size_t count);

  // Finishes the file: the last part's indexes, final header block.
  // Reports the first failure; without room for the indexes the file is
  // still finished without them (readers rebuild the index). A second
  // call does nothing.
  HRESULT Close();

  const AviTotals& Totals() const noexcept { return totals_; }
  std::size_t Parts() const noexcept { return partNumber_ + (IsOpen() ? 1 : 0); }
  std::uint64_t FileBytes() const noexcept { return file_.Size(); }

 private:
  std::uint64_t GroupBytes(const AviChunk* chunks, std::size_t count) const noexcept;
  std::uint64_t PartIndexBytes(std::size_t extraVideo, std::size_t extraAudio) const noexcept;
  HRESULT MakeRoom(std::uint64_t groupBytes, std::size_t video, std::size_t audio);
  HRESULT AppendGroup(const AviChunk* chunks, std::size_t count);
  HRESULT FinishPart();
  HRESULT AppendStandardIndex(std::uint32_t indexId, std::uint32_t chunkId,
                              std::vector<AviSuperIndexEntry>& parts, std::uint32_t duration);
  HRESULT BeginPart();
  HRESULT WritePartHead(std::uint64_t end);
  HRESULT WriteHeaders();

  RiffFile file_;
  std::wstring path_;
  AviStreams streams_;
  AviLimits limits_;
  AviTotals totals_;
  bool firstPartDone_ = false;      // its idx1 is written: sizes are final
  std::size_t partNumber_ = 0;       // 0: the first RIFF ('AVI ')
  std::uint64_t partStart_ = 0;      // its RIFF header
  std::uint64_t moviFourCc_ = 0;     // its 'movi' FourCC (idx1 offsets count from here)
  std::vector<AviChunkRecord> partChunks_;
  std::size_t partVideo_ = 0, partAudio_ = 0;
  std::uint64_t partAudioBytes_ = 0;
};

}  // namespace media
