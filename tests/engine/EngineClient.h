// Test side of the camera engine: creates the real CameraEngine.exe through
// COM (with the test camera configuration), offers typed Execute/Inquire
// helpers, and a hidden window that collects the messages the engine
// posts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CameraEngine.h"
#include "EngineCommands.h"
#include "EngineRecords.h"
#include "common/ComPtr.h"
#include "common/UniqueHandle.h"

namespace engine_test {

// The configuration the tests use (no capture devices): three synthetic
// cameras of types 9, 14 and 3
// (the second with configured status indicators: level 2, 106 = 5,
// switch 1, value 3, mode on; the third identifies itself with the second
// identifier 901), at the given frames a second. Written to %TEMP%; returns its path.
std::wstring TestConfigPath(int frameRate = 30);

// Creates an engine object; the engine is started when none runs, and the
// test configuration is loaded into it.
HRESULT CreateTestEngine(common::ComPtr<ICameraEngine>* engine, int frameRate = 30);

class EngineClient {
 public:
  HRESULT Create(int frameRate = 30);
  ICameraEngine* get() const { return engine_.get(); }
  void Release() { engine_.reset(); }

  HRESULT Exec(long command, long sub, const void* input = nullptr, long inputSize = 0,
               void* second = nullptr, long secondSize = 0) const;
  template <typename Record>
  HRESULT ExecRecord(long command, long sub, const Record& record) const {
    return Exec(command, sub, &record, sizeof(record));
  }
  HRESULT ExecLong(long command, long sub, long value) const {
    const std::int32_t v = value;
    return Exec(command, sub, &v, sizeof(v));
  }
  HRESULT Inq(long command, long sub, const void* input, long inputSize, void* output,
              long outputSize) const;
  template <typename Record>
  HRESULT InqRecord(long command, long sub, Record* out) const {
    return Inq(command, sub, nullptr, 0, out, sizeof(*out));
  }
  HRESULT InqLong(long command, long sub, long* value) const;

  // Connects camera index (Inquire 14, Execute 3/0).
  HRESULT Connect(long index) const;
  // Sets the capture size of the connected camera (26/1).
  HRESULT SetFormat(int width, int height) const;

 private:
  common::ComPtr<ICameraEngine> engine_;
};

engine::VideoFormatRecord FormatRecord(int width, int height, int bits = 24, DWORD fourCC = BI_RGB);

// A hidden top-level window of the test process that records every message
// in the engine's range.
class MessageSink {
 public:
  MessageSink();
  HWND Window() const { return window_.get(); }
  // Pumps messages until one numbered `message` arrives (true) or timeoutMs
  // passes (false).
  bool WaitFor(UINT message, DWORD timeoutMs, MSG* received = nullptr);
  // Pumps for a while and returns everything received so far.
  const std::vector<MSG>& Pump(DWORD forMs);
  void Clear() { messages_.clear(); }
  std::size_t Count(UINT message) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  common::UniqueWindow window_;
  std::vector<MSG> messages_;
};

// True once no engine holds the engine's instance mutex (none runs, or
// the one running has ended) within timeoutMs.
bool EngineEndsWithin(DWORD timeoutMs);

// The temporary folder with a trailing backslash, as ANSI.
std::string TempFolder();

}  // namespace engine_test
