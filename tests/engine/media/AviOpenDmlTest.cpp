// Capture files that stay readable while they grow, and long capture
// files in OpenDML form: the file as it lies on disk after every frame,
// RIFF parts with their standard and super indexes, and the limits of
// parts and files.
#include <gtest/gtest.h>

#include <windows.h>

#include "AviTestFiles.h"
#include "ParsedAvi.h"
#include "TempFolder.h"

namespace {

using media::VideoCoding;
using testing_support::DataChunks;
using testing_support::Movie;
using testing_support::ParsedAvi;
using testing_support::Pcm;
using testing_support::SceneFrame;

const HRESULT kTooLarge = HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);

TEST(AviLiveFile, DescribesEveryFrameWhileItIsWritten) {
  const struct {
    const wchar_t* name;
    media::MovieFormat format;
  } cases[] = {
      {L"dib.avi", Movie(64, 48, VideoCoding::kUncompressedDib, Pcm(11025, 1, 8))},
      {L"mjpeg.avi", Movie(96, 64, VideoCoding::kMjpeg)},
  };
  testing_support::TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name);
    const std::wstring path = folder.Path(c.name);
    media::AviWriter writer;
    ASSERT_EQ(writer.Open(path, c.format), S_OK);
    for (std::uint32_t n = 0; n <= 4; ++n) {
      if (n > 0) ASSERT_EQ(writer.AddVideoFrame(SceneFrame(c.format.width, c.format.height, n)), S_OK);
      // What a reader finds if the writer died here: one RIFF that ends
      // with the last chunk, counts of every chunk, no index yet.
      ParsedAvi avi;
      ASSERT_NO_FATAL_FAILURE(ParseAvi(path, avi));
      ASSERT_EQ(avi.parts.size(), 1u);
      EXPECT_EQ(avi.root->size + 8, avi.bytes.size()) << n;
      EXPECT_EQ(avi.movi->offset + 8 + avi.movi->size, avi.bytes.size()) << n;
      EXPECT_EQ(DataChunks(*avi.movi).size(), n * (c.format.audio ? 2u : 1u));
      EXPECT_EQ(avi.main.totalFrames, n);
      EXPECT_EQ(avi.streams[0].length, n);
      EXPECT_EQ(avi.dmlhFrames, n);
      if (c.format.audio) EXPECT_EQ(avi.streams[1].length, n * 11025u / 15);
      EXPECT_EQ(avi.main.flags & media::kAvifHasIndex, 0u);
      EXPECT_TRUE(avi.index.empty());
    }
    ASSERT_EQ(writer.Close(), S_OK);
    ParsedAvi closed;
    ASSERT_NO_FATAL_FAILURE(ParseAvi(path, closed));
    EXPECT_EQ(closed.main.flags & media::kAvifHasIndex, media::kAvifHasIndex);
    EXPECT_EQ(closed.index.size(), 4u * (c.format.audio ? 2u : 1u));
  }
}

TEST(AviOpenDml, LongMoviesContinueInAvixParts) {
  const struct {
    const wchar_t* name;
    media::MovieFormat format;
    int frames;
  } cases[] = {
      {L"sound.avi", Movie(160, 120, VideoCoding::kUncompressedDib, Pcm(22050, 2, 16)), 23},
      {L"silent.avi", Movie(160, 120, VideoCoding::kUncompressedDib), 17},
      {L"mjpeg.avi", Movie(320, 240, VideoCoding::kMjpeg, Pcm(11025, 1, 8)), 40},
  };
  testing_support::TempFolder folder;
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << c.name);
    c.format.limits.maxRiffBytes = 256 * 1024;
    const std::wstring path = folder.Path(c.name);
    ASSERT_EQ(testing_support::WriteMovie(path, c.format, c.frames), S_OK);
    ParsedAvi avi;
    ASSERT_NO_FATAL_FAILURE(ParseAvi(path, avi));
    ASSERT_GE(avi.parts.size(), 3u);
    std::uint32_t frames = 0, firstFrames = 0;
    for (std::size_t i = 0; i < avi.parts.size(); ++i) {
      EXPECT_LE(avi.parts[i].size + 8u, c.format.limits.maxRiffBytes) << "part " << i;
      const testing_support::RiffChunk* movi = avi.parts[i].Find("movi");
      ASSERT_TRUE(movi);
      EXPECT_EQ(movi->children.back().id, c.format.audio ? "ix01" : "ix00") << "indexes end each part";
      EXPECT_EQ(avi.parts[i].Find("idx1") != nullptr, i == 0) << "idx1 only in the first part";
      for (const auto* chunk : DataChunks(*movi)) frames += chunk->id[2] == 'd' ? 1 : 0;
      if (i == 0) firstFrames = frames;
    }
    EXPECT_EQ(frames, static_cast<std::uint32_t>(c.frames));
    EXPECT_EQ(avi.dmlhFrames, frames);
    // Readers without the extensions see the first part, consistently.
    EXPECT_EQ(avi.main.totalFrames, firstFrames);
    EXPECT_EQ(avi.streams[0].length, firstFrames);
    testing_support::ExpectIndexMatchesMovi(avi);
    testing_support::ExpectOpenDmlIndexes(avi, 0, 0);
    if (c.format.audio) testing_support::ExpectOpenDmlIndexes(avi, 1, static_cast<std::uint32_t>(c.format.audio->BlockAlign()));
  }
}

TEST(AviOpenDml, PartsAndFilesStopAtTheirLimitsAndStayValid) {
  testing_support::TempFolder folder;
  // A frame larger than a whole part is refused; the empty movie is fine.
  auto big = Movie(320, 240, VideoCoding::kUncompressedDib);
  big.limits.maxRiffBytes = media::AviLimits::kMinRiffBytes;
  EXPECT_EQ(testing_support::WriteMovie(folder.Path(L"big.avi"), big, 1), kTooLarge);
  ParsedAvi empty;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(folder.Path(L"big.avi"), empty));
  EXPECT_EQ(empty.dmlhFrames, 0u);

  // The super indexes hold kSuperIndexEntries parts; the next frame is
  // refused and the file keeps all of them.
  auto many = Movie(32, 32, VideoCoding::kUncompressedDib);
  many.limits.maxRiffBytes = media::AviLimits::kMinRiffBytes;
  media::AviWriter writer;
  ASSERT_EQ(writer.Open(folder.Path(L"many.avi"), many), S_OK);
  HRESULT hr = S_OK;
  for (std::uint32_t n = 0; SUCCEEDED(hr) && n < 20000; ++n) hr = writer.AddVideoFrame(SceneFrame(32, 32, n));
  EXPECT_EQ(hr, kTooLarge);
  EXPECT_EQ(writer.RiffParts(), media::kSuperIndexEntries);
  const std::uint32_t written = writer.FramesWritten();
  ASSERT_EQ(writer.Close(), S_OK);
  ParsedAvi avi;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(folder.Path(L"many.avi"), avi));
  EXPECT_EQ(avi.parts.size(), media::kSuperIndexEntries);
  EXPECT_EQ(avi.dmlhFrames, written);
  testing_support::ExpectOpenDmlIndexes(avi, 0, 0);

  // A file limit across parts: whole frames only, indexes included.
  auto limited = Movie(64, 48, VideoCoding::kUncompressedDib, Pcm(8000, 1, 8));
  limited.limits.maxRiffBytes = media::AviLimits::kMinRiffBytes;
  limited.limits.maxFileBytes = 300 * 1024;
  EXPECT_EQ(testing_support::WriteMovie(folder.Path(L"limited.avi"), limited, 1000), kTooLarge);
  EXPECT_LE(folder.FileSize(L"limited.avi"), limited.limits.maxFileBytes);
  ParsedAvi cut;
  ASSERT_NO_FATAL_FAILURE(ParseAvi(folder.Path(L"limited.avi"), cut));
  EXPECT_GE(cut.parts.size(), 4u);
  testing_support::ExpectOpenDmlIndexes(cut, 1, 1);
}

}  // namespace
