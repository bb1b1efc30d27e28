// OleControl: persistence of the extent, the control's only saved state.
// A stream holds exactly two little-endian 32-bit unsigned values, _cx then
// _cy in HIMETRIC; a storage keeps that stream under the name "Contents".
#include "server/OleControl.h"

#include <cstdint>

#include "common/HResult.h"

namespace portal {
namespace {

constexpr ULONG kExtentBytes = 8;
constexpr wchar_t kContentsStream[] = L"Contents";

uint32_t ReadLittleEndian(const BYTE* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

void WriteLittleEndian(uint32_t value, BYTE* bytes) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i));
}

}  // namespace

// Reads both values before changing anything, so that a short stream or
// values no extent can have leave the control as it was.
HRESULT OleControl::ReadExtent(IStream* stream) {
  if (!stream) return E_POINTER;
  BYTE bytes[kExtentBytes] = {};
  ULONG read = 0;
  RETURN_IF_FAILED(stream->Read(bytes, kExtentBytes, &read));
  if (read != kExtentBytes) return STG_E_READFAULT;
  const uint32_t cx = ReadLittleEndian(bytes);
  const uint32_t cy = ReadLittleEndian(bytes + 4);
  // SIZEL holds signed values; anything above LONG's range is corruption.
  if (cx > 0x7FFFFFFFu || cy > 0x7FFFFFFFu) return E_FAIL;
  extent_ = {static_cast<LONG>(cx), static_cast<LONG>(cy)};
  dirty_ = false;
  NotifyViewChange();
  return S_OK;
}

HRESULT OleControl::WriteExtent(IStream* stream) const {
  if (!stream) return E_POINTER;
  BYTE bytes[kExtentBytes];
  WriteLittleEndian(static_cast<uint32_t>(extent_.cx), bytes);
  WriteLittleEndian(static_cast<uint32_t>(extent_.cy), bytes + 4);
  ULONG written = 0;
  RETURN_IF_FAILED(stream->Write(bytes, kExtentBytes, &written));
  return written == kExtentBytes ? S_OK : STG_E_MEDIUMFULL;
}

// --- IPersist / IPersistStreamInit ----------------------------------------------------

HRESULT OleControl::GetClassID(CLSID* classId) {
  if (!classId) return E_POINTER;
  *classId = classId_;
  return S_OK;
}

HRESULT OleControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

HRESULT OleControl::Load(IStream* stream) { return ReadExtent(stream); }

HRESULT OleControl::Save(IStream* stream, BOOL clearDirty) {
  RETURN_IF_FAILED(WriteExtent(stream));
  if (clearDirty) dirty_ = false;
  return S_OK;
}

HRESULT OleControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  size->QuadPart = kExtentBytes;
  return S_OK;
}

HRESULT OleControl::InitNew() {
  extent_ = initialExtent_;
  dirty_ = false;
  return S_OK;
}

// --- IPersistStorage ---------------------------------------------------------------

HRESULT OleControl::InitNew(IStorage* storage) {
  if (!storage) return E_POINTER;
  return InitNew();
}

HRESULT OleControl::Load(IStorage* storage) {
  if (!storage) return E_POINTER;
  common::ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put()));
  return ReadExtent(stream.get());
}

HRESULT OleControl::Save(IStorage* storage, BOOL sameAsLoad) {
  if (!storage) return E_POINTER;
  common::ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->CreateStream(kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                         stream.put()));
  RETURN_IF_FAILED(WriteExtent(stream.get()));
  if (sameAsLoad) dirty_ = false;
  return S_OK;
}

HRESULT OleControl::SaveCompleted(IStorage*) {
  if (oleAdviseHolder_) oleAdviseHolder_->SendOnSave();
  return S_OK;
}

// The control keeps no storage open between calls, so there is nothing to
// let go of.
HRESULT OleControl::HandsOffStorage() { return S_OK; }

}  // namespace portal
