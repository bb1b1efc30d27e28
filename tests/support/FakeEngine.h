// A camera engine for component tests: it records every command it
// receives (command, sub-code, input bytes) and answers from a script.
//
//   FakeEngine engine;
//   engine.OnInquire(kCmdCameraCount).Returns(3L);
//   engine.OnInquire(kCmdCameraInUse).WithInput(1L).Returns(1L);
//   engine.OnExecute(kCmdConnect).Once().Fails();
//   session.Prepare(engine.NewLink(), L"Test", L"Software\\Test");
//   EXPECT_TRUE(MatchSequence("engine calls", engine.Calls(), {Inquire(kCmdCameraCount), ...}));
//
// The newest matching rule answers; a rule made with Once() answers one
// call only. Unscripted commands succeed, unscripted inquiries fail
// (E_NOTIMPL): a test says what the engine knows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/EngineLink.h"

namespace testing_support {

enum class EngineOp { kExecute, kInquire };

// One call the component made.
struct EngineCall {
  EngineOp op;
  LONG command;
  LONG subCode;
  std::vector<BYTE> input;
  LONG outputSize;  // the output buffer of an inquiry, the second buffer of a command

  // The input as a record (zero-filled when the input is shorter).
  template <typename Record>
  Record InputAs() const {
    Record record = {};
    std::memcpy(&record, input.data(), std::min(input.size(), sizeof(record)));
    return record;
  }
};

// A row of an expected call table; the input is compared when given (its
// first 32-bit value).
struct ExpectedEngineCall {
  EngineOp op;
  LONG command;
  LONG subCode;
  std::optional<LONG> input;
};

inline ExpectedEngineCall Execute(LONG command, LONG subCode = 0) { return {EngineOp::kExecute, command, subCode, {}}; }
inline ExpectedEngineCall ExecuteWith(LONG command, LONG subCode, LONG input) {
  return {EngineOp::kExecute, command, subCode, input};
}
inline ExpectedEngineCall Inquire(LONG command, LONG subCode = 0) { return {EngineOp::kInquire, command, subCode, {}}; }
inline ExpectedEngineCall InquireWith(LONG command, LONG subCode, LONG input) {
  return {EngineOp::kInquire, command, subCode, input};
}

bool Matches(const EngineCall& actual, const ExpectedEngineCall& expected);
std::string Describe(const EngineCall& call);
std::string Describe(const ExpectedEngineCall& call);

class FakeEngine {
 public:
  static constexpr LONG kAnySubCode = -0x7FFFFFFF;

  // What the engine answers the calls a rule matches.
  class Rule {
   public:
    // Matches only calls whose input begins with this 32-bit value.
    Rule& WithInput(LONG value);
    // Answers one call, then no more.
    Rule& Once();
    void Returns(LONG value) { ReturnsBytes(&value, sizeof(value)); }
    template <typename Record>
    void Returns(const Record& record) {
      ReturnsBytes(&record, sizeof(record));
    }
    void Fails(HRESULT hr = E_FAIL) { hr_ = hr; }
    void Succeeds() { hr_ = S_OK; }

   private:
    friend class FakeEngine;
    Rule(EngineOp op, LONG command, LONG subCode) : op_(op), command_(command), subCode_(subCode) {}
    void ReturnsBytes(const void* data, size_t size);
    bool Applies(const EngineCall& call) const;

    EngineOp op_;
    LONG command_;
    LONG subCode_;
    std::optional<LONG> input_;
    bool once_ = false;
    bool used_ = false;
    HRESULT hr_ = S_OK;
    std::vector<BYTE> output_;
  };

  FakeEngine() = default;
  FakeEngine(const FakeEngine&) = delete;
  FakeEngine& operator=(const FakeEngine&) = delete;

  Rule& OnExecute(LONG command, LONG subCode = kAnySubCode);
  Rule& OnInquire(LONG command, LONG subCode = kAnySubCode);

  // A link for the component under test; this fake must outlive it.
  std::unique_ptr<portal::EngineLink> NewLink();

  const std::vector<EngineCall>& Calls() const { return calls_; }
  // The calls of one command only.
  std::vector<EngineCall> CallsOf(EngineOp op, LONG command) const;
  void ClearCalls() { calls_.clear(); }

  // The link's entry point: records the call and answers it.
  HRESULT Answer(EngineOp op, LONG command, LONG subCode, const void* input, LONG inputSize, void* output,
                 LONG outputSize);

 private:
  std::deque<Rule> rules_;  // stable addresses for the builders handed out
  std::vector<EngineCall> calls_;
};

}  // namespace testing_support
