// PortalClient: each member packs its arguments into DISPPARAMS (reversed,
// as late-bound callers pass them) and invokes the control's DISPID.
#include "PortalClient.h"

#include <utility>
#include <vector>

#include "AppError.h"
#include "PortalContract.h"
#include "common/UniqueBstr.h"

namespace torvane {

namespace {

namespace dispid = tovra2::dispid;

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
  Arguments& Pointer(const void* address) {
    VARIANT& v = Add();
#ifdef _WIN64
    V_VT(&v) = VT_I8;
    V_I8(&v) = reinterpret_cast<LONG_PTR>(address);
#else
    V_VT(&v) = VT_I4;
    V_I4(&v) = reinterpret_cast<LONG_PTR>(address);
#endif
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

// "VideoPortal.<member>" for error descriptions.
std::wstring MemberName(DISPID id) {
  const wchar_t* name = tovra2::MemberNameOf(id);
  return std::wstring(L"VideoPortal.") + (name ? name : L"member");
}

// Invokes a method or property get and yields the result as a long.
long InvokeLong(IDispatch* control, DISPID id, WORD flags, Arguments& args) {
  if (!control) throw ComponentError(E_POINTER, MemberName(id));
  DISPPARAMS params = args.Reversed();
  VARIANT result;
  ::VariantInit(&result);
  const HRESULT hr = control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, nullptr, nullptr);
  if (FAILED(hr)) {
    ::VariantClear(&result);
    throw ComponentError(hr, MemberName(id));
  }
  long value = 0;
  if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4))) value = V_I4(&result);
  ::VariantClear(&result);
  return value;
}

void InvokePut(IDispatch* control, DISPID id, Arguments& args) {
  if (!control) throw ComponentError(E_POINTER, MemberName(id));
  DISPPARAMS params = args.Reversed();
  DISPID named = DISPID_PROPERTYPUT;
  params.rgdispidNamedArgs = &named;
  params.cNamedArgs = 1;
  const HRESULT hr =
      control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
  if (FAILED(hr)) throw ComponentError(hr, MemberName(id));
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

}  // namespace

long PortalClient::PrepareControl(const std::wstring& uniqueName, const std::wstring& registryKey, long flags) {
  Arguments args;
  args.String(uniqueName).String(registryKey).Long(flags);
  return InvokeLong(Dispatch(), dispid::kPrepareControl, DISPATCH_METHOD, args);
}

long PortalClient::GetCameraCount(long* count) {
  LONG value = *count;
  Arguments args;
  args.LongOut(&value);
  const long result = InvokeLong(Dispatch(), dispid::kGetCameraCount, DISPATCH_METHOD, args);
  *count = value;
  return result;
}

long PortalClient::GetCameraDescription(long index, std::wstring* description) {
  common::UniqueBstr text;
  Arguments args;
  args.Long(index).StringOut(text.put());
  const long result = InvokeLong(Dispatch(), dispid::kGetCameraDescription, DISPATCH_METHOD, args);
  *description = text.str();
  return result;
}

long PortalClient::ConnectCamera(long index) {
  Arguments args;
  args.Long(index);
  return InvokeLong(Dispatch(), dispid::kConnectCamera, DISPATCH_METHOD, args);
}

long PortalClient::ConnectCamera2() {
  Arguments args;
  return InvokeLong(Dispatch(), dispid::kConnectCamera2, DISPATCH_METHOD, args);
}

long PortalClient::DisconnectCamera() {
  Arguments args;
  return InvokeLong(Dispatch(), dispid::kDisconnectCamera, DISPATCH_METHOD, args);
}

long PortalClient::SetCameraPropertyLong(long property, long value) {
  Arguments args;
  args.Long(property).Long(value);
  return InvokeLong(Dispatch(), dispid::kSetCameraPropertyLong, DISPATCH_METHOD, args);
}

long PortalClient::GetCameraPropertyLong(long property, long* value) {
  LONG out = *value;
  Arguments args;
  args.Long(property).LongOut(&out);
  const long result = InvokeLong(Dispatch(), dispid::kGetCameraPropertyLong, DISPATCH_METHOD, args);
  *value = out;
  return result;
}

long PortalClient::PictureToFile(long fourCC, long bitDepth, const std::wstring& fileName,
                                 const std::wstring& textStamp) {
  Arguments args;
  args.Long(fourCC).Long(bitDepth).String(fileName).String(textStamp);
  return InvokeLong(Dispatch(), dispid::kPictureToFile, DISPATCH_METHOD, args);
}

long PortalClient::StartMovieRecording(const std::wstring& fileName, const std::wstring& textStamp) {
  Arguments args;
  args.String(fileName).String(textStamp);
  return InvokeLong(Dispatch(), dispid::kStartMovieRecording, DISPATCH_METHOD, args);
}

long PortalClient::StopMovieRecording() {
  Arguments args;
  return InvokeLong(Dispatch(), dispid::kStopMovieRecording, DISPATCH_METHOD, args);
}

long PortalClient::StepCaptureAddFrame() {
  Arguments args;
  return InvokeLong(Dispatch(), dispid::kStepCaptureAddFrame, DISPATCH_METHOD, args);
}

long PortalClient::MovieRecordWriteSingleFrame(const std::wstring& fileName, const std::wstring& textStamp) {
  Arguments args;
  args.String(fileName).String(textStamp);
  return InvokeLong(Dispatch(), dispid::kMovieRecordWriteSingleFrame, DISPATCH_METHOD, args);
}

long PortalClient::SetVideoFormat(long width, long height, long bitDepth, long fourCC) {
  Arguments args;
  args.Long(width).Long(height).Long(bitDepth).Long(fourCC);
  return InvokeLong(Dispatch(), dispid::kSetVideoFormat, DISPATCH_METHOD, args);
}

long PortalClient::GetVideoFormat(long* width, long* height, long* bitDepth, long* fourCC) {
  LONG w = *width, h = *height, b = *bitDepth, f = *fourCC;
  Arguments args;
  args.LongOut(&w).LongOut(&h).LongOut(&b).LongOut(&f);
  const long result = InvokeLong(Dispatch(), dispid::kGetVideoFormat, DISPATCH_METHOD, args);
  *width = w;
  *height = h;
  *bitDepth = b;
  *fourCC = f;
  return result;
}

long PortalClient::ShowCameraDlg(long dialog) {
  Arguments args;
  args.Long(dialog);
  return InvokeLong(Dispatch(), dispid::kShowCameraDlg, DISPATCH_METHOD, args);
}

long PortalClient::EnableUIElements(long element, long flags, long enable) {
  Arguments args;
  args.Long(element).Long(flags).Long(enable);
  return InvokeLong(Dispatch(), dispid::kEnableUIElements, DISPATCH_METHOD, args);
}

long PortalClient::SendCommand(long command, long subCommand, long flags, const void* data, long size) {
  Arguments args;
  args.Long(command).Long(subCommand).Long(flags).Pointer(data).Long(size).Pointer(nullptr).Long(0);
  return InvokeLong(Dispatch(), dispid::kSendCommand, DISPATCH_METHOD, args);
}

long PortalClient::Query(long command, long subCommand, long flags, const void* data, long size, void* answer,
                         long answerSize) {
  Arguments args;
  args.Long(command).Long(subCommand).Long(flags).Pointer(data).Long(size).Pointer(answer).Long(answerSize);
  return InvokeLong(Dispatch(), dispid::kQuery, DISPATCH_METHOD, args);
}

long PortalClient::CameraConnected() { return GetLongProperty(Dispatch(), dispid::kCameraConnected); }

long PortalClient::CameraIndex() { return GetLongProperty(Dispatch(), dispid::kCameraIndex); }

long PortalClient::CameraState() { return GetLongProperty(Dispatch(), dispid::kCameraState); }

void PortalClient::SetEnablePreview(long value) { PutLongProperty(Dispatch(), dispid::kEnablePreview, value); }

void PortalClient::SetEnablePictureDiskErrorPrompt(long value) {
  PutLongProperty(Dispatch(), dispid::kEnablePictureDiskErrorPrompt, value);
}

void PortalClient::SetEnableMovieRecordErrorPrompt(long value) {
  PutLongProperty(Dispatch(), dispid::kEnableMovieRecordErrorPrompt, value);
}

long PortalClient::MoviePlaybackFPS() { return GetLongProperty(Dispatch(), dispid::kMoviePlaybackFPS); }

void PortalClient::SetMoviePlaybackFPS(long value) { PutLongProperty(Dispatch(), dispid::kMoviePlaybackFPS, value); }

void PortalClient::SetMovieRecordAudio(long value) { PutLongProperty(Dispatch(), dispid::kMovieRecordAudio, value); }

void PortalClient::SetMovieRecordMode(long value) { PutLongProperty(Dispatch(), dispid::kMovieRecordMode, value); }

long PortalClient::MovieRecordingActiveLocal() { return GetLongProperty(Dispatch(), dispid::kMovieRecordingActiveLocal); }

void PortalClient::SetStatusBarText(const std::wstring& text) {
  Arguments args;
  args.String(text);
  InvokePut(Dispatch(), dispid::kStatusBarText, args);
}

}  // namespace torvane
