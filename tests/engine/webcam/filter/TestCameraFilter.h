// The test camera's DirectShow filter: a capture output pin delivering the
// picture of TestCamera.h at 15 frames a second in RGB24, YUY2 or MJPG,
// optionally a still pin delivering it at a still size when triggered,
// with IAMStreamConfig and the pin category on each pin, and
// IAMVideoProcAmp (brightness), IAMCameraControl (zoom), IAMVideoControl
// (the still trigger) and ISpecifyPropertyPages on the filter.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "TestCamera.h"
#include "media/Frame.h"
#include "media/MjpegEncoder.h"
#include "common/UniqueHandle.h"

namespace test_camera {

class CameraFilter;

enum class Coding { kRgb24, kYuy2, kMjpg };

// One of a pin's formats: size and coding.
struct FormatChoice {
  Size size = kDefaultSize;
  Coding coding = Coding::kRgb24;
  bool operator==(const FormatChoice& o) const {
    return size.width == o.size.width && size.height == o.size.height && coding == o.coding;
  }
  bool operator!=(const FormatChoice& o) const { return !(*this == o); }
};
// Builds the media type of a choice (the caller frees its format block).
HRESULT FillMediaType(FormatChoice choice, AM_MEDIA_TYPE* type);
// The choice a media type stands for (whether a pin offers it is the
// pin's to say); false for a type the filter never makes.
bool ChoiceOf(const AM_MEDIA_TYPE& type, FormatChoice* choice);
void FreeMediaTypeContents(AM_MEDIA_TYPE& type);
// True when the named control event exists and is set.
bool ControlSet(const wchar_t* name);

// The capture pin streams at 15 frames a second; the still pin delivers
// one picture for each Trigger.
enum class PinRole { kCapture, kStill };

class CapturePin : public IPin, public IAMStreamConfig, public IKsPropertySet {
 public:
  CapturePin(CameraFilter* filter, PinRole role, bool withMjpg);
  ~CapturePin();

  // IUnknown (delegates its count to the filter)
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IPin
  STDMETHODIMP Connect(IPin* receiver, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
  STDMETHODIMP QueryId(LPWSTR* id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
  STDMETHODIMP QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
  STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
  STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
  STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }
  STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }
  // IAMStreamConfig
  STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
  STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
  STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
  STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;
  // IKsPropertySet (the pin category)
  STDMETHODIMP Set(REFGUID, DWORD, LPVOID, DWORD, LPVOID, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD size, DWORD* returned) override;
  STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

  // Filter state changes.
  HRESULT Activate();    // stopped -> paused: commit and start the thread
  void Deactivate();     // -> stopped: stop the thread, decommit
  FormatChoice Choice() const { return choice_; }
  PinRole Role() const { return role_; }
  // The still pin delivers its next picture (while the filter runs).
  void Trigger() { ::SetEvent(trigger_.get()); }

 private:
  const wchar_t* Name() const { return role_ == PinRole::kStill ? L"Still" : L"Capture"; }
  std::vector<FormatChoice> Offered() const;
  bool Offers(FormatChoice choice) const;
  HRESULT TryConnect(IPin* receiver, FormatChoice choice);
  HRESULT DecideAllocator(IMemInputPin* input, const AM_MEDIA_TYPE& type);
  void Stream();
  void StreamStills();
  HRESULT DeliverOne(std::uint32_t frame, HANDLE delivered);
  HRESULT DeliverJpeg(IMediaSample* sample, BYTE* data, std::uint32_t frame, long brightness, HANDLE delivered);

  CameraFilter* filter_;
  PinRole role_;
  bool withMjpg_;
  common::UniqueKernelHandle trigger_;
  IPin* connected_ = nullptr;
  IMemInputPin* input_ = nullptr;
  IMemAllocator* allocator_ = nullptr;
  FormatChoice choice_;
  bool chosen_ = false;  // SetFormat narrowed the offered types to choice_
  std::thread thread_;
  common::UniqueKernelHandle stop_;
  // The picture without its frame number (streaming thread only).
  std::vector<BYTE> picture_;
  media::Frame mjpgFrame_;
  std::vector<std::uint8_t> jpeg_;
  media::MjpegEncoder encoder_;
  long pictureBrightness_ = 0;
  FormatChoice pictureChoice_;
};

// The filter's camera control (zoom only): its own object, because its
// methods have the same names and signatures as the amplifier's.
class ZoomControl : public IAMCameraControl {
 public:
  explicit ZoomControl(IUnknown* owner) : owner_(owner) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return owner_->QueryInterface(iid, out); }
  STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }
  STDMETHODIMP GetRange(long property, long* min, long* max, long* step, long* fallback, long* flags) override;
  STDMETHODIMP Set(long property, long value, long flags) override;
  STDMETHODIMP Get(long property, long* value, long* flags) override;

 private:
  IUnknown* owner_;
  std::atomic<long> zoom_{kZoomDefault};
};

class CameraFilter : public IBaseFilter, public IAMVideoProcAmp, public IAMVideoControl, public ISpecifyPropertyPages {
 public:
  CameraFilter();
  virtual ~CameraFilter();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  // IPersist
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  // IMediaFilter
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
  // IBaseFilter
  STDMETHODIMP EnumPins(IEnumPins** pins) override;
  STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }
  // IAMVideoProcAmp (brightness only)
  STDMETHODIMP GetRange(long property, long* min, long* max, long* step, long* fallback,
                        long* flags) override;
  STDMETHODIMP Set(long property, long value, long flags) override;
  STDMETHODIMP Get(long property, long* value, long* flags) override;
  // IAMVideoControl (the still pin's trigger)
  STDMETHODIMP GetCaps(IPin* pin, LONG* flags) override;
  STDMETHODIMP SetMode(IPin* pin, LONG mode) override;
  STDMETHODIMP GetMode(IPin* pin, LONG* mode) override;
  STDMETHODIMP GetCurrentActualFrameRate(IPin*, LONGLONG*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMaxAvailableFrameRate(IPin*, LONG, SIZE, LONGLONG*) override { return E_NOTIMPL; }
  STDMETHODIMP GetFrameRateList(IPin*, LONG, SIZE, LONG*, LONGLONG**) override { return E_NOTIMPL; }
  // ISpecifyPropertyPages
  STDMETHODIMP GetPages(CAUUID* pages) override;

  bool Running() const { return state_ == State_Running; }
  long Brightness() const { return brightness_; }
  // Sends an event to the graph the filter is in (no-op outside a graph).
  void Notify(long code, LONG_PTR param1, LONG_PTR param2);
  CapturePin& Pin() { return pin_; }
  CapturePin* StillPin() { return still_.get(); }
  std::mutex& Lock() { return lock_; }

 private:
  std::atomic<ULONG> refs_{1};
  std::mutex lock_;
  std::atomic<FILTER_STATE> state_{State_Stopped};
  IFilterGraph* graph_ = nullptr;  // not counted: the graph holds the filter
  IReferenceClock* clock_ = nullptr;
  WCHAR name_[128] = {};
  std::atomic<long> brightness_{kBrightnessDefault};
  CapturePin pin_;
  std::unique_ptr<CapturePin> still_;  // only in a camera with a still pin
  ZoomControl zoom_{static_cast<IBaseFilter*>(this)};
};

}  // namespace test_camera
