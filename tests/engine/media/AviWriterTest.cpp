// AVI capture files parsed back chunk by chunk: headers, interleaving,
// index, limits and error paths.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "AviTestFiles.h"
#include "RiffReader.h"
#include "TempFolder.h"
#include "media/AviHeaders.h"

namespace {

using media::VideoCoding;
using testing_support::Movie;
using testing_support::Pcm;
using testing_support::RiffChunk;

template <typename T>
T Read(const std::vector<std::uint8_t>& file, const RiffChunk* chunk) {
  T value = {};
  if (chunk) std::memcpy(&value, chunk->Data(file), sizeof value);
  return value;
}

struct ParsedAvi {
  std::vector<std::uint8_t> bytes;
  RiffChunk root;
  media::AviMainHeader main = {};
  std::vector<media::AviStreamHeader> streams;
  const RiffChunk* movi = nullptr;
  std::vector<media::AviIndexEntry> index;
};

void Parse(const std::wstring& path, ParsedAvi& avi) {
  avi.bytes = testing_support::ReadAll(path);
  std::string error;
  ASSERT_TRUE(testing_support::RiffReader(avi.bytes).Parse(avi.root, error)) << error;
  ASSERT_EQ(avi.root.type, "AVI ");
  const RiffChunk* hdrl = avi.root.Find("hdrl");
  ASSERT_TRUE(hdrl && hdrl->Find("avih"));
  avi.main = Read<media::AviMainHeader>(avi.bytes, hdrl->Find("avih"));
  for (const RiffChunk* strl : hdrl->All("strl")) {
    ASSERT_TRUE(strl->Find("strh") && strl->Find("strf"));
    avi.streams.push_back(Read<media::AviStreamHeader>(avi.bytes, strl->Find("strh")));
  }
  avi.movi = avi.root.Find("movi");
  ASSERT_TRUE(avi.movi);
  if (const RiffChunk* idx1 = avi.root.Find("idx1")) {
    avi.index.resize(idx1->size / 16);
    std::memcpy(avi.index.data(), idx1->Data(avi.bytes), idx1->size / 16 * 16);
  }
}

// Every idx1 entry points at its movi chunk, in order, with key frame flags.
void ExpectIndexMatchesMovi(const ParsedAvi& avi) {
  ASSERT_EQ(avi.index.size(), avi.movi->children.size());
  for (std::size_t i = 0; i < avi.index.size(); ++i) {
    const RiffChunk& chunk = avi.movi->children[i];
    const media::AviIndexEntry& e = avi.index[i];
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&e.chunkId), 4), chunk.id);
    EXPECT_EQ(e.offset + avi.movi->offset + 8, chunk.offset) << "offsets count from 'movi'";
    EXPECT_EQ(e.size, chunk.size);
    EXPECT_EQ(e.flags, media::kAviifKeyFrame);
  }
}

TEST(AviWriter, UncompressedWithAudioIsInterleavedAndIndexed) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"dib.avi");
  ASSERT_EQ(testing_support::WriteMovie(path, Movie(161, 121, VideoCoding::kUncompressedDib,
                                                    Pcm(11025, 1, 8)), 10), S_OK);
  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(Parse(path, avi));
  EXPECT_EQ(avi.root.size + 8, avi.bytes.size());
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

  const auto format = Read<BITMAPINFOHEADER>(avi.bytes, avi.root.Find("hdrl")->All("strl")[0]->Find("strf"));
  EXPECT_EQ(format.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(format.biBitCount, 24);
  const auto wave = Read<WAVEFORMATEX>(avi.bytes, avi.root.Find("hdrl")->All("strl")[1]->Find("strf"));
  EXPECT_EQ(wave.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(wave.nSamplesPerSec, 11025u);
  EXPECT_EQ(wave.wBitsPerSample, 8);

  // Video then its audio, frame after frame; frames stored as DIB rows.
  ASSERT_EQ(avi.movi->children.size(), 20u);
  std::uint32_t audioBytes = 0;
  for (std::size_t i = 0; i < 20; i += 2) {
    const RiffChunk& video = avi.movi->children[i];
    EXPECT_EQ(video.id, "00db");
    EXPECT_EQ(avi.movi->children[i + 1].id, "01wb");
    audioBytes += avi.movi->children[i + 1].size;
    const media::Frame expected = testing_support::SceneFrame(161, 121, static_cast<std::uint32_t>(i / 2));
    ASSERT_EQ(video.size, expected.ImageBytes());
    EXPECT_EQ(std::memcmp(video.Data(avi.bytes), expected.Bits(), video.size), 0) << i / 2;
  }
  EXPECT_EQ(audioBytes, avi.streams[1].length);
  ExpectIndexMatchesMovi(avi);
}

TEST(AviWriter, MjpegSingleFrameWithoutAudio) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"one.avi");
  ASSERT_EQ(testing_support::WriteMovie(path, Movie(352, 288, VideoCoding::kMjpeg), 1), S_OK);
  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(Parse(path, avi));
  EXPECT_EQ(avi.main.streams, 1u);
  EXPECT_EQ(avi.main.flags, media::kAvifHasIndex);
  ASSERT_EQ(avi.streams.size(), 1u);
  EXPECT_EQ(avi.streams[0].handler, media::FourCc('M', 'J', 'P', 'G'));
  ASSERT_EQ(avi.movi->children.size(), 1u);
  const RiffChunk& jpeg = avi.movi->children[0];
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
  ASSERT_NO_FATAL_FAILURE(Parse(path, avi));
  EXPECT_EQ(avi.main.microSecPerFrame, 33367u);
  EXPECT_EQ(avi.streams[1].length, 31u * 1001 * 44100 / 30000);
  for (const RiffChunk& c : avi.movi->children) {
    if (c.id == "01wb") {
      EXPECT_EQ(c.size % 4, 0u) << "whole sample frames only";
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
  ASSERT_NO_FATAL_FAILURE(Parse(path, avi));
  EXPECT_EQ(avi.main.totalFrames, 2u);
  EXPECT_EQ(avi.streams[1].length, 2u * 8000 / 15);
  ExpectIndexMatchesMovi(avi);
}

TEST(AviWriter, SizeLimitRefusesWholeFramesAndKeepsTheRest) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.Path(L"limit.avi");
  auto format = Movie(64, 48, VideoCoding::kUncompressedDib, Pcm(11025, 1, 8));
  format.maxFileBytes = 64 * 1024;
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
  EXPECT_LE(folder.FileSize(L"limit.avi"), format.maxFileBytes);

  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(Parse(path, avi));
  EXPECT_EQ(avi.main.totalFrames, n);
  EXPECT_EQ(avi.streams[1].length, n * 11025u / 15) << "no audio of a refused frame";
  ExpectIndexMatchesMovi(avi);
}

}  // namespace
