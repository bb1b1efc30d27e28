// The embedding side of a windowed ActiveX control: everything a container
// talks to (object, in-place, view, persistence, quick activation, data and
// class information). A control class derives from OleControl, owns the
// IUnknown identity and forwards unknown IIDs to QueryOleInterface.
#pragma once

#include <ocidl.h>
#include <oleidl.h>
#include <windows.h>

#include "common/ComPtr.h"

namespace portal {

class OleControl : public IOleObject,
                   public IOleInPlaceObjectWindowless,
                   public IOleInPlaceActiveObject,
                   public IOleControl,
                   public IViewObjectEx,
                   public IPersistStreamInit,
                   public IPersistStorage,
                   public IQuickActivate,
                   public IDataObject,
                   public ISpecifyPropertyPages,
                   public IProvideClassInfo2 {
 public:
  OleControl(const OleControl&) = delete;
  OleControl& operator=(const OleControl&) = delete;

  // Window of the in-place active control, nullptr before activation.
  HWND ControlWindow() const { return window_; }
  // Extent in HIMETRIC, the only persisted state.
  SIZEL Extent() const { return extent_; }

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR containerApp, LPCOLESTR containerObject) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD whichMoniker, IMoniker* moniker) override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* activeSite, LONG index,
                                   HWND parent, LPCRECT posRect) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
  HRESULT STDMETHODCALLTYPE Update() override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* classId) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD formOfType, LPOLESTR* userType) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD drawAspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD drawAspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

  // IOleWindow (shared by the in-place object and active object)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;
  // IOleInPlaceObject / IOleInPlaceObjectWindowless
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT posRect, LPCRECT clipRect) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                            LRESULT* result) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget** dropTarget) override;
  // IOleInPlaceActiveObject
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* uiWindow,
                                         BOOL frameWindow) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
  // IOleControl
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
  HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

  // IViewObject / IViewObject2 / IViewObjectEx
  HRESULT STDMETHODCALLTYPE Draw(DWORD drawAspect, LONG index, void* aspect, DVTARGETDEVICE* targetDevice,
                                 HDC targetDc, HDC drawDc, LPCRECTL bounds, LPCRECTL windowBounds,
                                 BOOL(STDMETHODCALLTYPE* shouldContinue)(ULONG_PTR), ULONG_PTR continueArg) override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD drawAspect, LONG index, void* aspect, DVTARGETDEVICE* targetDevice,
                                        HDC targetDc, LOGPALETTE** colorSet) override;
  HRESULT STDMETHODCALLTYPE Freeze(DWORD drawAspect, LONG index, void* aspect, DWORD* freeze) override;
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD adviseFlags, IAdviseSink* sink) override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* adviseFlags, IAdviseSink** sink) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD drawAspect, LONG index, DVTARGETDEVICE* targetDevice,
                                      LPSIZEL size) override;
  HRESULT STDMETHODCALLTYPE GetRect(DWORD aspect, LPRECTL rect) override;
  HRESULT STDMETHODCALLTYPE GetViewStatus(DWORD* status) override;
  HRESULT STDMETHODCALLTYPE QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG closeHint,
                                          DWORD* hitResult) override;
  HRESULT STDMETHODCALLTYPE QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG closeHint,
                                         DWORD* hitResult) override;
  HRESULT STDMETHODCALLTYPE GetNaturalExtent(DWORD aspect, LONG index, DVTARGETDEVICE* targetDevice,
                                             HDC targetInfoDc, DVEXTENTINFO* extentInfo, LPSIZEL size) override;

  // IPersist (shared by both persistence interfaces)
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override;
  // IPersistStreamInit / IPersistStorage
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;
  HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
  HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

  // IQuickActivate
  HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
  HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
  HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

  // IDataObject: the control offers no data formats.
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* formatIn, FORMATETC* formatOut) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD adviseFlags, IAdviseSink* sink,
                                    DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advise) override;

  // ISpecifyPropertyPages
  HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;
  // IProvideClassInfo / IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** typeInfo) override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

 protected:
  OleControl(const CLSID& classId, SIZEL initialExtent);
  virtual ~OleControl();

  // Returns an AddRef'd pointer for the embedding interfaces, else
  // E_NOINTERFACE (and *object = nullptr).
  HRESULT QueryOleInterface(REFIID iid, void** object);

  // Identity of the whole control (its controlling IUnknown).
  virtual IUnknown* ControlUnknown() = 0;
  // Creates the control's own child window under parent at rect (client
  // coordinates of parent); nullptr on failure.
  virtual HWND CreateControlWindow(HWND parent, const RECT& rect) = 0;
  // Draws the control's picture for IViewObject::Draw when the container
  // asks for a rendering (printing, metafiles, windowless snapshots).
  virtual void DrawContent(HDC dc, const RECT& bounds) = 0;
  // Type information of the coclass, for IProvideClassInfo.
  virtual HRESULT GetClassTypeInfo(ITypeInfo** typeInfo) = 0;
  // IID of the default outgoing (event) interface.
  virtual const IID& DefaultSourceIid() const = 0;
  // Connects a container's sink to the default source (IQuickActivate).
  virtual HRESULT AdviseDefaultSource(IUnknown* sink, DWORD* cookie) = 0;
  // Called when the control's window has been destroyed by the control
  // (deactivation, Close) so the derived class can drop window state.
  virtual void OnWindowDestroyed() {}

  // The client site, once the container has set it.
  IOleClientSite* ClientSite() const { return clientSite_.get(); }

 private:
  // State is private to the implementation files of this class.
  CLSID classId_;
  SIZEL extent_;
  HWND window_ = nullptr;
  common::ComPtr<IOleClientSite> clientSite_;
  common::ComPtr<IOleInPlaceSite> inPlaceSite_;
  common::ComPtr<IOleAdviseHolder> oleAdviseHolder_;
  common::ComPtr<IAdviseSink> viewAdviseSink_;
  DWORD viewAdviseAspects_ = 0;
  DWORD viewAdviseFlags_ = 0;
  bool inPlaceActive_ = false;
  bool uiActive_ = false;
  bool dirty_ = false;
  // The implementation may add private members and private helper
  // functions here; the protected/public surface above is the contract.
  SIZEL initialExtent_;
  common::ComPtr<IOleInPlaceFrame> frame_;
  common::ComPtr<IOleInPlaceUIWindow> document_;

  // In-place activation steps (OleControlInPlace.cpp).
  HRESULT ActivateInPlace(IOleClientSite* site, LPCRECT posRect);
  HRESULT CreateWindowInSite(LPCRECT posRect);
  HRESULT ActivateUserInterface();
  void DestroyControlWindow();
  void ReleaseInPlaceSite();
  // Tells the view sink that the picture changed (OleControlView.cpp).
  void NotifyViewChange();
  // Reads or writes the two extent values (OleControlPersist.cpp).
  HRESULT ReadExtent(IStream* stream);
  HRESULT WriteExtent(IStream* stream) const;
  HRESULT DescribeUserType(LPOLESTR* userType);
};

}  // namespace portal
