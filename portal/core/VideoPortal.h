// The VideoPortal control object: one COM identity that answers
// IVideoPortal (with its early-bound tail), the embedding interfaces of
// OleControl and the connection point container for PortalNotification.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <memory>
#include <string>

#include "core/ConnectionPoint.h"
#include "core/ConnectionState.h"
#include "core/HookImage.h"
#include "core/PortalSettings.h"
#include "engine/EngineClient.h"
#include "ui/PortalWindow.h"
#include "ui/PreviewWindow.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "server/OleControl.h"

namespace portal {

class VideoPortal final : public OleControl,
                          public IVideoPortalEarlyBound,
                          public IConnectionPointContainer,
                          private PortalWindow::Owner {
 public:
  // Creates a control and returns the requested interface.
  static HRESULT Create(IUnknown* outer, REFIID iid, void** object);

  // IUnknown (the one identity of every interface above)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch, served from the embedded type library
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** typeInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // IVideoPortal
  HRESULT STDMETHODCALLTYPE PrepareControl(BSTR strUniqueName, BSTR strRegistryKey, LONG lFlags, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE GetCameraCount(LONG *plCount, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE GetCameraDescription(LONG lIndex, BSTR *strDescription, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE GetCameraType(LONG lIndex, LONG *lCameraType, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE QueryCameraConnected(LONG lIndex, LONG *bConnected, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE QueryRegistryCameraIndex(LONG *lIndex, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE GetCameraState(LONG lIndex, LONG *plCameraState, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE ConnectCamera(LONG lIndex, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE ConnectCamera2(LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE DisconnectCamera(LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE LoadRegistrySettings(BSTR strRegistryKey, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE SaveRegistrySettings(BSTR strRegistryKey, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE SetCameraPropertyLong(LONG lProperty, LONG lPropertyValue, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE GetCameraPropertyLong(LONG lProperty, LONG *plPropertyValue, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE PictureToFile(LONG lFormatFourCC, LONG lBitDepth, BSTR strFileName, BSTR strTextStamp, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE PictureToMemory(LONG lFormatFourCC, LONG lBitDepth, LONG_PTR lMemory, LONG *plMemorySize, BSTR strTextStamp, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE StartMovieRecording(BSTR strFileName, BSTR strTextStamp, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE StopMovieRecording(LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE StepCaptureAddFrame(LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE MovieRecordWriteSingleFrame(BSTR strFileName, BSTR strTextStamp, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE GetLastError(LONG *plError) override;
  HRESULT STDMETHODCALLTYPE SetVideoFormat(LONG lWidth, LONG lHeight, LONG lBitDepth, LONG lFormatFourCC, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE GetVideoFormat(LONG *plWidth, LONG *plHeight, LONG *plBitDepth, LONG *lFormatFourCC, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE ShowCameraDlg(LONG lCameraDlg, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE EnableUIElements(LONG lElement, LONG lFlags, LONG lEnable, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE StartVideoHook(LONG lFlag, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE StopVideoHook(LONG lFlag, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE SendCommand(LONG lCommand, LONG lSubCommand, LONG lFlags, LONG_PTR lParam, LONG lParamSize, LONG_PTR plParam2, LONG lParamSize2, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE Query(LONG lCommand, LONG lSubCommand, LONG lFlags, LONG_PTR lParam, LONG lParamSize, LONG_PTR lParam2, LONG lParamSize2, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE get_CameraConnected(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE get_CameraIndex(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE get_PictureSound(BSTR *pVal) override;
  HRESULT STDMETHODCALLTYPE put_PictureSound(BSTR newVal) override;
  HRESULT STDMETHODCALLTYPE get_EnablePreview(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_EnablePreview(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieVideoCompressionFOURCC(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieVideoCompressionFOURCC(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieVideoCompressionKeyFrameInterval(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieVideoCompressionKeyFrameInterval(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieVideoCompressionQuality(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieVideoCompressionQuality(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MoviePlaybackFPS(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MoviePlaybackFPS(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieAudioSamplesPerSecond(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieAudioSamplesPerSecond(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieAudioChannels(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieAudioChannels(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieAudioBitsPerSample(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieAudioBitsPerSample(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieAudioCompressionFOURCC(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieAudioCompressionFOURCC(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieAudioCompressionQuality(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieAudioCompressionQuality(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieRecordAudio(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieRecordAudio(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieRecordMode(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieRecordMode(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieCreateFlags(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_MovieCreateFlags(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieRecordingActiveLocal(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE get_MovieRecordingActiveGlobal(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE get_CameraState(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE get_EnableMovieRecordErrorPrompt(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_EnableMovieRecordErrorPrompt(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_EnablePictureDiskErrorPrompt(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_EnablePictureDiskErrorPrompt(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE put_StatusBarText(BSTR newVal) override;
  HRESULT STDMETHODCALLTYPE get_PreviewMaxWidth(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_PreviewMaxWidth(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_PreviewMaxHeight(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_PreviewMaxHeight(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_VideoHookStateGlobal(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE get_VideoHookStateLocal(LONG *pVal) override;
  // IVideoPortalEarlyBound
  HRESULT STDMETHODCALLTYPE Reserved80(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE Reserved81(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStampColor3(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStampColor3(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStampValue2(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStampValue2(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStampColor2(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStampColor2(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStampValue1(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStampValue1(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStampFontSize(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStampFontSize(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStampFontName(BSTR *pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStampFontName(BSTR newVal) override;
  HRESULT STDMETHODCALLTYPE get_TextStampColor(LONG *pVal) override;
  HRESULT STDMETHODCALLTYPE put_TextStampColor(LONG newVal) override;
  HRESULT STDMETHODCALLTYPE IndexedPictureCount(LONG *plCount, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE IndexedPictureInfo(LONG lPicture, LONG *plWidth, LONG *plHeight, LONG *plValue3, LONG *plValue4, LONG *plValue5, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE IndexedPictureToFile(LONG lPicture, BSTR strFileName, BSTR strTextStamp, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE IndexedPictureToMemory(LONG lFormatFourCC, LONG lBitDepth, LONG lPicture, LONG_PTR lMemory, LONG *plMemorySize, BSTR strTextStamp, LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE IndexedPictureCommand4(LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE IndexedPictureCommand5(LONG *plResult) override;
  HRESULT STDMETHODCALLTYPE Reserved102(LONG *pVal) override;

  // Fires PortalNotification on both connection points, to every sink in
  // connection order; sink results are ignored.
  void FireNotification(LONG msg, LONG_PTR param1, LONG_PTR param2, LONG_PTR param3);

 protected:
  // OleControl
  IUnknown* ControlUnknown() override { return static_cast<IVideoPortal*>(this); }
  HWND CreateControlWindow(HWND parent, const RECT& rect) override;
  void DrawContent(HDC dc, const RECT& bounds) override;
  HRESULT GetClassTypeInfo(ITypeInfo** typeInfo) override;
  const IID& DefaultSourceIid() const override { return DIID__IVideoPortalEvents; }
  HRESULT AdviseDefaultSource(IUnknown* sink, DWORD* cookie) override;
  void OnWindowDestroyed() override;

  // PortalWindow::Owner
  void OnPaint(HDC dc, const RECT& client) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnDestroy() override;

 private:
  VideoPortal();
  ~VideoPortal() override;

  // Sets the portal result code and the matching HRESULT (S_OK for 1,
  // S_FALSE for 0).
  static HRESULT Result(LONG* plResult, bool success);
  bool HasEngine() const { return engine_ != nullptr; }

  // Connection (VideoPortalConnection.cpp)
  bool IsCameraConnected();
  bool ReadCameraRecord(LONG index, engine::CameraRecord* record);
  bool ReadRememberedCamera(engine::CameraRecord* record, LONG* index);
  bool ConnectIndex(LONG index);
  void SearchAndConnect();
  void ProbeFormatSupport();
  bool ReadFormat(LONG* width, LONG* height, LONG* bitDepth, LONG* fourCC);
  bool ReadProperty(LONG property, LONG* value);
  bool WriteProperty(LONG property, LONG value) { return engine_ && engine_->ExecuteLong(5, property, value); }
  bool ApplyPreview(LONG enable);
  void ResizePreview(LONG width, LONG height);
  bool RecordingActiveGlobal();

  // Window side (VideoPortalWindow.cpp)
  void LayOut();
  void ShowInfoScreen(InfoScreenKind kind, const std::wstring& cameraName = std::wstring());
  void ChooseInfoScreen();
  void PostRefresh();
  void ReleaseEngine();

  // Engine messages (VideoPortalMessages.cpp)
  bool HandleEngineMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnMotionReport(WPARAM wParam, LPARAM lParam);
  void OnCameraGone();
  void OnHookFrame(LPARAM lParam);
  // Removes queued copies of message; returns how many, with the last
  // one's parameters.
  int RemoveQueued(UINT message, MSG* last);

  // Picture output (VideoPortalPictures.cpp)
  // Target check of a picture file; explains a failure in a message box
  // when the client enabled it.
  bool CheckPictureTarget(const std::string& path);
  std::wstring PictureCameraName(const engine::CameraRecord& camera);
  // Switches live video off for a picture when the client disallowed it;
  // returns whether it was on.
  bool PauseLiveVideo();
  void ResumeLiveVideo(bool wasOn);
  // Whether a picture shows the busy indicator over the control.
  bool BusyIndicatorWanted(bool liveVideoWasOn);
  void SendPictureStyle();
  void SendPictureSound();
  // Reads the description of an indexed picture (inquiry 22/6).
  bool ReadIndexedPicture(LONG picture, engine::IndexedPictureRecord* record);

  HRESULT DispatchTypeInfo(ITypeInfo** typeInfo);

  // The timer that refreshes the status indicators.
  static constexpr UINT_PTR kStatusTimer = 1;

  LONG refs_ = 1;
  common::ComPtr<ITypeInfo> dispatchTypeInfo_;
  PortalSettings settings_;
  ConnectionState connection_;
  PortalWindow window_;
  PreviewWindow preview_;
  std::unique_ptr<EngineClient> engine_;
  HookImage hook_;
  bool recordingLocal_ = false;
  bool paused_ = false;
  bool statusTimer_ = false;
  ConnectionPoint defaultEvents_;
  ConnectionPoint secondEvents_;
};

}  // namespace portal
