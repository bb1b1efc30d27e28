// AVI files parsed back for the writer's tests: every RIFF part, the main
// and stream headers, the OpenDML super indexes and 'dmlh', the idx1
// index, and checks that the indexes point at the chunks they describe.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "AviTestFiles.h"
#include "RiffReader.h"
#include "media/AviHeaders.h"

namespace testing_support {

template <typename T>
inline T Read(const std::vector<std::uint8_t>& file, const RiffChunk* chunk) {
  T value = {};
  if (chunk) std::memcpy(&value, chunk->Data(file), sizeof value);
  return value;
}

struct SuperIndex {
  std::string chunkId;
  std::vector<media::AviSuperIndexEntry> entries;
};

struct ParsedAvi {
  std::vector<std::uint8_t> bytes;
  std::vector<RiffChunk> parts;  // 'AVI ', then 'AVIX' parts
  const RiffChunk* root = nullptr;
  media::AviMainHeader main = {};
  std::vector<media::AviStreamHeader> streams;
  std::vector<SuperIndex> superIndexes;
  std::uint32_t dmlhFrames = 0;
  const RiffChunk* movi = nullptr;
  std::vector<media::AviIndexEntry> index;
};

inline SuperIndex ReadSuperIndex(const std::vector<std::uint8_t>& file, const RiffChunk* indx) {
  SuperIndex index;
  if (!indx) return index;
  const std::uint8_t* data = indx->Data(file);
  std::uint32_t used = 0;
  std::memcpy(&used, data + 4, 4);
  index.chunkId.assign(reinterpret_cast<const char*>(data + 8), 4);
  index.entries.resize(used);
  std::memcpy(index.entries.data(), data + 24, used * sizeof(media::AviSuperIndexEntry));
  return index;
}

inline void ParseAvi(const std::wstring& path, ParsedAvi& avi) {
  avi.bytes = testing_support::ReadAll(path);
  std::string error;
  ASSERT_TRUE(testing_support::RiffReader(avi.bytes).ParseParts(avi.parts, error)) << error;
  avi.root = &avi.parts[0];
  ASSERT_EQ(avi.root->type, "AVI ");
  for (std::size_t i = 1; i < avi.parts.size(); ++i) ASSERT_EQ(avi.parts[i].type, "AVIX") << i;
  const RiffChunk* hdrl = avi.root->Find("hdrl");
  ASSERT_TRUE(hdrl && hdrl->Find("avih"));
  avi.main = Read<media::AviMainHeader>(avi.bytes, hdrl->Find("avih"));
  for (const RiffChunk* strl : hdrl->All("strl")) {
    ASSERT_TRUE(strl->Find("strh") && strl->Find("strf") && strl->Find("indx"));
    avi.streams.push_back(Read<media::AviStreamHeader>(avi.bytes, strl->Find("strh")));
    avi.superIndexes.push_back(ReadSuperIndex(avi.bytes, strl->Find("indx")));
  }
  const RiffChunk* odml = hdrl->Find("odml");
  ASSERT_TRUE(odml && odml->Find("dmlh"));
  avi.dmlhFrames = Read<std::uint32_t>(avi.bytes, odml->Find("dmlh"));
  avi.movi = avi.root->Find("movi");
  ASSERT_TRUE(avi.movi);
  if (const RiffChunk* idx1 = avi.root->Find("idx1")) {
    avi.index.resize(idx1->size / 16);
    std::memcpy(avi.index.data(), idx1->Data(avi.bytes), idx1->size / 16 * 16);
  }
}

inline bool IsStandardIndex(const RiffChunk& c) { return c.id.compare(0, 2, "ix") == 0; }

// The data chunks of a 'movi' list, without its standard indexes.
inline std::vector<const RiffChunk*> DataChunks(const RiffChunk& movi) {
  std::vector<const RiffChunk*> chunks;
  for (const RiffChunk& c : movi.children) {
    if (!IsStandardIndex(c)) chunks.push_back(&c);
  }
  return chunks;
}

// Every idx1 entry points at its movi chunk, in order, with key frame flags.
inline void ExpectIndexMatchesMovi(const ParsedAvi& avi) {
  const std::vector<const RiffChunk*> chunks = DataChunks(*avi.movi);
  ASSERT_EQ(avi.index.size(), chunks.size());
  for (std::size_t i = 0; i < avi.index.size(); ++i) {
    const media::AviIndexEntry& e = avi.index[i];
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&e.chunkId), 4), chunks[i]->id);
    EXPECT_EQ(e.offset + avi.movi->offset + 8, chunks[i]->offset) << "offsets count from 'movi'";
    EXPECT_EQ(e.size, chunks[i]->size);
    EXPECT_EQ(e.flags, media::kAviifKeyFrame);
  }
}

// Each part's standard index of `stream` lists exactly that part's chunks
// of the stream, and the super index points at it with the right duration.
inline void ExpectOpenDmlIndexes(const ParsedAvi& avi, std::size_t stream, std::uint32_t bytesPerUnit) {
  const SuperIndex& super = avi.superIndexes[stream];
  std::size_t used = 0;
  for (const RiffChunk& part : avi.parts) {
    const RiffChunk* movi = part.Find("movi");
    ASSERT_TRUE(movi);
    std::vector<const RiffChunk*> chunks;
    std::uint64_t units = 0;
    for (const RiffChunk* c : DataChunks(*movi)) {
      if (c->id == super.chunkId) chunks.push_back(c), units += bytesPerUnit ? c->size / bytesPerUnit : 1;
    }
    if (chunks.empty()) continue;
    ASSERT_LT(used, super.entries.size());
    const media::AviSuperIndexEntry& entry = super.entries[used++];
    EXPECT_EQ(entry.duration, units);
    const RiffChunk* ix = nullptr;
    for (const RiffChunk& c : movi->children) {
      if (c.offset == entry.offset) ix = &c;
    }
    ASSERT_TRUE(ix && IsStandardIndex(*ix)) << "super index entry points at an ix## chunk";
    EXPECT_EQ(entry.size, ix->size + 8);
    const std::uint8_t* data = ix->Data(avi.bytes);
    std::uint32_t count = 0;
    std::uint64_t base = 0;
    std::memcpy(&count, data + 4, 4);
    std::memcpy(&base, data + 12, 8);
    ASSERT_EQ(count, chunks.size());
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t offset = 0, size = 0;
      std::memcpy(&offset, data + 24 + 8 * i, 4);
      std::memcpy(&size, data + 28 + 8 * i, 4);
      EXPECT_EQ(base + offset, chunks[i]->offset + 8) << "entry points at the chunk data";
      EXPECT_EQ(size, chunks[i]->size) << "a key frame";
    }
  }
  EXPECT_EQ(used, super.entries.size());
}

}  // namespace testing_support
