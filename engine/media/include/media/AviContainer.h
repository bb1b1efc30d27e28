// The chunk level of an AVI 1.0 capture file: reserves the header block
// when opened, appends chunks to the 'movi' list while keeping their idx1
// entries, and on Close writes the idx1 index and rewrites the header block
// with the final sizes and counts. The file never grows beyond a limit
// (1 GiB by default, the safe size of an AVI 1.0 RIFF); a group of chunks
// that would cross it is refused whole.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "media/AviHeaders.h"
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

class AviContainer {
 public:
  static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

  AviContainer() = default;
  AviContainer(const AviContainer&) = delete;
  AviContainer& operator=(const AviContainer&) = delete;
  ~AviContainer() { Close(); }

  // Creates path and writes the provisional header block. On failure a
  // file that this call created is removed again.
  HRESULT Open(const std::wstring& path, const AviStreams& streams,
               std::uint64_t maxFileBytes = kMaxFileBytes);
  bool IsOpen() const noexcept { return file_.IsOpen(); }

  // Appends the chunks in order, all or none. Errors: E_INVALIDARG for an
  // unknown chunk id, HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) beyond the
  // limit, the write failure (a full disk) otherwise; the file keeps every
  // chunk written before and stays closable.
  HRESULT Write(const AviChunk* chunks, std::size_t count);

  // Finishes the file: index, final header block. Reports the first
  // failure; without room for the index the file is still finished
  // without one. A second call does nothing.
  HRESULT Close();

  const AviTotals& Totals() const noexcept { return totals_; }
  std::uint64_t FileBytes() const noexcept { return file_.Size(); }

 private:
  std::uint64_t ProjectedSize(const AviChunk* chunks, std::size_t count) const noexcept;
  HRESULT AppendOne(const AviChunk& chunk);
  HRESULT WriteFront();

  RiffFile file_;
  std::wstring path_;
  AviStreams streams_;
  AviTotals totals_;
  std::vector<AviIndexEntry> index_;
  std::uint64_t moviFourCcOffset_ = 0;  // idx1 offsets count from here
  std::uint64_t limit_ = kMaxFileBytes;
};

}  // namespace media
