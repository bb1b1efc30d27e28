// Capture files read back through the system's AVIFile services, the way
// the control opens them before copying the streams.
#include <gtest/gtest.h>

#include <windows.h>

#include <vfw.h>

#include <utility>
#include <vector>

#include "AviTestFiles.h"
#include "RiffReader.h"
#include "TempFolder.h"
#include "common/ComPtr.h"
#include "media/ToneSource.h"

namespace {

using media::VideoCoding;
using testing_support::Movie;
using testing_support::Pcm;

// Total data bytes of all chunks with this id, lists searched through.
std::size_t ChunkBytes(const testing_support::RiffChunk& list, const std::string& id) {
  std::size_t total = 0;
  for (const auto& c : list.children) total += c.id == id ? c.size : ChunkBytes(c, id);
  return total;
}

class AviFileLibrary : public ::testing::Test {
 protected:
  void SetUp() override { ::AVIFileInit(); }
  void TearDown() override { ::AVIFileExit(); }

  common::ComPtr<IAVIFile> Open(const std::wstring& path, UINT share = OF_SHARE_DENY_WRITE) {
    common::ComPtr<IAVIFile> file;
    EXPECT_EQ(::AVIFileOpenW(file.put(), path.c_str(), OF_READ | share, nullptr), 0);
    return file;
  }
  // Length of the first stream of this type, and how many of its frames
  // (video) or samples (audio) read back.
  static std::pair<LONG, LONG> LengthAndReadable(IAVIFile* file, DWORD type) {
    common::ComPtr<IAVIStream> stream = Stream(file, type);
    if (!stream) return {-1, -1};
    const LONG length = ::AVIStreamLength(stream.get());
    LONG readable = 0;
    std::vector<BYTE> buffer(1 << 20);
    for (LONG n = 0; n < length;) {
      LONG bytes = 0, samples = 0;
      const LONG count = type == streamtypeVIDEO ? 1 : length;
      if (::AVIStreamRead(stream.get(), n, count, buffer.data(), static_cast<LONG>(buffer.size()), &bytes, &samples) != 0) break;
      readable += samples;
      n += count;
    }
    return {length, readable};
  }
  static common::ComPtr<IAVIStream> Stream(IAVIFile* file, DWORD type) {
    common::ComPtr<IAVIStream> stream;
    ::AVIFileGetStream(file, stream.put(), type, 0);
    return stream;
  }

  testing_support::TempFolder folder_;
};

TEST_F(AviFileLibrary, UncompressedVideoAndAudioReadBackExactly) {
  const std::wstring path = folder_.Path(L"dib.avi");
  ASSERT_EQ(testing_support::WriteMovie(
                path, Movie(161, 121, VideoCoding::kUncompressedDib, Pcm(22050, 2, 16)), 12), S_OK);
  common::ComPtr<IAVIFile> file = Open(path);
  ASSERT_TRUE(file);
  AVIFILEINFOW info = {};
  ASSERT_EQ(::AVIFileInfoW(file.get(), &info, sizeof info), 0);
  EXPECT_EQ(info.dwStreams, 2u);
  EXPECT_EQ(info.dwWidth, 161u);
  EXPECT_EQ(info.dwHeight, 121u);

  common::ComPtr<IAVIStream> video = Stream(file.get(), streamtypeVIDEO);
  ASSERT_TRUE(video);
  EXPECT_EQ(::AVIStreamLength(video.get()), 12);
  BITMAPINFOHEADER format = {};
  LONG formatSize = sizeof format;
  ASSERT_EQ(::AVIStreamReadFormat(video.get(), 0, &format, &formatSize), 0);
  EXPECT_EQ(format.biWidth, 161);
  EXPECT_EQ(format.biBitCount, 24);
  for (LONG n = 0; n < 12; ++n) {
    const media::Frame expected = testing_support::SceneFrame(161, 121, static_cast<std::uint32_t>(n));
    std::vector<std::uint8_t> bytes(expected.ImageBytes() + 16);
    LONG read = 0;
    ASSERT_EQ(::AVIStreamRead(video.get(), n, 1, bytes.data(), static_cast<LONG>(bytes.size()), &read, nullptr), 0);
    ASSERT_EQ(static_cast<std::size_t>(read), expected.ImageBytes());
    EXPECT_TRUE(std::equal(expected.Bits(), expected.Bits() + read, bytes.begin())) << "frame " << n;
  }

  common::ComPtr<IAVIStream> audio = Stream(file.get(), streamtypeAUDIO);
  ASSERT_TRUE(audio);
  const LONG samples = ::AVIStreamLength(audio.get());
  EXPECT_EQ(samples, 12 * 22050 / 15);
  std::vector<std::uint8_t> pcm(static_cast<std::size_t>(samples) * 4);
  LONG bytes = 0, read = 0;
  ASSERT_EQ(::AVIStreamRead(audio.get(), 0, samples, pcm.data(), static_cast<LONG>(pcm.size()), &bytes, &read), 0);
  EXPECT_EQ(read, samples);
  media::ToneSource tone;
  ASSERT_EQ(tone.Reset(Pcm(22050, 2, 16)), S_OK);
  std::vector<std::uint8_t> expected;
  tone.Render(static_cast<std::size_t>(samples), expected);
  EXPECT_EQ(pcm, expected) << "the tone arrives in one piece across chunks";
}

TEST_F(AviFileLibrary, MjpegFramesAreWholeJpegImages) {
  const std::wstring path = folder_.Path(L"mjpeg.avi");
  ASSERT_EQ(testing_support::WriteMovie(path, Movie(320, 240, VideoCoding::kMjpeg, Pcm(11025, 1, 8)), 5), S_OK);
  common::ComPtr<IAVIFile> file = Open(path);
  ASSERT_TRUE(file);
  common::ComPtr<IAVIStream> video = Stream(file.get(), streamtypeVIDEO);
  ASSERT_TRUE(video);
  AVISTREAMINFOW info = {};
  ASSERT_EQ(::AVIStreamInfoW(video.get(), &info, sizeof info), 0);
  EXPECT_EQ(info.fccHandler, mmioFOURCC('M', 'J', 'P', 'G'));
  EXPECT_EQ(info.dwLength, 5u);
  EXPECT_EQ(info.dwRate / info.dwScale, 15u);
  for (LONG n = 0; n < 5; ++n) {
    LONG size = 0;
    ASSERT_EQ(::AVIStreamRead(video.get(), n, 1, nullptr, 0, &size, nullptr), 0);
    std::vector<std::uint8_t> jpeg(static_cast<std::size_t>(size));
    ASSERT_EQ(::AVIStreamRead(video.get(), n, 1, jpeg.data(), size, &size, nullptr), 0);
    ASSERT_GT(size, 4);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_EQ(jpeg[size - 1], 0xD9);
  }
  EXPECT_TRUE(Stream(file.get(), streamtypeAUDIO));
}

// While the writer records, and after it stops in OpenDML form: AVIFile
// reads every frame written so far, and of a long movie the first RIFF
// part, which is all its stream headers and idx1 describe.
TEST_F(AviFileLibrary, ReadsLiveFilesAndTheFirstPartOfLongOnes) {
  const std::wstring path = folder_.Path(L"live.avi");
  auto format = Movie(160, 120, VideoCoding::kUncompressedDib, Pcm(11025, 1, 8));
  format.limits.maxRiffBytes = 256 * 1024;
  media::AviWriter writer;
  ASSERT_EQ(writer.Open(path, format), S_OK);
  for (std::uint32_t n = 0; n < 3; ++n) ASSERT_EQ(writer.AddVideoFrame(testing_support::SceneFrame(160, 120, n)), S_OK);
  {
    common::ComPtr<IAVIFile> live = Open(path, OF_SHARE_DENY_NONE);
    ASSERT_TRUE(live);
    EXPECT_EQ(LengthAndReadable(live.get(), streamtypeVIDEO), std::make_pair(3L, 3L));
    EXPECT_EQ(LengthAndReadable(live.get(), streamtypeAUDIO), std::make_pair(3L * 735, 3L * 735));
  }
  for (std::uint32_t n = 3; n < 20; ++n) ASSERT_EQ(writer.AddVideoFrame(testing_support::SceneFrame(160, 120, n)), S_OK);
  ASSERT_GT(writer.RiffParts(), 2u);
  ASSERT_EQ(writer.Close(), S_OK);
  common::ComPtr<IAVIFile> file = Open(path);
  ASSERT_TRUE(file);
  const auto video = LengthAndReadable(file.get(), streamtypeVIDEO);
  EXPECT_GT(video.first, 0);
  EXPECT_LT(video.first, 20) << "the first part only";
  EXPECT_EQ(video.second, video.first);
  EXPECT_EQ(LengthAndReadable(file.get(), streamtypeAUDIO), std::make_pair(video.first * 735, video.first * 735));
}

// The control's post-processing: editable streams saved to a new file
// without recompression. The copy must hold the same frames and samples.
TEST_F(AviFileLibrary, StreamsSaveToANewFileUnchanged) {
  for (VideoCoding coding : {VideoCoding::kUncompressedDib, VideoCoding::kMjpeg}) {
    const std::wstring source = folder_.Path(L"capture.avi"), target = folder_.Path(L"movie.avi");
    ASSERT_EQ(testing_support::WriteMovie(source, Movie(176, 144, coding, Pcm(11025, 1, 8)), 9), S_OK);
    {
      common::ComPtr<IAVIFile> file = Open(source);
      ASSERT_TRUE(file);
      common::ComPtr<IAVIStream> video = Stream(file.get(), streamtypeVIDEO);
      common::ComPtr<IAVIStream> audio = Stream(file.get(), streamtypeAUDIO);
      ASSERT_TRUE(video && audio);
      common::ComPtr<IAVIStream> editable[2];
      ASSERT_EQ(::CreateEditableStream(editable[0].put(), video.get()), 0);
      ASSERT_EQ(::CreateEditableStream(editable[1].put(), audio.get()), 0);
      AVICOMPRESSOPTIONS options[2] = {};
      AVICOMPRESSOPTIONS* optionList[2] = {&options[0], &options[1]};
      IAVIStream* streams[2] = {editable[0].get(), editable[1].get()};
      ASSERT_EQ(::AVISaveVW(target.c_str(), nullptr, nullptr, 2, streams, optionList), 0);
    }
    common::ComPtr<IAVIFile> copy = Open(target);
    ASSERT_TRUE(copy);
    common::ComPtr<IAVIStream> video = Stream(copy.get(), streamtypeVIDEO);
    common::ComPtr<IAVIStream> audio = Stream(copy.get(), streamtypeAUDIO);
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(::AVIStreamLength(video.get()), 9);
    copy.reset();
    // Wine's writer stores a wrong audio length in the copy's header, so
    // the samples are counted in its chunks instead; it also leaves zero
    // bytes after the RIFF chunk, which are cut off here.
    std::vector<std::uint8_t> bytes = testing_support::ReadAll(target);
    ASSERT_GT(bytes.size(), 8u);
    bytes.resize(std::min<std::size_t>(bytes.size(), *reinterpret_cast<const std::uint32_t*>(&bytes[4]) + 8u));
    testing_support::RiffChunk root;
    std::string error;
    ASSERT_TRUE(testing_support::RiffReader(bytes).Parse(root, error)) << error;
    EXPECT_EQ(ChunkBytes(root, "01wb"), 9u * 11025 / 15);
    ::DeleteFileW(target.c_str());
  }
}

}  // namespace
