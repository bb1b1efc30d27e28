// The control's link to the camera engine: the engine's two byte-buffer
// calls, and typed helpers over them. The real link runs over
// ICameraEngine (EngineClient); tests use a fake that records the calls.
// Outputs are written only when the engine succeeded, so a failed call
// leaves the caller's preset values in place.
#pragma once

#include <windows.h>

namespace portal {

// Whether a failed call means the engine's process is gone (killed or
// crashed) rather than a refusal by a living engine.
inline bool IsEngineGone(HRESULT hr) {
  return hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) ||
         hr == RPC_E_DISCONNECTED || hr == RPC_E_SERVER_DIED || hr == RPC_E_SERVER_DIED_DNE ||
         hr == CO_E_OBJNOTCONNECTED;
}

class EngineLink {
 public:
  virtual ~EngineLink() = default;

  // Raw calls: null buffers are allowed with any size of zero; the result
  // is the engine's HRESULT.
  virtual HRESULT Execute(LONG command, LONG subCode, const void* input, LONG inputSize, void* second,
                          LONG secondSize) = 0;
  virtual HRESULT Inquire(LONG command, LONG subCode, const void* input, LONG inputSize, void* output,
                          LONG outputSize) = 0;

  bool ExecuteBare(LONG command, LONG subCode) { return SUCCEEDED(Execute(command, subCode, nullptr, 0, nullptr, 0)); }
  bool ExecuteLong(LONG command, LONG subCode, LONG value) {
    return SUCCEEDED(Execute(command, subCode, &value, sizeof(value), nullptr, 0));
  }
  template <typename Record>
  bool ExecuteRecord(LONG command, LONG subCode, const Record& record) {
    return SUCCEEDED(Execute(command, subCode, &record, sizeof(record), nullptr, 0));
  }

  // Reads a long; *value changes only on success.
  bool InquireLong(LONG command, LONG subCode, LONG* value) {
    LONG answer = 0;
    if (FAILED(Inquire(command, subCode, nullptr, 0, &answer, sizeof(answer)))) return false;
    *value = answer;
    return true;
  }
  bool InquireLongWithInput(LONG command, LONG subCode, LONG input, LONG* value) {
    LONG answer = 0;
    if (FAILED(Inquire(command, subCode, &input, sizeof(input), &answer, sizeof(answer)))) return false;
    *value = answer;
    return true;
  }
  // Asks about a record whose answer is the success alone (a size probe, a
  // feature inquiry): the record travels in the input, nothing comes back.
  template <typename Record>
  bool InquireAbout(LONG command, LONG subCode, const Record& request) {
    return SUCCEEDED(Inquire(command, subCode, &request, sizeof(request), nullptr, 0));
  }
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
  // Asks with a record that the engine answers in a copy of it (the
  // request's fields preset in the answer); *record changes only on success.
  template <typename Record>
  bool InquireRecordWithInput(LONG command, LONG subCode, const Record& request, Record* record) {
    Record answer = request;
    if (FAILED(Inquire(command, subCode, &request, sizeof(request), &answer, sizeof(answer)))) return false;
    *record = answer;
    return true;
  }
};

}  // namespace portal
