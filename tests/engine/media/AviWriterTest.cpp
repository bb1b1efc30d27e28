// AVI capture files parsed back chunk by chunk: headers, interleaving,
// index, limits and error paths.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "AviTestFiles.h"
#include "ParsedAvi.h"
#include "TempFolder.h"
#include "media/AviHeaders.h"

namespace {

using media::VideoCoding;
using testing_support::Movie;
using testing_support::Pcm;
using testing_support::DataChunks;
using testing_support::ExpectIndexMatchesMovi;
using testing_support::ExpectOpenDmlIndexes;
using testing_support::ParseAvi;
using testing_support::Read;
using testing_support::ParsedAvi;
using testing_support::RiffChunk;

TEST(AviWriter, UncompressedWithAudioIsInterleavedAndIndexed) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"dib.avi");
  ASSERT_EQ(testing_support::WriteMovie(path, Movie(161, 121, VideoCoding::kUncompressedDib,
                                                    Pcm(11025, 1, 8)), 10), S_OK);
  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(path, avi));
  ASSERT_EQ(avi.parts.size(), 1u);
  EXPECT_EQ(avi.root->size + 8, avi.bytes.size());
  EXPECT_EQ((avi.movi->offset + 12) % media::kAviDataAlignment, 0u) << "movie data aligned";
  EXPECT_EQ(avi.main.microSecPerFrame, 66667u);
  EXPECT_EQ(avi.main.totalFrames, 10u);
  EXPECT_EQ(avi.main.streams, 2u);
  EXPECT_EQ(avi.main.flags, media::kAvifHasIndex | media::kAvifIsInterleaved);
  EXPECT_EQ(avi.main.width, 161u);
  EXPECT_EQ(avi.main.height, 121u);
  ASSERT_EQ(avi.streams.size(), 2u);
  EXPECT_EQ(avi.streams[0].length, 10u);
  EXPECT_EQ(avi.streams[0].rate * 1u, 15u * avi.streams[0].scale);
  EXPECT_EQ(avi.streams[1].length, 10u * 11025 / 15) << "audio samples for ten frames";
  EXPECT_EQ(avi.streams[1].sampleSize, 1u);

  const auto format = Read<BITMAPINFOHEADER>(avi.bytes, avi.root->Find("hdrl")->All("strl")[0]->Find("strf"));
  EXPECT_EQ(format.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(format.biBitCount, 24);
  const auto wave = Read<WAVEFORMATEX>(avi.bytes, avi.root->Find("hdrl")->All("strl")[1]->Find("strf"));
  EXPECT_EQ(wave.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(wave.nSamplesPerSec, 11025u);
  EXPECT_EQ(wave.wBitsPerSample, 8);

  // Video then its audio, frame after frame; frames stored as DIB rows;
  // the standard indexes close the 'movi' list.
  const std::vector<const RiffChunk*> chunks = DataChunks(*avi.movi);
  ASSERT_EQ(chunks.size(), 20u);
  ASSERT_EQ(avi.movi->children.size(), 22u);
  EXPECT_EQ(avi.movi->children[20].id, "ix00");
  EXPECT_EQ(avi.movi->children[21].id, "ix01");
  std::uint32_t audioBytes = 0;
  for (std::size_t i = 0; i < 20; i += 2) {
    const RiffChunk& video = *chunks[i];
    EXPECT_EQ(video.id, "00db");
    EXPECT_EQ(chunks[i + 1]->id, "01wb");
    audioBytes += chunks[i + 1]->size;
    const media::Frame expected = testing_support::SceneFrame(161, 121, static_cast<std::uint32_t>(i / 2));
    ASSERT_EQ(video.size, expected.ImageBytes());
    EXPECT_EQ(std::memcmp(video.Data(avi.bytes), expected.Bits(), video.size), 0) << i / 2;
  }
  EXPECT_EQ(audioBytes, avi.streams[1].length);
  EXPECT_EQ(avi.dmlhFrames, 10u);
  ExpectIndexMatchesMovi(avi);
  ExpectOpenDmlIndexes(avi, 0, 0);
  ExpectOpenDmlIndexes(avi, 1, 1);
}

TEST(AviWriter, MjpegSingleFrameWithoutAudio) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"one.avi");
  ASSERT_EQ(testing_support::WriteMovie(path, Movie(352, 288, VideoCoding::kMjpeg), 1), S_OK);
  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(path, avi));
  EXPECT_EQ(avi.main.streams, 1u);
  EXPECT_EQ(avi.main.flags, media::kAvifHasIndex);
  ASSERT_EQ(avi.streams.size(), 1u);
  EXPECT_EQ(avi.streams[0].handler, media::FourCc('M', 'J', 'P', 'G'));
  ASSERT_EQ(DataChunks(*avi.movi).size(), 1u);
  const RiffChunk& jpeg = *DataChunks(*avi.movi)[0];
  EXPECT_EQ(jpeg.id, "00dc");
  const std::uint8_t* data = jpeg.Data(avi.bytes);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[1], 0xD8);
  EXPECT_EQ(data[jpeg.size - 2], 0xFF);
  EXPECT_EQ(data[jpeg.size - 1], 0xD9);
  EXPECT_LT(jpeg.size, 352u * 288 * 3 / 4) << "compressed";
  ExpectIndexMatchesMovi(avi);
}

TEST(AviWriter, AudioFollowsFractionalFrameRates) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"ntsc.avi");
  auto format = Movie(64, 48, VideoCoding::kUncompressedDib, Pcm(44100, 2, 16));
  format.rate = 30000, format.scale = 1001;
  ASSERT_EQ(testing_support::WriteMovie(path, format, 31), S_OK);
  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(path, avi));
  EXPECT_EQ(avi.main.microSecPerFrame, 33367u);
  EXPECT_EQ(avi.streams[1].length, 31u * 1001 * 44100 / 30000);
  for (const RiffChunk* c : DataChunks(*avi.movi)) {
    if (c->id == "01wb") {
      EXPECT_EQ(c->size % 4, 0u) << "whole sample frames only";
    }
  }
  format.SetFramePeriodMs(66);
  EXPECT_EQ(media::MicroSecPerFrame(format.rate, format.scale), 66000u);
}

TEST(AviWriter, BadFormatsAndPathsAreRefusedWithoutLeavingFiles) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"bad.avi");
  media::AviWriter writer;
  auto format = Movie(320, 240, VideoCoding::kMjpeg);
  auto expectRefused = [&](const media::MovieFormat& f) {
    EXPECT_EQ(writer.Open(path, f), E_INVALIDARG);
    EXPECT_TRUE(folder.Files().empty());
  };
  format.width = 0;
  expectRefused(format);
  format = Movie(320, 240, VideoCoding::kMjpeg), format.rate = 0;
  expectRefused(format);
  format = Movie(320, 240, VideoCoding::kMjpeg), format.jpegQuality = 101;
  expectRefused(format);
  expectRefused(Movie(320, 240, VideoCoding::kMjpeg, Pcm(11025, 1, 12)));
  EXPECT_EQ(writer.Open(folder.Path(L"missing\\x.avi"), Movie(32, 32, VideoCoding::kMjpeg)),
            HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(writer.Open(L"", Movie(32, 32, VideoCoding::kMjpeg)), E_INVALIDARG);
  EXPECT_EQ(writer.AddVideoFrame(testing_support::SceneFrame(32, 32, 0)), E_HANDLE) << "not open";
  EXPECT_EQ(writer.Close(), S_OK) << "closing a writer that never opened is harmless";
}

TEST(AviWriter, WrongFrameSizeIsRefusedAndTheFileStaysGood) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"mixed.avi");
  {
    media::AviWriter writer;
    ASSERT_EQ(writer.Open(path, Movie(64, 48, VideoCoding::kUncompressedDib, Pcm(8000, 1, 8))), S_OK);
    EXPECT_EQ(writer.Open(path, Movie(64, 48, VideoCoding::kMjpeg)), HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED));
    EXPECT_EQ(writer.AddVideoFrame(testing_support::SceneFrame(64, 48, 0)), S_OK);
    EXPECT_EQ(writer.AddVideoFrame(testing_support::SceneFrame(48, 64, 1)), E_INVALIDARG);
    EXPECT_EQ(writer.AddVideoFrame(media::Frame()), E_INVALIDARG);
    EXPECT_EQ(writer.AddVideoFrame(testing_support::SceneFrame(64, 48, 2)), S_OK);
    // Destroyed without Close: the destructor finishes the file.
  }
  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(path, avi));
  EXPECT_EQ(avi.main.totalFrames, 2u);
  EXPECT_EQ(avi.streams[1].length, 2u * 8000 / 15);
  ExpectIndexMatchesMovi(avi);
}

TEST(AviWriter, SizeLimitRefusesWholeFramesAndKeepsTheRest) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"limit.avi");
  auto format = Movie(64, 48, VideoCoding::kUncompressedDib, Pcm(11025, 1, 8));
  format.limits.maxFileBytes = 64 * 1024;
  media::AviWriter writer;
  ASSERT_EQ(writer.Open(path, format), S_OK);
  HRESULT hr = S_OK;
  std::uint32_t n = 0;
  while (SUCCEEDED(hr = writer.AddVideoFrame(testing_support::SceneFrame(64, 48, n)))) ++n;
  EXPECT_EQ(hr, HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE));
  EXPECT_GT(n, 3u);
  EXPECT_EQ(writer.FramesWritten(), n);
  EXPECT_EQ(writer.AddVideoFrame(testing_support::SceneFrame(64, 48, n)), hr) << "still refused";
  ASSERT_EQ(writer.Close(), S_OK);
  EXPECT_EQ(writer.Close(), S_OK) << "second close does nothing";
  EXPECT_LE(folder.FileSize(L"limit.avi"), format.limits.maxFileBytes);

  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(path, avi));
  EXPECT_EQ(avi.main.totalFrames, n);
  EXPECT_EQ(avi.streams[1].length, n * 11025u / 15) << "no audio of a refused frame";
  ExpectIndexMatchesMovi(avi);
}

}  // namespace
