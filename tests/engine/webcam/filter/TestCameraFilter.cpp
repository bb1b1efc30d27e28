// The test camera filter object: its pins, state, graph membership,
// brightness, the still trigger and property pages; and the media types
// of its pins.
#include "TestCameraFilter.h"

#include <cstring>

#include "Enumerators.h"

namespace test_camera {

void FreeMediaTypeContents(AM_MEDIA_TYPE& type) {
  if (type.pbFormat) ::CoTaskMemFree(type.pbFormat);
  type.pbFormat = nullptr;
  type.cbFormat = 0;
  if (type.pUnk) type.pUnk->Release();
  type.pUnk = nullptr;
}

bool ControlSet(const wchar_t* name) {
  common::UniqueKernelHandle event(::OpenEventW(SYNCHRONIZE, FALSE, name));
  return event && ::WaitForSingleObject(event.get(), 0) == WAIT_OBJECT_0;
}

HRESULT FillMediaType(FormatChoice choice, AM_MEDIA_TYPE* type) {
  const Size size = choice.size;
  if (size.width <= 0 || size.height <= 0) return E_INVALIDARG;
  auto* info = static_cast<VIDEOINFOHEADER*>(::CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
  if (!info) return E_OUTOFMEMORY;
  std::memset(info, 0, sizeof(*info));
  BITMAPINFOHEADER& h = info->bmiHeader;
  h.biSize = sizeof(h);
  h.biWidth = size.width;
  h.biHeight = size.height;
  h.biPlanes = 1;
  const bool yuy2 = choice.coding == Coding::kYuy2, mjpg = choice.coding == Coding::kMjpg;
  h.biBitCount = yuy2 ? 16 : 24;
  h.biCompression = yuy2 ? MAKEFOURCC('Y', 'U', 'Y', '2') : mjpg ? MAKEFOURCC('M', 'J', 'P', 'G') : BI_RGB;
  // MJPG: the largest a picture may take (samples carry their own length).
  h.biSizeImage = static_cast<DWORD>(size.width * size.height * (yuy2 ? 2 : 3));
  info->AvgTimePerFrame = kFramePeriod100ns;
  info->dwBitRate = static_cast<DWORD>(h.biSizeImage * 8 * kFramesPerSecond);
  std::memset(type, 0, sizeof(*type));
  type->majortype = MEDIATYPE_Video;
  type->subtype = yuy2 ? MEDIASUBTYPE_YUY2 : mjpg ? MEDIASUBTYPE_MJPG : MEDIASUBTYPE_RGB24;
  type->bFixedSizeSamples = mjpg ? FALSE : TRUE;
  type->bTemporalCompression = FALSE;
  type->lSampleSize = h.biSizeImage;
  type->formattype = FORMAT_VideoInfo;
  type->cbFormat = sizeof(VIDEOINFOHEADER);
  type->pbFormat = reinterpret_cast<BYTE*>(info);
  return S_OK;
}

bool ChoiceOf(const AM_MEDIA_TYPE& type, FormatChoice* choice) {
  if (type.majortype != MEDIATYPE_Video) return false;
  Coding coding;
  if (type.subtype == MEDIASUBTYPE_YUY2) coding = Coding::kYuy2;
  else if (type.subtype == MEDIASUBTYPE_MJPG) coding = Coding::kMjpg;
  else if (type.subtype == MEDIASUBTYPE_RGB24) coding = Coding::kRgb24;
  else return false;
  if (type.formattype != FORMAT_VideoInfo || type.cbFormat < sizeof(VIDEOINFOHEADER) || !type.pbFormat) {
    return false;
  }
  const BITMAPINFOHEADER& h = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
  if (h.biWidth <= 0 || h.biHeight <= 0) return false;
  *choice = {{h.biWidth, h.biHeight}, coding};
  return true;
}

CameraFilter::CameraFilter() : pin_(this, PinRole::kCapture, !ControlSet(kWithoutMjpgEvent)) {
  if (ControlSet(kStillPinEvent)) still_ = std::make_unique<CapturePin>(this, PinRole::kStill, false);
}

CameraFilter::~CameraFilter() {
  pin_.Deactivate();
  if (still_) still_->Deactivate();
  if (clock_) clock_->Release();
}

STDMETHODIMP CameraFilter::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
    *out = static_cast<IBaseFilter*>(this);
  } else if (iid == IID_IAMVideoProcAmp) {
    *out = static_cast<IAMVideoProcAmp*>(this);
  } else if (iid == IID_IAMVideoControl) {
    *out = static_cast<IAMVideoControl*>(this);
  } else if (iid == IID_IAMCameraControl) {
    *out = static_cast<IAMCameraControl*>(&zoom_);
  } else if (iid == IID_ISpecifyPropertyPages) {
    *out = static_cast<ISpecifyPropertyPages*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CameraFilter::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CameraFilter::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = kFilterClsid;
  return S_OK;
}

STDMETHODIMP CameraFilter::Stop() {
  std::lock_guard<std::mutex> hold(lock_);
  state_ = State_Stopped;
  pin_.Deactivate();
  if (still_) still_->Deactivate();
  return S_OK;
}

STDMETHODIMP CameraFilter::Pause() {
  std::lock_guard<std::mutex> hold(lock_);
  if (state_ == State_Stopped) {
    HRESULT hr = pin_.Activate();
    if (SUCCEEDED(hr) && still_) hr = still_->Activate();
    if (FAILED(hr)) {
      pin_.Deactivate();
      return hr;
    }
  }
  state_ = State_Paused;
  return S_OK;
}

STDMETHODIMP CameraFilter::Run(REFERENCE_TIME) {
  if (state_ == State_Stopped) {
    const HRESULT hr = Pause();
    if (FAILED(hr)) return hr;
  }
  state_ = State_Running;
  return S_OK;
}

STDMETHODIMP CameraFilter::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  *state = state_;
  // A live source delivers nothing while paused.
  return state_ == State_Paused ? VFW_S_CANT_CUE : S_OK;
}

STDMETHODIMP CameraFilter::SetSyncSource(IReferenceClock* clock) {
  std::lock_guard<std::mutex> hold(lock_);
  if (clock) clock->AddRef();
  if (clock_) clock_->Release();
  clock_ = clock;
  return S_OK;
}

STDMETHODIMP CameraFilter::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  std::lock_guard<std::mutex> hold(lock_);
  *clock = clock_;
  if (clock_) clock_->AddRef();
  return S_OK;
}

STDMETHODIMP CameraFilter::EnumPins(IEnumPins** pins) {
  if (!pins) return E_POINTER;
  std::vector<IPin*> all{&pin_};
  if (still_) all.push_back(still_.get());
  *pins = new PinEnumerator(std::move(all));
  return S_OK;
}

STDMETHODIMP CameraFilter::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  *pin = nullptr;
  CapturePin* found = std::wcscmp(id, L"Capture") == 0 ? &pin_
                      : still_ && std::wcscmp(id, L"Still") == 0 ? still_.get()
                                                                 : nullptr;
  if (!found) return VFW_E_NOT_FOUND;
  *pin = found;
  found->AddRef();
  return S_OK;
}

STDMETHODIMP CameraFilter::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  std::memcpy(info->achName, name_, sizeof(name_));
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

STDMETHODIMP CameraFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  std::lock_guard<std::mutex> hold(lock_);
  graph_ = graph;
  std::memset(name_, 0, sizeof(name_));
  if (name) std::wcsncpy(name_, name, 127);
  return S_OK;
}

// Called from the streaming thread, which Stop joins under the lock: the
// graph only changes while the filter is stopped.
void CameraFilter::Notify(long code, LONG_PTR param1, LONG_PTR param2) {
  if (!graph_) return;
  IMediaEventSink* sink = nullptr;
  if (SUCCEEDED(graph_->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink)))) {
    sink->Notify(code, param1, param2);
    sink->Release();
  }
}

STDMETHODIMP CameraFilter::GetRange(long property, long* min, long* max, long* step, long* fallback,
                                    long* flags) {
  if (!min || !max || !step || !fallback || !flags) return E_POINTER;
  if (property != VideoProcAmp_Brightness) return E_PROP_ID_UNSUPPORTED;
  *min = kBrightnessMin;
  *max = kBrightnessMax;
  *step = 1;
  *fallback = kBrightnessDefault;
  *flags = VideoProcAmp_Flags_Manual;
  return S_OK;
}

STDMETHODIMP CameraFilter::Set(long property, long value, long) {
  if (property != VideoProcAmp_Brightness) return E_PROP_ID_UNSUPPORTED;
  if (value < kBrightnessMin || value > kBrightnessMax) return E_INVALIDARG;
  brightness_ = value;
  return S_OK;
}

STDMETHODIMP CameraFilter::Get(long property, long* value, long* flags) {
  if (!value || !flags) return E_POINTER;
  if (property != VideoProcAmp_Brightness) return E_PROP_ID_UNSUPPORTED;
  *value = brightness_;
  *flags = VideoProcAmp_Flags_Manual;
  return S_OK;
}

STDMETHODIMP ZoomControl::GetRange(long property, long* min, long* max, long* step, long* fallback,
                                   long* flags) {
  if (!min || !max || !step || !fallback || !flags) return E_POINTER;
  if (property != CameraControl_Zoom) return E_PROP_ID_UNSUPPORTED;
  *min = kZoomMin;
  *max = kZoomMax;
  *step = 10;
  *fallback = kZoomDefault;
  *flags = CameraControl_Flags_Manual;
  return S_OK;
}

STDMETHODIMP ZoomControl::Set(long property, long value, long) {
  if (property != CameraControl_Zoom) return E_PROP_ID_UNSUPPORTED;
  if (value < kZoomMin || value > kZoomMax) return E_INVALIDARG;
  zoom_ = value;
  return S_OK;
}

STDMETHODIMP ZoomControl::Get(long property, long* value, long* flags) {
  if (!value || !flags) return E_POINTER;
  if (property != CameraControl_Zoom) return E_PROP_ID_UNSUPPORTED;
  *value = zoom_;
  *flags = CameraControl_Flags_Manual;
  return S_OK;
}

STDMETHODIMP CameraFilter::GetCaps(IPin* pin, LONG* flags) {
  if (!flags) return E_POINTER;
  if (pin != static_cast<IPin*>(&pin_) && (!still_ || pin != static_cast<IPin*>(still_.get()))) return E_INVALIDARG;
  *flags = pin == static_cast<IPin*>(&pin_) ? 0 : VideoControlFlag_Trigger;
  return S_OK;
}

STDMETHODIMP CameraFilter::SetMode(IPin* pin, LONG mode) {
  LONG offered = 0;
  const HRESULT hr = GetCaps(pin, &offered);
  if (FAILED(hr)) return hr;
  if ((mode & ~offered) != 0) return E_INVALIDARG;
  if (mode & VideoControlFlag_Trigger) still_->Trigger();
  return S_OK;
}

// The trigger is a moment, not a state.
STDMETHODIMP CameraFilter::GetMode(IPin* pin, LONG* mode) {
  if (!mode) return E_POINTER;
  LONG offered = 0;
  const HRESULT hr = GetCaps(pin, &offered);
  if (FAILED(hr)) return hr;
  *mode = 0;
  return S_OK;
}

STDMETHODIMP CameraFilter::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 1;
  pages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID)));
  if (!pages->pElems) {
    pages->cElems = 0;
    return E_OUTOFMEMORY;
  }
  pages->pElems[0] = kPageClsid;
  return S_OK;
}

}  // namespace test_camera
