// One Execute or Inquire call as the command handlers see it, with the
// checked accessors every handler uses: a record is read only when the
// buffer holds all of it, an answer is written only when the output holds
// all of it. Oversized buffers are fine; only the record's bytes are used.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace engine {

struct Call {
  long command = 0;
  long subCode = 0;
  long flags = 0;
  const BYTE* input = nullptr;
  long inputSize = 0;
  BYTE* second = nullptr;  // Execute only: the caller's buffer (22/3)
  long secondSize = 0;
  BYTE* output = nullptr;  // Inquire only
  long outputSize = 0;

  bool HasInput(std::size_t bytes) const noexcept {
    return input && inputSize >= 0 && static_cast<std::size_t>(inputSize) >= bytes;
  }
  bool HasOutput(std::size_t bytes) const noexcept {
    return output && outputSize >= 0 && static_cast<std::size_t>(outputSize) >= bytes;
  }
};

// Copies a record from the input; E_INVALIDARG when the input is short.
template <typename Record>
HRESULT ReadRecord(const Call& call, Record* record) {
  if (!call.HasInput(sizeof(Record))) return E_INVALIDARG;
  std::memcpy(record, call.input, sizeof(Record));
  return S_OK;
}

// As ReadRecord, for records that begin with their own size.
template <typename Record>
HRESULT ReadSizedRecord(const Call& call, Record* record) {
  const HRESULT hr = ReadRecord(call, record);
  if (FAILED(hr)) return hr;
  return record->size == sizeof(Record) ? S_OK : E_INVALIDARG;
}

inline HRESULT ReadLong(const Call& call, long* value) {
  std::int32_t raw = 0;
  const HRESULT hr = ReadRecord(call, &raw);
  if (SUCCEEDED(hr)) *value = raw;
  return hr;
}

template <typename Record>
HRESULT WriteRecord(const Call& call, const Record& record) {
  if (!call.HasOutput(sizeof(Record))) return E_INVALIDARG;
  std::memcpy(call.output, &record, sizeof(Record));
  return S_OK;
}

inline HRESULT WriteLong(const Call& call, long value) {
  return WriteRecord(call, static_cast<std::int32_t>(value));
}

}  // namespace engine
