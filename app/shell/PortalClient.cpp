// PortalClient: each member packs its arguments into DISPPARAMS (reversed,
// as late-bound callers pass them) and invokes the control's DISPID.
#include "PortalClient.h"

#include <utility>
#include <vector>

#include "AppError.h"

namespace torvane {

namespace {

// DISPIDs of IVideoPortal.
enum : DISPID {
  kPrepareControl = 1,
  kGetCameraCount = 2,
  kGetCameraDescription = 3,
  kConnectCamera = 8,
  kConnectCamera2 = 9,
  kDisconnectCamera = 10,
  kSetCameraPropertyLong = 13,
  kGetCameraPropertyLong = 14,
  kPictureToFile = 15,
  kStartMovieRecording = 17,
  kStopMovieRecording = 18,
  kStepCaptureAddFrame = 19,
  kMovieRecordWriteSingleFrame = 20,
  kSetVideoFormat = 22,
  kGetVideoFormat = 23,
  kShowCameraDlg = 24,
  kEnableUIElements = 25,
  kCameraConnected = 30,
  kCameraIndex = 31,
  kEnablePreview = 33,
  kMoviePlaybackFPS = 37,
  kMovieRecordAudio = 43,
  kMovieRecordMode = 44,
  kMovieRecordingActiveLocal = 46,
  kCameraState = 48,
  kEnableMovieRecordErrorPrompt = 49,
  kEnablePictureDiskErrorPrompt = 50,
  kStatusBarText = 51,
};

// Arguments of one call in natural order; owns the BSTRs it creates.
class Arguments {
 public:
  Arguments() = default;
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments() {
    for (VARIANT& v : values_) ::VariantClear(&v);
  }

  Arguments& Long(long value) {
    VARIANT& v = Add();
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return *this;
  }
  Arguments& String(const std::wstring& text) {
    VARIANT& v = Add();
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *this;
  }
  Arguments& LongOut(LONG* target) {
    VARIANT& v = Add();
    V_VT(&v) = VT_BYREF | VT_I4;
    V_I4REF(&v) = target;
    return *this;
  }
  Arguments& StringOut(BSTR* target) {
    VARIANT& v = Add();
    V_VT(&v) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&v) = target;
    return *this;
  }

  // DISPPARAMS want the last argument first.
  DISPPARAMS Reversed() {
    reversed_.assign(values_.rbegin(), values_.rend());
    return DISPPARAMS{reversed_.empty() ? nullptr : reversed_.data(), nullptr,
                      static_cast<UINT>(reversed_.size()), 0};
  }

 private:
  VARIANT& Add() {
    values_.emplace_back();
    ::VariantInit(&values_.back());
    return values_.back();
  }
  std::vector<VARIANT> values_;
  std::vector<VARIANT> reversed_;  // shallow copies; values_ owns the contents
};

// An owned BSTR for out parameters.
class OutString {
 public:
  OutString() = default;
  OutString(const OutString&) = delete;
  OutString& operator=(const OutString&) = delete;
  ~OutString() { ::SysFreeString(value_); }
  BSTR* put() { return &value_; }
  std::wstring str() const { return value_ ? std::wstring(value_, ::SysStringLen(value_)) : std::wstring(); }

 private:
  BSTR value_ = nullptr;
};

const wchar_t* MemberName(DISPID id);

// Invokes a method or property get and yields the result as a long.
long InvokeLong(IDispatch* control, DISPID id, WORD flags, Arguments& args) {
  if (!control) throw ComponentError(E_POINTER, std::wstring(L"VideoPortal.") + MemberName(id));
  DISPPARAMS params = args.Reversed();
  VARIANT result;
  ::VariantInit(&result);
  const HRESULT hr = control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, nullptr, nullptr);
  if (FAILED(hr)) {
    ::VariantClear(&result);
    throw ComponentError(hr, std::wstring(L"VideoPortal.") + MemberName(id));
  }
  long value = 0;
  if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4))) value = V_I4(&result);
  ::VariantClear(&result);
  return value;
}

void InvokePut(IDispatch* control, DISPID id, Arguments& args) {
  if (!control) throw ComponentError(E_POINTER, std::wstring(L"VideoPortal.") + MemberName(id));
  DISPPARAMS params = args.Reversed();
  DISPID named = DISPID_PROPERTYPUT;
  params.rgdispidNamedArgs = &named;
  params.cNamedArgs = 1;
  const HRESULT hr =
      control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
  if (FAILED(hr)) throw ComponentError(hr, std::wstring(L"VideoPortal.") + MemberName(id));
}

long GetLongProperty(IDispatch* control, DISPID id) {
  Arguments args;
  return InvokeLong(control, id, DISPATCH_PROPERTYGET, args);
}

void PutLongProperty(IDispatch* control, DISPID id, long value) {
  Arguments args;
  args.Long(value);
  InvokePut(control, id, args);
}

const wchar_t* MemberName(DISPID id) {
  switch (id) {
    case kPrepareControl: return L"PrepareControl";
    case kGetCameraCount: return L"GetCameraCount";
    case kGetCameraDescription: return L"GetCameraDescription";
    case kConnectCamera: return L"ConnectCamera";
    case kConnectCamera2: return L"ConnectCamera2";
    case kDisconnectCamera: return L"DisconnectCamera";
    case kSetCameraPropertyLong: return L"SetCameraPropertyLong";
    case kGetCameraPropertyLong: return L"GetCameraPropertyLong";
    case kPictureToFile: return L"PictureToFile";
    case kStartMovieRecording: return L"StartMovieRecording";
    case kStopMovieRecording: return L"StopMovieRecording";
    case kStepCaptureAddFrame: return L"StepCaptureAddFrame";
    case kMovieRecordWriteSingleFrame: return L"MovieRecordWriteSingleFrame";
    case kSetVideoFormat: return L"SetVideoFormat";
    case kGetVideoFormat: return L"GetVideoFormat";
    case kShowCameraDlg: return L"ShowCameraDlg";
    case kEnableUIElements: return L"EnableUIElements";
    case kCameraConnected: return L"CameraConnected";
    case kCameraIndex: return L"CameraIndex";
    case kEnablePreview: return L"EnablePreview";
    case kMoviePlaybackFPS: return L"MoviePlaybackFPS";
    case kMovieRecordAudio: return L"MovieRecordAudio";
    case kMovieRecordMode: return L"MovieRecordMode";
    case kMovieRecordingActiveLocal: return L"MovieRecordingActiveLocal";
    case kCameraState: return L"CameraState";
    case kEnableMovieRecordErrorPrompt: return L"EnableMovieRecordErrorPrompt";
    case kEnablePictureDiskErrorPrompt: return L"EnablePictureDiskErrorPrompt";
    case kStatusBarText: return L"StatusBarText";
    default: return L"member";
  }
}

}  // namespace

long PortalClient::PrepareControl(const std::wstring& uniqueName, const std::wstring& registryKey, long flags) {
  Arguments args;
  args.String(uniqueName).String(registryKey).Long(flags);
  return InvokeLong(Dispatch(), kPrepareControl, DISPATCH_METHOD, args);
}

long PortalClient::GetCameraCount(long* count) {
  LONG value = *count;
  Arguments args;
  args.LongOut(&value);
  const long result = InvokeLong(Dispatch(), kGetCameraCount, DISPATCH_METHOD, args);
  *count = value;
  return result;
}

long PortalClient::GetCameraDescription(long index, std::wstring* description) {
  OutString text;
  Arguments args;
  args.Long(index).StringOut(text.put());
  const long result = InvokeLong(Dispatch(), kGetCameraDescription, DISPATCH_METHOD, args);
  *description = text.str();
  return result;
}

long PortalClient::ConnectCamera(long index) {
  Arguments args;
  args.Long(index);
  return InvokeLong(Dispatch(), kConnectCamera, DISPATCH_METHOD, args);
}

long PortalClient::ConnectCamera2() {
  Arguments args;
  return InvokeLong(Dispatch(), kConnectCamera2, DISPATCH_METHOD, args);
}

long PortalClient::DisconnectCamera() {
  Arguments args;
  return InvokeLong(Dispatch(), kDisconnectCamera, DISPATCH_METHOD, args);
}

long PortalClient::SetCameraPropertyLong(long property, long value) {
  Arguments args;
  args.Long(property).Long(value);
  return InvokeLong(Dispatch(), kSetCameraPropertyLong, DISPATCH_METHOD, args);
}

long PortalClient::GetCameraPropertyLong(long property, long* value) {
  LONG out = *value;
  Arguments args;
  args.Long(property).LongOut(&out);
  const long result = InvokeLong(Dispatch(), kGetCameraPropertyLong, DISPATCH_METHOD, args);
  *value = out;
  return result;
}

long PortalClient::PictureToFile(long fourCC, long bitDepth, const std::wstring& fileName,
                                 const std::wstring& textStamp) {
  Arguments args;
  args.Long(fourCC).Long(bitDepth).String(fileName).String(textStamp);
  return InvokeLong(Dispatch(), kPictureToFile, DISPATCH_METHOD, args);
}

long PortalClient::StartMovieRecording(const std::wstring& fileName, const std::wstring& textStamp) {
  Arguments args;
  args.String(fileName).String(textStamp);
  return InvokeLong(Dispatch(), kStartMovieRecording, DISPATCH_METHOD, args);
}

long PortalClient::StopMovieRecording() {
  Arguments args;
  return InvokeLong(Dispatch(), kStopMovieRecording, DISPATCH_METHOD, args);
}

long PortalClient::StepCaptureAddFrame() {
  Arguments args;
  return InvokeLong(Dispatch(), kStepCaptureAddFrame, DISPATCH_METHOD, args);
}

long PortalClient::MovieRecordWriteSingleFrame(const std::wstring& fileName, const std::wstring& textStamp) {
  Arguments args;
  args.String(fileName).String(textStamp);
  return InvokeLong(Dispatch(), kMovieRecordWriteSingleFrame, DISPATCH_METHOD, args);
}

long PortalClient::SetVideoFormat(long width, long height, long bitDepth, long fourCC) {
  Arguments args;
  args.Long(width).Long(height).Long(bitDepth).Long(fourCC);
  return InvokeLong(Dispatch(), kSetVideoFormat, DISPATCH_METHOD, args);
}

long PortalClient::GetVideoFormat(long* width, long* height, long* bitDepth, long* fourCC) {
  LONG w = *width, h = *height, b = *bitDepth, f = *fourCC;
  Arguments args;
  args.LongOut(&w).LongOut(&h).LongOut(&b).LongOut(&f);
  const long result = InvokeLong(Dispatch(), kGetVideoFormat, DISPATCH_METHOD, args);
  *width = w;
  *height = h;
  *bitDepth = b;
  *fourCC = f;
  return result;
}

long PortalClient::ShowCameraDlg(long dialog) {
  Arguments args;
  args.Long(dialog);
  return InvokeLong(Dispatch(), kShowCameraDlg, DISPATCH_METHOD, args);
}

long PortalClient::EnableUIElements(long element, long flags, long enable) {
  Arguments args;
  args.Long(element).Long(flags).Long(enable);
  return InvokeLong(Dispatch(), kEnableUIElements, DISPATCH_METHOD, args);
}

long PortalClient::CameraConnected() { return GetLongProperty(Dispatch(), kCameraConnected); }

long PortalClient::CameraIndex() { return GetLongProperty(Dispatch(), kCameraIndex); }

long PortalClient::CameraState() { return GetLongProperty(Dispatch(), kCameraState); }

void PortalClient::SetEnablePreview(long value) { PutLongProperty(Dispatch(), kEnablePreview, value); }

void PortalClient::SetEnablePictureDiskErrorPrompt(long value) {
  PutLongProperty(Dispatch(), kEnablePictureDiskErrorPrompt, value);
}

void PortalClient::SetEnableMovieRecordErrorPrompt(long value) {
  PutLongProperty(Dispatch(), kEnableMovieRecordErrorPrompt, value);
}

long PortalClient::MoviePlaybackFPS() { return GetLongProperty(Dispatch(), kMoviePlaybackFPS); }

void PortalClient::SetMoviePlaybackFPS(long value) { PutLongProperty(Dispatch(), kMoviePlaybackFPS, value); }

void PortalClient::SetMovieRecordAudio(long value) { PutLongProperty(Dispatch(), kMovieRecordAudio, value); }

void PortalClient::SetMovieRecordMode(long value) { PutLongProperty(Dispatch(), kMovieRecordMode, value); }

long PortalClient::MovieRecordingActiveLocal() { return GetLongProperty(Dispatch(), kMovieRecordingActiveLocal); }

void PortalClient::SetStatusBarText(const std::wstring& text) {
  Arguments args;
  args.String(text);
  InvokePut(Dispatch(), kStatusBarText, args);
}

}  // namespace torvane
