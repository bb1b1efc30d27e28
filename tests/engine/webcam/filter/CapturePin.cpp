// The test camera's capture pin: connection and allocator, formats through
// IAMStreamConfig, the pin category, and the streaming thread that
// delivers the picture at 15 frames a second and obeys the control events.
#include <cstring>
#include <vector>

#include "Enumerators.h"
#include "TestCameraFilter.h"

namespace test_camera {
namespace {

// Fills the top-left `columns` x `rows` of one RGB24 (bottom-up, rows
// padded to 4 bytes) or YUY2 (top-down) picture of frame `frame`.
void Paint(FormatChoice choice, std::uint32_t frame, long brightness, BYTE* out, int columns, int rows) {
  const Size size = kSizes[choice.size];
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

std::vector<FormatChoice> AllChoices() {
  std::vector<FormatChoice> all;
  for (int i = 0; i < kRgbSizeCount; ++i) all.push_back({i, Coding::kRgb24});
  for (int i = 0; i < kYuy2SizeCount; ++i) all.push_back({i, Coding::kYuy2});
  all.push_back({kMjpgSize, Coding::kMjpg});
  return all;
}

bool EventSet(const wchar_t* name) {
  common::UniqueKernelHandle event(::OpenEventW(SYNCHRONIZE, FALSE, name));
  return event && ::WaitForSingleObject(event.get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

CapturePin::~CapturePin() { Disconnect(); }

STDMETHODIMP CapturePin::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPin) {
    *out = static_cast<IPin*>(this);
  } else if (iid == IID_IAMStreamConfig) {
    *out = static_cast<IAMStreamConfig*>(this);
  } else if (iid == IID_IKsPropertySet) {
    *out = static_cast<IKsPropertySet*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CapturePin::AddRef() { return filter_->AddRef(); }
STDMETHODIMP_(ULONG) CapturePin::Release() { return filter_->Release(); }

STDMETHODIMP CapturePin::Connect(IPin* receiver, const AM_MEDIA_TYPE* type) {
  if (!receiver) return E_POINTER;
  std::lock_guard<std::mutex> hold(filter_->Lock());
  if (connected_) return VFW_E_ALREADY_CONNECTED;
  if (thread_.joinable()) return VFW_E_NOT_STOPPED;
  FormatChoice wanted;
  if (type && type->pbFormat && ChoiceOf(*type, &wanted)) {
    if (chosen_ && wanted != choice_) return VFW_E_TYPE_NOT_ACCEPTED;
    return TryConnect(receiver, wanted);
  }
  const std::vector<FormatChoice> candidates = chosen_ ? std::vector<FormatChoice>{choice_} : AllChoices();
  for (FormatChoice candidate : candidates) {
    // A partial type (major or subtype only) narrows the candidates.
    AM_MEDIA_TYPE offered;
    if (FAILED(FillMediaType(candidate, &offered))) continue;
    const bool matches = !type || type->subtype == GUID_NULL || type->subtype == offered.subtype;
    FreeMediaTypeContents(offered);
    if (!matches) continue;
    if (SUCCEEDED(TryConnect(receiver, candidate))) return S_OK;
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT CapturePin::TryConnect(IPin* receiver, FormatChoice choice) {
  AM_MEDIA_TYPE type;
  HRESULT hr = FillMediaType(choice, &type);
  if (FAILED(hr)) return hr;
  hr = receiver->ReceiveConnection(this, &type);
  IMemInputPin* input = nullptr;
  if (SUCCEEDED(hr)) hr = receiver->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
  if (SUCCEEDED(hr)) hr = DecideAllocator(input, type);
  FreeMediaTypeContents(type);
  if (FAILED(hr)) {
    if (input) input->Release();
    receiver->Disconnect();
    return hr;
  }
  connected_ = receiver;
  connected_->AddRef();
  input_ = input;
  choice_ = choice;
  return S_OK;
}

HRESULT CapturePin::DecideAllocator(IMemInputPin* input, const AM_MEDIA_TYPE& type) {
  ALLOCATOR_PROPERTIES wanted{};
  input->GetAllocatorRequirements(&wanted);
  if (wanted.cBuffers < 3) wanted.cBuffers = 3;
  if (wanted.cbBuffer < static_cast<long>(type.lSampleSize)) wanted.cbBuffer = type.lSampleSize;
  if (wanted.cbAlign < 1) wanted.cbAlign = 1;
  IMemAllocator* allocator = nullptr;
  HRESULT hr = input->GetAllocator(&allocator);
  if (FAILED(hr)) {
    hr = ::CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                            reinterpret_cast<void**>(&allocator));
  }
  if (FAILED(hr)) return hr;
  ALLOCATOR_PROPERTIES actual{};
  hr = allocator->SetProperties(&wanted, &actual);
  if (SUCCEEDED(hr) && actual.cbBuffer < static_cast<long>(type.lSampleSize)) hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = input->NotifyAllocator(allocator, FALSE);
  if (FAILED(hr)) {
    allocator->Release();
    return hr;
  }
  allocator_ = allocator;
  return S_OK;
}

STDMETHODIMP CapturePin::Disconnect() {
  if (!connected_) return S_FALSE;
  Deactivate();
  if (allocator_) allocator_->Release();
  if (input_) input_->Release();
  connected_->Release();
  allocator_ = nullptr;
  input_ = nullptr;
  connected_ = nullptr;
  return S_OK;
}

STDMETHODIMP CapturePin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  *pin = connected_;
  if (!connected_) return VFW_E_NOT_CONNECTED;
  connected_->AddRef();
  return S_OK;
}

STDMETHODIMP CapturePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  if (!connected_) {
    std::memset(type, 0, sizeof(*type));
    return VFW_E_NOT_CONNECTED;
  }
  return FillMediaType(choice_, type);
}

STDMETHODIMP CapturePin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = filter_;
  filter_->AddRef();
  info->dir = PINDIR_OUTPUT;
  std::wcscpy(info->achName, L"Capture");
  return S_OK;
}

STDMETHODIMP CapturePin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_OUTPUT;
  return S_OK;
}

STDMETHODIMP CapturePin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  *id = static_cast<LPWSTR>(::CoTaskMemAlloc(sizeof(L"Capture")));
  if (!*id) return E_OUTOFMEMORY;
  std::wcscpy(*id, L"Capture");
  return S_OK;
}

STDMETHODIMP CapturePin::QueryAccept(const AM_MEDIA_TYPE* type) {
  FormatChoice choice;
  return type && ChoiceOf(*type, &choice) ? S_OK : S_FALSE;
}

STDMETHODIMP CapturePin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  *types = new TypeEnumerator(chosen_ ? std::vector<FormatChoice>{choice_} : AllChoices());
  return S_OK;
}

STDMETHODIMP CapturePin::SetFormat(AM_MEDIA_TYPE* type) {
  std::lock_guard<std::mutex> hold(filter_->Lock());
  if (!type) {
    chosen_ = false;
    return S_OK;
  }
  FormatChoice choice;
  if (!ChoiceOf(*type, &choice)) return VFW_E_INVALIDMEDIATYPE;
  // As many devices do: a format change only while the pin is unconnected.
  if (connected_) return VFW_E_ALREADY_CONNECTED;
  choice_ = choice;
  chosen_ = true;
  return S_OK;
}

STDMETHODIMP CapturePin::GetFormat(AM_MEDIA_TYPE** type) {
  if (!type) return E_POINTER;
  *type = static_cast<AM_MEDIA_TYPE*>(::CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!*type) return E_OUTOFMEMORY;
  const HRESULT hr = FillMediaType(choice_, *type);
  if (FAILED(hr)) {
    ::CoTaskMemFree(*type);
    *type = nullptr;
  }
  return hr;
}

STDMETHODIMP CapturePin::GetNumberOfCapabilities(int* count, int* size) {
  if (!count || !size) return E_POINTER;
  *count = static_cast<int>(AllChoices().size());
  *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
  return S_OK;
}

STDMETHODIMP CapturePin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
  if (!type || !caps) return E_POINTER;
  const std::vector<FormatChoice> all = AllChoices();
  if (index < 0 || index >= static_cast<int>(all.size())) return S_FALSE;
  const FormatChoice choice = all[static_cast<std::size_t>(index)];
  *type = static_cast<AM_MEDIA_TYPE*>(::CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!*type) return E_OUTOFMEMORY;
  HRESULT hr = FillMediaType(choice, *type);
  if (FAILED(hr)) {
    ::CoTaskMemFree(*type);
    *type = nullptr;
    return hr;
  }
  VIDEO_STREAM_CONFIG_CAPS c{};
  c.guid = FORMAT_VideoInfo;
  const Size size = kSizes[choice.size];
  c.InputSize = c.MinCroppingSize = c.MaxCroppingSize = c.MinOutputSize = c.MaxOutputSize = {size.width, size.height};
  c.MinFrameInterval = c.MaxFrameInterval = kFramePeriod100ns;
  std::memcpy(caps, &c, sizeof(c));
  return S_OK;
}

STDMETHODIMP CapturePin::Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD size, DWORD* returned) {
  if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (returned) *returned = sizeof(GUID);
  if (!data) return returned ? S_OK : E_POINTER;
  if (size < sizeof(GUID)) return E_UNEXPECTED;
  *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
  return S_OK;
}

STDMETHODIMP CapturePin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
  if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (support) *support = KSPROPERTY_SUPPORT_GET;
  return S_OK;
}

HRESULT CapturePin::Activate() {
  if (!connected_ || !allocator_ || thread_.joinable()) return S_OK;
  const HRESULT hr = allocator_->Commit();
  if (FAILED(hr)) return hr;
  stop_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
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
    const bool gone = EventSet(kUnplugEvent);
    if (gone != unplugged) {
      unplugged = gone;
      filter_->Notify(EC_DEVICE_LOST, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(filter_)), gone ? 0 : 1);
    }
    if (gone || !filter_->Running() || EventSet(kSilentEvent)) continue;
    if (SUCCEEDED(DeliverOne(frame, delivered.get()))) ++frame;
  }
  ::CoUninitialize();
}

// MJPG: the RGB24 picture encoded by the engine's own JPEG encoder, one
// complete image per sample.
HRESULT CapturePin::DeliverJpeg(IMediaSample* sample, BYTE* data, std::uint32_t frame, long brightness,
                                HANDLE delivered) {
  const Size size = kSizes[choice_.size];
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
    const Size size = kSizes[choice_.size];
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
