// The control's side of the camera engine: one ICameraEngine pointer and
// typed helpers over its two byte-buffer calls. Outputs are written only
// when the engine succeeded, so a failed call leaves the caller's preset
// values in place. A dead engine process makes every call fail at once.
#pragma once

#include <windows.h>

#include <memory>

#include "CameraEngine.h"
#include "common/ComPtr.h"
#include "engine/interface/EngineRecords.h"

namespace portal {

class EngineClient {
 public:
  explicit EngineClient(common::ComPtr<ICameraEngine> engine) : engine_(std::move(engine)) {}

  // Starts (or attaches to) the engine process and creates an engine.
  static HRESULT Create(std::unique_ptr<EngineClient>* client);

  // Raw calls: null buffers are allowed with any size of zero; the result
  // is the engine's HRESULT.
  HRESULT Execute(LONG command, LONG subCode, const void* input, LONG inputSize, void* second = nullptr,
                  LONG secondSize = 0);
  HRESULT Inquire(LONG command, LONG subCode, const void* input, LONG inputSize, void* output, LONG outputSize);

  bool ExecuteBare(LONG command, LONG subCode) { return SUCCEEDED(Execute(command, subCode, nullptr, 0)); }
  bool ExecuteLong(LONG command, LONG subCode, LONG value) {
    return SUCCEEDED(Execute(command, subCode, &value, sizeof(value)));
  }
  template <typename Record>
  bool ExecuteRecord(LONG command, LONG subCode, const Record& record) {
    return SUCCEEDED(Execute(command, subCode, &record, sizeof(record)));
  }

  // Reads a long; *value changes only on success.
  bool InquireLong(LONG command, LONG subCode, LONG* value);
  bool InquireLongWithInput(LONG command, LONG subCode, LONG input, LONG* value);
  // Reads a record whose size field is preset; *record changes only on
  // success.
  template <typename Record>
  bool InquireRecord(LONG command, LONG subCode, Record* record) {
    Record answer = {};
    answer.size = sizeof(Record);
    if (FAILED(Inquire(command, subCode, nullptr, 0, &answer, sizeof(answer)))) return false;
    *record = answer;
    return true;
  }

 private:
  common::ComPtr<ICameraEngine> engine_;
};

}  // namespace portal
