// The scripted, recording camera engine of component tests.
#include "FakeEngine.h"

#include <algorithm>
#include <sstream>

#include "engine/interface/EngineCommands.h"

namespace testing_support {
namespace {

class FakeLink final : public portal::EngineLink {
 public:
  explicit FakeLink(FakeEngine& engine) : engine_(engine) {}
  HRESULT Execute(LONG command, LONG subCode, const void* input, LONG inputSize, void* second,
                  LONG secondSize) override {
    return engine_.Answer(EngineOp::kExecute, command, subCode, input, inputSize, second, secondSize);
  }
  HRESULT Inquire(LONG command, LONG subCode, const void* input, LONG inputSize, void* output,
                  LONG outputSize) override {
    return engine_.Answer(EngineOp::kInquire, command, subCode, input, inputSize, output, outputSize);
  }

 private:
  FakeEngine& engine_;
};

// Command names for readable failures.
const char* CommandName(LONG command) {
  using namespace engine;
  static const struct {
    LONG command;
    const char* name;
  } kNames[] = {{kCmdPrepare, "Prepare"},
                {kCmdConnected, "Connected"},
                {kCmdConnect, "Connect"},
                {kCmdDisconnect, "Disconnect"},
                {kCmdProperty, "Property"},
                {kCmdMovie, "Movie"},
                {kCmdTextStamp, "TextStamp"},
                {kCmdSettings, "Settings"},
                {kCmdPreview, "Preview"},
                {kCmdNotifyWindow, "NotifyWindow"},
                {kCmdPicture, "Picture"},
                {kCmdCameraCount, "CameraCount"},
                {kCmdCameraRecord, "CameraRecord"},
                {kCmdCurrentCamera, "CurrentCamera"},
                {kCmdCurrentIndex, "CurrentIndex"},
                {kCmdRememberedCamera, "RememberedCamera"},
                {kCmdRememberedIndex, "RememberedIndex"},
                {kCmdCameraState, "CameraState"},
                {kCmdCameraInUse, "CameraInUse"},
                {kCmdIndexedPicture, "IndexedPicture"},
                {kCmdDialog, "Dialog"},
                {kCmdFormat, "Format"},
                {kCmdMode, "Mode"},
                {kCmdStillFormat, "StillFormat"},
                {kCmdFeature, "Feature"},
                {kCmdLastFailure, "LastFailure"}};
  for (const auto& entry : kNames) {
    if (entry.command == command) return entry.name;
  }
  return "?";
}

std::string Head(EngineOp op, LONG command, LONG subCode) {
  std::ostringstream out;
  out << (op == EngineOp::kExecute ? "Execute " : "Inquire ") << CommandName(command) << " " << command << "/"
      << subCode;
  return out.str();
}

std::optional<LONG> FirstLong(const std::vector<BYTE>& input) {
  if (input.size() < sizeof(LONG)) return std::nullopt;
  LONG value = 0;
  std::memcpy(&value, input.data(), sizeof(value));
  return value;
}

}  // namespace

bool Matches(const EngineCall& actual, const ExpectedEngineCall& expected) {
  return actual.op == expected.op && actual.command == expected.command && actual.subCode == expected.subCode &&
         (!expected.input || FirstLong(actual.input) == expected.input);
}

std::string Describe(const EngineCall& call) {
  std::ostringstream out;
  out << Head(call.op, call.command, call.subCode);
  if (call.input.size() == sizeof(LONG)) {
    out << " in=" << *FirstLong(call.input);
  } else if (!call.input.empty()) {
    out << " in=" << call.input.size() << " bytes";
    if (auto first = FirstLong(call.input)) out << " (" << *first << ", ...)";
  }
  return out.str();
}

std::string Describe(const ExpectedEngineCall& call) {
  std::ostringstream out;
  out << Head(call.op, call.command, call.subCode);
  if (call.input) out << " in=" << *call.input;
  return out.str();
}

FakeEngine::Rule& FakeEngine::Rule::WithInput(LONG value) {
  input_ = value;
  return *this;
}

FakeEngine::Rule& FakeEngine::Rule::Once() {
  once_ = true;
  return *this;
}

void FakeEngine::Rule::ReturnsBytes(const void* data, size_t size) {
  hr_ = S_OK;
  const BYTE* bytes = static_cast<const BYTE*>(data);
  output_.assign(bytes, bytes + size);
}

bool FakeEngine::Rule::Applies(const EngineCall& call) const {
  if (used_ || call.op != op_ || call.command != command_) return false;
  if (subCode_ != kAnySubCode && call.subCode != subCode_) return false;
  return !input_ || FirstLong(call.input) == input_;
}

FakeEngine::Rule& FakeEngine::OnExecute(LONG command, LONG subCode) {
  rules_.push_back(Rule(EngineOp::kExecute, command, subCode));
  return rules_.back();
}

FakeEngine::Rule& FakeEngine::OnInquire(LONG command, LONG subCode) {
  rules_.push_back(Rule(EngineOp::kInquire, command, subCode));
  return rules_.back();
}

std::unique_ptr<portal::EngineLink> FakeEngine::NewLink() { return std::make_unique<FakeLink>(*this); }

std::vector<EngineCall> FakeEngine::CallsOf(EngineOp op, LONG command) const {
  std::vector<EngineCall> calls;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(calls),
               [&](const EngineCall& call) { return call.op == op && call.command == command; });
  return calls;
}

HRESULT FakeEngine::Answer(EngineOp op, LONG command, LONG subCode, const void* input, LONG inputSize, void* output,
                           LONG outputSize) {
  EngineCall call{op, command, subCode, {}, outputSize};
  if (input && inputSize > 0) {
    const BYTE* bytes = static_cast<const BYTE*>(input);
    call.input.assign(bytes, bytes + inputSize);
  }
  calls_.push_back(call);
  for (auto rule = rules_.rbegin(); rule != rules_.rend(); ++rule) {
    if (!rule->Applies(call)) continue;
    rule->used_ = rule->once_;
    if (SUCCEEDED(rule->hr_) && output && outputSize > 0) {
      std::memcpy(output, rule->output_.data(), std::min<size_t>(rule->output_.size(), outputSize));
    }
    return rule->hr_;
  }
  return op == EngineOp::kExecute ? S_OK : E_NOTIMPL;
}

}  // namespace testing_support
