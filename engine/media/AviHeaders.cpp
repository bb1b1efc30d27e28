// Building the header block of an AVI file with the OpenDML extensions.
#include "media/AviHeaders.h"

#include <algorithm>
#include <cstring>

#include "media/RiffFile.h"

namespace media {

namespace {

class ByteBlock {
 public:
  void U32(std::uint32_t value) { Raw(&value, 4); }
  void Raw(const void* data, std::size_t bytes) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + bytes);
  }
  // Starts a LIST; EndList fills in its size.
  std::size_t BeginList(std::uint32_t type) {
    U32(FourCc('L', 'I', 'S', 'T'));
    const std::size_t at = bytes_.size();
    U32(0);
    U32(type);
    return at;
  }
  void EndList(std::size_t at) {
    const auto size = static_cast<std::uint32_t>(bytes_.size() - at - 4);
    std::memcpy(bytes_.data() + at, &size, 4);
  }
  void Chunk(std::uint32_t id, const void* data, std::uint32_t bytes) {
    U32(id);
    U32(bytes);
    Raw(data, bytes);
    if (bytes & 1) bytes_.push_back(0);
  }
  std::size_t Size() const { return bytes_.size(); }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

AviMainHeader MainHeader(const AviStreams& s, const AviTotals& t) {
  AviMainHeader h = {};
  h.microSecPerFrame = MicroSecPerFrame(s.rate, s.scale);
  const std::uint64_t videoPerSec =
      static_cast<std::uint64_t>(t.largestVideoChunk) * s.rate / s.scale;
  const std::uint64_t audioPerSec = s.audio ? s.audio->BytesPerSecond() : 0;
  h.maxBytesPerSec = static_cast<std::uint32_t>(std::min<std::uint64_t>(
      videoPerSec + audioPerSec, 0xFFFFFFFFu));
  h.flags = (t.hasIndex ? kAvifHasIndex : 0) | (s.audio ? kAvifIsInterleaved : 0);
  h.totalFrames = t.firstPartFrames;
  h.streams = s.audio ? 2 : 1;
  h.suggestedBufferSize = std::max(t.largestVideoChunk, t.largestAudioChunk) + 8;
  h.width = static_cast<std::uint32_t>(s.width);
  h.height = static_cast<std::uint32_t>(s.height);
  return h;
}

// The super index of one stream: the used entries, the rest reserved.
void SuperIndex(ByteBlock& out, std::uint32_t chunkId, const std::vector<AviSuperIndexEntry>& parts) {
  out.U32(FourCc('i', 'n', 'd', 'x'));
  out.U32(24 + kSuperIndexEntries * sizeof(AviSuperIndexEntry));
  out.U32(4);  // four longs per entry, sub-type 0, AVI_INDEX_OF_INDEXES
  out.U32(static_cast<std::uint32_t>(parts.size()));
  out.U32(chunkId);
  for (int i = 0; i < 3; ++i) out.U32(0);
  out.Raw(parts.data(), parts.size() * sizeof(AviSuperIndexEntry));
  const std::vector<std::uint8_t> unused((kSuperIndexEntries - parts.size()) * sizeof(AviSuperIndexEntry), 0);
  out.Raw(unused.data(), unused.size());
}

void VideoStream(ByteBlock& out, const AviStreams& s, const AviTotals& t) {
  AviStreamHeader h = {};
  h.type = FourCc('v', 'i', 'd', 's');
  h.handler = s.videoHandler;
  h.scale = s.scale;
  h.rate = s.rate;
  h.length = t.firstPartFrames;
  h.suggestedBufferSize = t.largestVideoChunk;
  h.quality = 0xFFFFFFFFu;  // default quality
  h.frameRight = static_cast<std::int16_t>(s.width);
  h.frameBottom = static_cast<std::int16_t>(s.height);
  BITMAPINFOHEADER format = {};
  format.biSize = sizeof format;
  format.biWidth = s.width;
  format.biHeight = s.height;
  format.biPlanes = 1;
  format.biBitCount = 24;
  format.biCompression = s.videoCompression;
  format.biSizeImage = static_cast<DWORD>(((s.width * 24 + 31) & ~31) / 8 * s.height);
  const std::size_t list = out.BeginList(FourCc('s', 't', 'r', 'l'));
  out.Chunk(FourCc('s', 't', 'r', 'h'), &h, sizeof h);
  out.Chunk(FourCc('s', 't', 'r', 'f'), &format, sizeof format);
  SuperIndex(out, s.videoChunkId, t.videoParts);
  out.EndList(list);
}

void AudioStream(ByteBlock& out, const AudioFormat& a, const AviTotals& t) {
  AviStreamHeader h = {};
  h.type = FourCc('a', 'u', 'd', 's');
  // One sample frame per time unit: scale / rate = 1 / samples per second.
  h.scale = static_cast<std::uint32_t>(a.BlockAlign());
  h.rate = static_cast<std::uint32_t>(a.BytesPerSecond());
  h.length = static_cast<std::uint32_t>(t.firstPartAudioBytes / static_cast<std::uint32_t>(a.BlockAlign()));
  h.suggestedBufferSize = t.largestAudioChunk;
  h.quality = 0xFFFFFFFFu;
  h.sampleSize = static_cast<std::uint32_t>(a.BlockAlign());
  const WAVEFORMATEX format = a.WaveFormat();
  static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is packed");
  const std::size_t list = out.BeginList(FourCc('s', 't', 'r', 'l'));
  out.Chunk(FourCc('s', 't', 'r', 'h'), &h, sizeof h);
  out.Chunk(FourCc('s', 't', 'r', 'f'), &format, sizeof format);
  SuperIndex(out, FourCc('0', '1', 'w', 'b'), t.audioParts);
  out.EndList(list);
}

void OpenDmlHeader(ByteBlock& out, const AviTotals& t) {
  const std::size_t list = out.BeginList(FourCc('o', 'd', 'm', 'l'));
  std::uint8_t dmlh[kDmlhBytes] = {};
  std::memcpy(dmlh, &t.videoFrames, 4);
  out.Chunk(FourCc('d', 'm', 'l', 'h'), dmlh, sizeof dmlh);
  out.EndList(list);
}

}  // namespace

std::uint32_t MicroSecPerFrame(std::uint32_t rate, std::uint32_t scale) noexcept {
  if (rate == 0) return 0;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(scale) * 1000000u + rate / 2) /
                                    rate);
}

std::vector<std::uint8_t> BuildAviFront(const AviStreams& streams, const AviTotals& totals) {
  ByteBlock out;
  out.U32(FourCc('R', 'I', 'F', 'F'));
  out.U32(totals.riffSize);
  out.U32(FourCc('A', 'V', 'I', ' '));
  const std::size_t hdrl = out.BeginList(FourCc('h', 'd', 'r', 'l'));
  const AviMainHeader main = MainHeader(streams, totals);
  out.Chunk(FourCc('a', 'v', 'i', 'h'), &main, sizeof main);
  VideoStream(out, streams, totals);
  if (streams.audio) AudioStream(out, *streams.audio, totals);
  OpenDmlHeader(out, totals);
  out.EndList(hdrl);
  // JUNK fills up to the boundary less the 12-byte 'movi' list header.
  const std::size_t used = out.Size() + 8 + 12;
  const std::size_t end = (used + kAviDataAlignment - 1) / kAviDataAlignment * kAviDataAlignment;
  const std::vector<std::uint8_t> junk(end - used, 0);
  out.Chunk(FourCc('J', 'U', 'N', 'K'), junk.data(), static_cast<std::uint32_t>(junk.size()));
  out.U32(FourCc('L', 'I', 'S', 'T'));
  out.U32(totals.moviSize);
  out.U32(FourCc('m', 'o', 'v', 'i'));
  return std::move(out.Bytes());
}

}  // namespace media
