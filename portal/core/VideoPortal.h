// The VideoPortal control object: one COM identity that answers
// IVideoPortal (with its early-bound tail), the embedding interfaces of
// OleControl and the connection point container for PortalNotification.
// It is a thin face: each member checks its arguments and hands the call to
// the component that owns the behaviour (session, pictures, movies, hook,
// dialogs); the window's messages go to the message router. It gives the
// components its window (WindowView) and its events (NotificationSink).
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <memory>
#include <string>

#include "Tovra2.h"
#include "common/ComPtr.h"
#include "core/ConnectionPoint.h"
#include "core/NotificationSink.h"
#include "core/WindowView.h"
#include "core/dialogs/CameraDialogs.h"
#include "core/dialogs/CameraMenu.h"
#include "core/dialogs/CameraPopup.h"
#include "core/dialogs/Launchers.h"
#include "core/dialogs/PortalLaunchers.h"
#include "core/messages/MessageRouter.h"
#include "core/messages/StatusTimer.h"
#include "core/messages/VideoHook.h"
#include "core/movies/AviPostProcessor.h"
#include "core/movies/MovieRecording.h"
#include "core/pictures/BusyIndicator.h"
#include "core/pictures/IndexedPictures.h"
#include "core/pictures/PictureOutput.h"
#include "core/session/CameraSession.h"
#include "server/OleControl.h"
#include "ui/PortalWindow.h"
#include "ui/PreviewWindow.h"
#include "ui/bar/PaneBarWindow.h"
#include "ui/bar/PortalPaneBar.h"
#include "ui/menus/PopupMenu.h"
#include "ui/menus/ResolutionPopup.h"

namespace portal {

class VideoPortal final : public OleControl,
                          public IVideoPortalEarlyBound,
                          public IConnectionPointContainer,
                          private PortalWindow::Owner,
                          private WindowView,
                          private NotificationSink {
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

  // NotificationSink: fires PortalNotification on both connection points,
  // to every sink in connection order; sink results are ignored.
  void Notify(LONG code, LONG_PTR param1, LONG_PTR param2, LONG_PTR param3) override;

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

  // WindowView (VideoPortalWindow.cpp)
  HWND Window() const override { return window_.Handle(); }
  HWND PreviewArea() const override { return preview_.Handle(); }
  void Repaint() override;
  void LayOut() override;
  void SizePreview(LONG width, LONG height) override;
  void SetPreviewLive(bool live) override { preview_.SetLive(live); }
  void ShowInfoScreen(InfoScreenKind kind, const std::wstring& cameraName) override;
  void HideRetryButton() override { preview_.HideRetryButton(); }
  bool PostToSelf(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool TakeQueued(UINT message, MSG* taken) override;
  bool StartTimer(UINT_PTR id, UINT periodMs) override;
  void StopTimer(UINT_PTR id) override;
  void TakeFocus() override;
  bool ShownInForeground() const override;
  void ShowBusyIndicator() override;
  void HideBusyIndicator() override { busyIndicator_.Destroy(); }
  void ShowError(const std::wstring& text) override;

 private:
  VideoPortal();
  ~VideoPortal() override;

  // Sets the portal result code and the matching HRESULT (S_OK for 1,
  // S_FALSE for 0).
  static HRESULT Result(LONG* plResult, bool success);
  // Hands a new copy of text to a string property get.
  static HRESULT StringOut(BSTR* out, const std::wstring& text);
  HRESULT DispatchTypeInfo(ITypeInfo** typeInfo);
  TextStampStyle& TextStamp() { return pictures_.Settings().textStamp; }

  LONG refs_ = 1;
  common::ComPtr<ITypeInfo> dispatchTypeInfo_;
  PortalWindow window_;
  PreviewWindow preview_;
  BusyIndicator busyIndicator_;
  CameraSession session_;
  PictureOutput pictures_;
  IndexedPictures indexedPictures_;
  AviPostProcessor moviePostProcessor_;
  MovieRecording movies_;
  VideoHook hook_;
  SystemPopupMenu menus_;
  StatusTimer statusTimer_;
  PaneBarWindow barWindow_;
  PortalPaneBar bar_;
  PortalLaunchers launchers_;
  ResolutionPopup resolutionMenu_;
  CameraPopup cameraMenu_;
  CameraDialogs dialogs_;
  MessageRouter router_;
  ConnectionPoint defaultEvents_;
  ConnectionPoint secondEvents_;
};

}  // namespace portal
