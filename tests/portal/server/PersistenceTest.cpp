// The control persists its extent and nothing else: two 32-bit values,
// _cx then _cy in HIMETRIC, through a stream or a storage's "Contents"
// stream. Damaged data is refused without changing the control.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/ComPtr.h"

namespace portal_test {
namespace {

constexpr SIZEL kDefaultExtent = {8467, 6350};  // 320 x 240 pixels at 96 dpi

common::ComPtr<IStream> StreamWith(const std::vector<BYTE>& bytes) {
  common::ComPtr<IStream> stream;
  EXPECT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
  ULONG written = 0;
  if (!bytes.empty()) {
    EXPECT_EQ(S_OK, stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
  }
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  return stream;
}

std::vector<BYTE> StreamBytes(IStream* stream) {
  STATSTG stat = {};
  EXPECT_EQ(S_OK, stream->Stat(&stat, STATFLAG_NONAME));
  std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  if (!bytes.empty()) stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  return bytes;
}

common::ComPtr<IStorage> NewStorage() {
  common::ComPtr<ILockBytes> bytes;
  EXPECT_EQ(S_OK, ::CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.put()));
  common::ComPtr<IStorage> storage;
  EXPECT_EQ(S_OK, ::StgCreateDocfileOnILockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                                 storage.put()));
  return storage;
}

class PersistenceTest : public OleTest {
 protected:
  void SetUp() override {
    OleTest::SetUp();
    object_ = CreatePortal<IOleObject>();
    ASSERT_TRUE(object_);
    ASSERT_EQ(S_OK, object_.As(&stream_));
    ASSERT_EQ(S_OK, object_.As(&storage_));
  }

  void SetExtent(LONG cx, LONG cy) {
    SIZEL extent = {cx, cy};
    ASSERT_EQ(S_OK, object_->SetExtent(DVASPECT_CONTENT, &extent));
  }

  SIZEL ExtentOf(IOleObject* object) {
    SIZEL extent = {-1, -1};
    EXPECT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &extent));
    return extent;
  }

  void ExpectExtent(LONG cx, LONG cy) {
    const SIZEL extent = ExtentOf(object_.get());
    EXPECT_EQ(cx, extent.cx);
    EXPECT_EQ(cy, extent.cy);
  }

  common::ComPtr<IOleObject> object_;
  common::ComPtr<IPersistStreamInit> stream_;
  common::ComPtr<IPersistStorage> storage_;
};

TEST_F(PersistenceTest, StreamHoldsExactlyTheTwoExtentValues) {
  ASSERT_EQ(S_OK, stream_->InitNew());
  ExpectExtent(kDefaultExtent.cx, kDefaultExtent.cy);
  SetExtent(0x01020304, 5678);
  common::ComPtr<IStream> stream = StreamWith({});
  ASSERT_EQ(S_OK, stream_->Save(stream.get(), TRUE));
  const std::vector<BYTE> expected = {0x04, 0x03, 0x02, 0x01, 0x2E, 0x16, 0x00, 0x00};
  EXPECT_EQ(expected, StreamBytes(stream.get()));
  ULARGE_INTEGER sizeMax = {};
  ASSERT_EQ(S_OK, stream_->GetSizeMax(&sizeMax));
  EXPECT_EQ(expected.size(), sizeMax.QuadPart);
  CLSID classId = {};
  ASSERT_EQ(S_OK, stream_->GetClassID(&classId));
  EXPECT_EQ(CLSID_VideoPortal, classId);
}

TEST_F(PersistenceTest, StreamRoundTripRestoresTheExtentAndStopsAtItsEnd) {
  SetExtent(12345, 67890);
  common::ComPtr<IStream> stream = StreamWith({});
  ASSERT_EQ(S_OK, stream_->Save(stream.get(), TRUE));
  // A container may store its own data right behind the control's.
  const BYTE trailer[] = {0xAA, 0xBB};
  ASSERT_EQ(S_OK, stream->Write(trailer, sizeof(trailer), nullptr));
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);

  auto loaded = CreatePortal<IPersistStreamInit>();
  ASSERT_TRUE(loaded);
  ASSERT_EQ(S_OK, loaded->Load(stream.get()));
  ULARGE_INTEGER position = {};
  LARGE_INTEGER none = {};
  stream->Seek(none, STREAM_SEEK_CUR, &position);
  EXPECT_EQ(8u, position.QuadPart);
  common::ComPtr<IOleObject> loadedObject;
  ASSERT_EQ(S_OK, loaded.As(&loadedObject));
  const SIZEL extent = ExtentOf(loadedObject.get());
  EXPECT_EQ(12345, extent.cx);
  EXPECT_EQ(67890, extent.cy);
  EXPECT_EQ(S_FALSE, loaded->IsDirty());
}

TEST_F(PersistenceTest, DirtyFlagFollowsChangesAndSaves) {
  EXPECT_EQ(S_FALSE, stream_->IsDirty());
  SetExtent(100, 200);
  EXPECT_EQ(S_OK, stream_->IsDirty());
  common::ComPtr<IStream> stream = StreamWith({});
  ASSERT_EQ(S_OK, stream_->Save(stream.get(), FALSE));
  EXPECT_EQ(S_OK, stream_->IsDirty());
  ASSERT_EQ(S_OK, stream_->Save(stream.get(), TRUE));
  EXPECT_EQ(S_FALSE, stream_->IsDirty());
  SetExtent(100, 200);  // the same extent again is no change
  EXPECT_EQ(S_FALSE, stream_->IsDirty());
}

TEST_F(PersistenceTest, ShortOrCorruptStreamsAreRefusedAndChangeNothing) {
  SetExtent(111, 222);
  const std::vector<std::vector<BYTE>> damaged = {
      {},
      {0x10, 0x00, 0x00},
      {0x10, 0x00, 0x00, 0x00},
      {0x10, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00},
      {0xFF, 0xFF, 0xFF, 0xFF, 0x20, 0x00, 0x00, 0x00},  // beyond any extent
      {0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80},
  };
  for (const auto& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    common::ComPtr<IStream> stream = StreamWith(bytes);
    EXPECT_TRUE(FAILED(stream_->Load(stream.get())));
    ExpectExtent(111, 222);
    EXPECT_EQ(S_OK, stream_->IsDirty());
  }
  EXPECT_EQ(E_POINTER, stream_->Load(nullptr));
  EXPECT_EQ(E_POINTER, stream_->Save(nullptr, TRUE));
  EXPECT_EQ(E_POINTER, stream_->GetSizeMax(nullptr));
}

TEST_F(PersistenceTest, StorageKeepsTheExtentInItsContentsStream) {
  common::ComPtr<IStorage> storage = NewStorage();
  ASSERT_EQ(S_OK, storage_->InitNew(storage.get()));
  SetExtent(4000, 3000);
  ASSERT_EQ(S_OK, storage_->Save(storage.get(), TRUE));
  ASSERT_EQ(S_OK, storage_->SaveCompleted(nullptr));
  EXPECT_EQ(S_FALSE, storage_->IsDirty());

  common::ComPtr<IStream> contents;
  ASSERT_EQ(S_OK, storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, contents.put()));
  const std::vector<BYTE> expected = {0xA0, 0x0F, 0x00, 0x00, 0xB8, 0x0B, 0x00, 0x00};
  EXPECT_EQ(expected, StreamBytes(contents.get()));
  contents.reset();

  auto loaded = CreatePortal<IPersistStorage>();
  ASSERT_TRUE(loaded);
  ASSERT_EQ(S_OK, loaded->Load(storage.get()));
  EXPECT_EQ(S_OK, loaded->HandsOffStorage());
  common::ComPtr<IOleObject> loadedObject;
  ASSERT_EQ(S_OK, loaded.As(&loadedObject));
  const SIZEL extent = ExtentOf(loadedObject.get());
  EXPECT_EQ(4000, extent.cx);
  EXPECT_EQ(3000, extent.cy);
}

TEST_F(PersistenceTest, StorageWithoutContentsOrWithShortContentsIsRefused) {
  SetExtent(55, 66);
  common::ComPtr<IStorage> empty = NewStorage();
  EXPECT_TRUE(FAILED(storage_->Load(empty.get())));
  ExpectExtent(55, 66);

  common::ComPtr<IStorage> truncated = NewStorage();
  common::ComPtr<IStream> contents;
  ASSERT_EQ(S_OK, truncated->CreateStream(L"Contents", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                          contents.put()));
  const BYTE half[] = {1, 2, 3, 4, 5};
  ASSERT_EQ(S_OK, contents->Write(half, sizeof(half), nullptr));
  contents.reset();
  EXPECT_TRUE(FAILED(storage_->Load(truncated.get())));
  ExpectExtent(55, 66);
  EXPECT_EQ(E_POINTER, storage_->Load(nullptr));
  EXPECT_EQ(E_POINTER, storage_->InitNew(nullptr));
}

TEST_F(PersistenceTest, InitNewRestoresTheDefaultExtent) {
  SetExtent(1, 2);
  ASSERT_EQ(S_OK, stream_->InitNew());
  ExpectExtent(kDefaultExtent.cx, kDefaultExtent.cy);
  EXPECT_EQ(S_FALSE, stream_->IsDirty());
}

}  // namespace
}  // namespace portal_test
