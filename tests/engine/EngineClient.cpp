// Test engine client and message sink.
#include "EngineClient.h"

#include <fstream>

#include "EngineLaunch.h"
#include "EngineProxy.h"
#include "common/Strings.h"

namespace engine_test {
namespace {

constexpr char kCameras[] =
    "[Camera0]\r\nName=Test Camera A\r\nType=9\r\nVendorId=0x7A01\r\nProductId=0x0101\r\n"
    "Serial=11\r\nDevice=TESTDEV0\r\nSizes=160x120,240x180,320x240,640x480\r\n"
    "StillSizes=1280x960\r\nShowHide=1\r\n"
    "[Camera1]\r\nName=Test Camera B\r\nType=14\r\nVendorId=0x7A01\r\nProductId=0x0102\r\n"
    "Serial=12\r\nDevice=TESTDEV1\r\nSizes=320x240,640x480\r\nStillSizes=\r\n"
    "Level=2\r\nIndicator106=5\r\nSwitch=1\r\nValue=3\r\nMode=1\r\n"
    "[Camera2]\r\nName=Test Camera C\r\nType=3\r\nVendorId=0x7A02\r\nProductId=901\r\n"
    "Serial=13\r\nSizes=160x120,320x240\r\n";

}  // namespace

bool EngineEndsWithin(DWORD timeoutMs) {
  common::UniqueKernelHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, engine::kEngineInstanceMutexName));
  if (!mutex) return true;
  const DWORD wait = ::WaitForSingleObject(mutex.get(), timeoutMs);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return false;
  ::ReleaseMutex(mutex.get());
  return true;
}

std::string TempFolder() {
  char path[MAX_PATH];
  const DWORD length = ::GetTempPathA(MAX_PATH, path);
  return length ? std::string(path, length) : std::string(".\\");
}

std::wstring TestConfigPath(int frameRate) {
  const std::string path = TempFolder() + "engine-test-cameras-" + std::to_string(frameRate) + ".ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      << "[Engine]\r\nDevices=0\r\nCameras=3\r\nFrameRate=" << frameRate << "\r\n" << kCameras;
  return common::AnsiToWide(path);
}

HRESULT CreateTestEngine(common::ComPtr<ICameraEngine>* engine, int frameRate) {
  const std::wstring config = TestConfigPath(frameRate);
  ::SetEnvironmentVariableW(L"CAMERA_ENGINE_CONFIG", config.c_str());
  HRESULT hr = CreateCameraEngine(engine->put());
  if (FAILED(hr)) return hr;
  // An engine that was already running may have another configuration;
  // reloading is refused only while some client has a camera connected.
  const std::string ansi = common::WideToAnsi(config);
  (*engine)->Execute(1009, 0, 0, reinterpret_cast<const BYTE*>(ansi.c_str()),
                     static_cast<LONG>(ansi.size() + 1), nullptr, 0);
  return S_OK;
}

HRESULT EngineClient::Create(int frameRate) { return CreateTestEngine(&engine_, frameRate); }

HRESULT EngineClient::Exec(long command, long sub, const void* input, long inputSize, void* second,
                           long secondSize) const {
  return engine_->Execute(command, sub, 0, static_cast<const BYTE*>(input), inputSize,
                          static_cast<BYTE*>(second), secondSize);
}

HRESULT EngineClient::Inq(long command, long sub, const void* input, long inputSize, void* output,
                          long outputSize) const {
  return engine_->Inquire(command, sub, 0, static_cast<const BYTE*>(input), inputSize,
                          static_cast<BYTE*>(output), outputSize);
}

HRESULT EngineClient::InqLong(long command, long sub, long* value) const {
  std::int32_t v = -12345;
  const HRESULT hr = Inq(command, sub, nullptr, 0, &v, sizeof(v));
  *value = v;
  return hr;
}

HRESULT EngineClient::Connect(long index) const {
  engine::CameraRecord record{};
  HRESULT hr = InqRecord(engine::kCmdCameraRecord, index, &record);
  if (FAILED(hr)) return hr;
  return ExecRecord(engine::kCmdConnect, 0, record);
}

HRESULT EngineClient::SetFormat(int width, int height) const {
  return ExecRecord(engine::kCmdFormat, 1, FormatRecord(width, height));
}

engine::VideoFormatRecord FormatRecord(int width, int height, int bits, DWORD fourCC) {
  engine::VideoFormatRecord record{};
  record.size = sizeof(record);
  record.header.biSize = sizeof(BITMAPINFOHEADER);
  record.header.biWidth = width;
  record.header.biHeight = height;
  record.header.biPlanes = 1;
  record.header.biBitCount = static_cast<WORD>(bits);
  record.header.biCompression = fourCC;
  record.header.biSizeImage = static_cast<DWORD>(((width * bits + 31) & ~31) / 8 * height);
  return record;
}

MessageSink::MessageSink() {
  static const wchar_t kClass[] = L"EngineTestSink";
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &MessageSink::Proc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClass;
  ::RegisterClassW(&windowClass);
  window_.reset(::CreateWindowExW(0, kClass, L"sink", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr,
                                  windowClass.hInstance, this));
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK MessageSink::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MessageSink*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message >= engine::kFirstEngineMessage && message <= engine::kLastEngineMessage) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetTickCount();
    self->messages_.push_back(msg);
    return 0;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    ::BeginPaint(window, &paint);
    ::EndPaint(window, &paint);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool MessageSink::WaitFor(UINT message, DWORD timeoutMs, MSG* received) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    for (const MSG& m : messages_) {
      if (m.message == message) {
        if (received) *received = m;
        return true;
      }
    }
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
}

const std::vector<MSG>& MessageSink::Pump(DWORD forMs) {
  WaitFor(0xFFFF, forMs);
  return messages_;
}

std::size_t MessageSink::Count(UINT message) const {
  std::size_t count = 0;
  for (const MSG& m : messages_) count += m.message == message ? 1 : 0;
  return count;
}

}  // namespace engine_test
