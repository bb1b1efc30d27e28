// The streaming of the test camera's pins: the capture pin delivers the
// picture at 15 frames a second and obeys the control events; the still
// pin delivers one picture for each trigger.
#include <cstring>
#include <vector>

#include "TestCameraFilter.h"

namespace test_camera {
namespace {

// Fills the top-left `columns` x `rows` of one RGB24 (bottom-up, rows
// padded to 4 bytes) or YUY2 (top-down) picture of frame `frame`.
void Paint(FormatChoice choice, std::uint32_t frame, long brightness, BYTE* out, int columns, int rows) {
  const Size size = choice.size;
  if (choice.coding != Coding::kYuy2) {
    const int stride = (size.width * 3 + 3) & ~3;
    for (int y = 0; y < rows; ++y) {
      BYTE* row = out + static_cast<std::size_t>(size.height - 1 - y) * stride;
      for (int x = 0; x < columns; ++x) {
        Pixel(x, y, size.width, size.height, frame, brightness, &row[3 * x + 2], &row[3 * x + 1], &row[3 * x]);
      }
    }
    return;
  }
  auto luma = [](int r, int g, int b) { return ((66 * r + 129 * g + 25 * b + 128) >> 8) + 16; };
  auto chroma = [](int a, int b, int c) { return ((a + b + c + 128) >> 8) + 128; };
  for (int y = 0; y < rows; ++y) {
    BYTE* row = out + static_cast<std::size_t>(y) * size.width * 2;
    for (int x = 0; x < columns; x += 2) {
      std::uint8_t r0, g0, b0, r1, g1, b1;
      Pixel(x, y, size.width, size.height, frame, brightness, &r0, &g0, &b0);
      Pixel(x + 1, y, size.width, size.height, frame, brightness, &r1, &g1, &b1);
      const int r = (r0 + r1) / 2, g = (g0 + g1) / 2, b = (b0 + b1) / 2;
      row[2 * x] = static_cast<BYTE>(luma(r0, g0, b0));
      row[2 * x + 1] = static_cast<BYTE>(chroma(-38 * r, -74 * g, 112 * b));
      row[2 * x + 2] = static_cast<BYTE>(luma(r1, g1, b1));
      row[2 * x + 3] = static_cast<BYTE>(chroma(112 * r, -94 * g, -18 * b));
    }
  }
}

}  // namespace

HRESULT CapturePin::Activate() {
  if (!connected_ || !allocator_ || thread_.joinable()) return S_OK;
  const HRESULT hr = allocator_->Commit();
  if (FAILED(hr)) return hr;
  stop_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ::ResetEvent(trigger_.get());  // a trigger while stopped is no picture
  thread_ = std::thread([this] { Stream(); });
  return S_OK;
}

void CapturePin::Deactivate() {
  if (!thread_.joinable()) return;
  ::SetEvent(stop_.get());
  // Decommitting releases a GetBuffer the thread may be waiting in.
  if (allocator_) allocator_->Decommit();
  thread_.join();
}

void CapturePin::Stream() {
  ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (role_ == PinRole::kStill) {
    StreamStills();
    ::CoUninitialize();
    return;
  }
  common::UniqueKernelHandle delivered(::CreateEventW(nullptr, FALSE, FALSE, kDeliveredEvent));
  const DWORD periodMs = static_cast<DWORD>(kFramePeriod100ns / 10000);
  std::uint32_t frame = 0;
  bool unplugged = false;
  DWORD next = ::GetTickCount();
  for (;;) {
    const DWORD now = ::GetTickCount();
    const DWORD wait = static_cast<LONG>(next - now) > 0 ? next - now : 0;
    if (::WaitForSingleObject(stop_.get(), wait) == WAIT_OBJECT_0) break;
    next += periodMs + (frame % 3 == 0 ? 1 : 0);  // 66.67 ms on average
    const bool gone = ControlSet(kUnplugEvent);
    if (gone != unplugged) {
      unplugged = gone;
      filter_->Notify(EC_DEVICE_LOST, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(filter_)), gone ? 0 : 1);
    }
    if (gone || !filter_->Running() || ControlSet(kSilentEvent)) continue;
    if (SUCCEEDED(DeliverOne(frame, delivered.get()))) ++frame;
  }
  ::CoUninitialize();
}

// One picture for each trigger while the filter runs; an unplugged or
// silent camera gives none.
void CapturePin::StreamStills() {
  const HANDLE waits[] = {stop_.get(), trigger_.get()};
  std::uint32_t picture = 0;
  while (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    if (!filter_->Running() || ControlSet(kUnplugEvent) || ControlSet(kSilentEvent)) continue;
    if (SUCCEEDED(DeliverOne(picture, nullptr))) ++picture;
  }
}

// MJPG: the RGB24 picture encoded by the engine's own JPEG encoder, one
// complete image per sample.
HRESULT CapturePin::DeliverJpeg(IMediaSample* sample, BYTE* data, std::uint32_t frame, long brightness,
                                HANDLE delivered) {
  const Size size = choice_.size;
  HRESULT hr = mjpgFrame_.Width() == size.width ? S_OK : mjpgFrame_.Allocate(size.width, size.height);
  if (FAILED(hr)) return hr;
  for (int y = 0; y < size.height; ++y) {
    std::uint8_t* row = mjpgFrame_.Row(y);
    for (int x = 0; x < size.width; ++x) {
      Pixel(x, y, size.width, size.height, frame, brightness, &row[3 * x + 2], &row[3 * x + 1], &row[3 * x]);
    }
  }
  hr = encoder_.Encode(mjpgFrame_, jpeg_);
  if (FAILED(hr)) return hr;
  if (static_cast<long>(jpeg_.size()) > sample->GetSize()) return E_FAIL;
  std::memcpy(data, jpeg_.data(), jpeg_.size());
  sample->SetActualDataLength(static_cast<long>(jpeg_.size()));
  sample->SetSyncPoint(TRUE);
  if (delivered) ::SetEvent(delivered);
  return input_->Receive(sample);
}

HRESULT CapturePin::DeliverOne(std::uint32_t frame, HANDLE delivered) {
  IMediaSample* sample = nullptr;
  HRESULT hr = allocator_->GetBuffer(&sample, nullptr, nullptr, 0);
  if (FAILED(hr)) return hr;
  BYTE* data = nullptr;
  AM_MEDIA_TYPE type;
  FillMediaType(choice_, &type);
  hr = sample->GetPointer(&data);
  if (SUCCEEDED(hr) && sample->GetSize() < static_cast<long>(type.lSampleSize)) hr = E_FAIL;
  const long brightness = filter_->Brightness();
  if (SUCCEEDED(hr) && choice_.coding == Coding::kMjpg) {
    hr = DeliverJpeg(sample, data, frame, brightness, delivered);
  } else if (SUCCEEDED(hr)) {
    // Only the frame number changes from frame to frame: the rest of the
    // picture is painted once per format and brightness, so that the
    // filter's own work stays small beside the engine's it is measured with.
    const Size size = choice_.size;
    if (picture_.size() != static_cast<std::size_t>(type.lSampleSize) || pictureBrightness_ != brightness ||
        pictureChoice_ != choice_) {
      picture_.assign(type.lSampleSize, 0);
      Paint(choice_, frame, brightness, picture_.data(), size.width, size.height);
      pictureBrightness_ = brightness;
      pictureChoice_ = choice_;
    }
    std::memcpy(data, picture_.data(), picture_.size());
    Paint(choice_, frame, brightness, data, kBitBlock * kBits, kBitBlock);
    sample->SetActualDataLength(type.lSampleSize);
    sample->SetSyncPoint(TRUE);
    // The moment of delivery, for a benchmark's latency.
    if (delivered) ::SetEvent(delivered);
    hr = input_->Receive(sample);
  }
  FreeMediaTypeContents(type);
  sample->Release();
  return hr;
}

}  // namespace test_camera
