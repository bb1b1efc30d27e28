// The test camera's pins (capture and still): connection and allocator,
// formats through IAMStreamConfig and the pin category. Their streaming
// is in PinStream.cpp.
#include <algorithm>
#include <cstring>
#include <vector>

#include "Enumerators.h"
#include "TestCameraFilter.h"

namespace test_camera {
namespace {

const wchar_t kCaptureName[] = L"Capture";

}  // namespace

CapturePin::CapturePin(CameraFilter* filter, PinRole role, bool withMjpg)
    : filter_(filter), role_(role), withMjpg_(withMjpg), trigger_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  if (role_ == PinRole::kStill) choice_ = {kLargestStill, Coding::kRgb24};
}

CapturePin::~CapturePin() { Disconnect(); }

std::vector<FormatChoice> CapturePin::Offered() const {
  std::vector<FormatChoice> all;
  if (role_ == PinRole::kStill) {
    for (const Size size : kStillSizes) all.push_back({size, Coding::kRgb24});
    return all;
  }
  for (int i = 0; i < kRgbSizeCount; ++i) all.push_back({kSizes[i], Coding::kRgb24});
  for (int i = 0; i < kYuy2SizeCount; ++i) all.push_back({kSizes[i], Coding::kYuy2});
  if (withMjpg_) all.push_back({kSizes[kMjpgSize], Coding::kMjpg});
  return all;
}

bool CapturePin::Offers(FormatChoice choice) const {
  const std::vector<FormatChoice> all = Offered();
  return std::find(all.begin(), all.end(), choice) != all.end();
}

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
    if (!Offers(wanted) || (chosen_ && wanted != choice_)) return VFW_E_TYPE_NOT_ACCEPTED;
    return TryConnect(receiver, wanted);
  }
  const std::vector<FormatChoice> candidates = chosen_ ? std::vector<FormatChoice>{choice_} : Offered();
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
  std::wcscpy(info->achName, Name());
  return S_OK;
}

STDMETHODIMP CapturePin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = PINDIR_OUTPUT;
  return S_OK;
}

STDMETHODIMP CapturePin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  *id = static_cast<LPWSTR>(::CoTaskMemAlloc(sizeof(kCaptureName)));
  if (!*id) return E_OUTOFMEMORY;
  std::wcscpy(*id, Name());
  return S_OK;
}

STDMETHODIMP CapturePin::QueryAccept(const AM_MEDIA_TYPE* type) {
  FormatChoice choice;
  return type && ChoiceOf(*type, &choice) && Offers(choice) ? S_OK : S_FALSE;
}

STDMETHODIMP CapturePin::EnumMediaTypes(IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  *types = new TypeEnumerator(chosen_ ? std::vector<FormatChoice>{choice_} : Offered());
  return S_OK;
}

STDMETHODIMP CapturePin::SetFormat(AM_MEDIA_TYPE* type) {
  std::lock_guard<std::mutex> hold(filter_->Lock());
  if (!type) {
    chosen_ = false;
    return S_OK;
  }
  FormatChoice choice;
  if (!ChoiceOf(*type, &choice) || !Offers(choice)) return VFW_E_INVALIDMEDIATYPE;
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
  *count = static_cast<int>(Offered().size());
  *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
  return S_OK;
}

STDMETHODIMP CapturePin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
  if (!type || !caps) return E_POINTER;
  const std::vector<FormatChoice> all = Offered();
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
  const Size size = choice.size;
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
  *static_cast<GUID*>(data) = role_ == PinRole::kStill ? PIN_CATEGORY_STILL : PIN_CATEGORY_CAPTURE;
  return S_OK;
}

STDMETHODIMP CapturePin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
  if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (support) *support = KSPROPERTY_SUPPORT_GET;
  return S_OK;
}

}  // namespace test_camera
