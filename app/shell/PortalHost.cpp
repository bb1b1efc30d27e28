// PortalHost: the control's life inside the main window.
#include "PortalHost.h"

#include "Tovra2.h"
#include "common/HResult.h"
#include "common/Module.h"
#include "common/UniqueHandle.h"

namespace torvane {

namespace {

// Tovra2.dll beside the program, loaded once and kept for the rest of the
// process, as COM keeps an in-process server: the control registers class
// objects with COM (its engine proxies) that must never outlive its code.
HMODULE PortalLibraryBesideProgram() {
  static const common::UniqueModule library(
      ::LoadLibraryW((common::ModuleDirectory(nullptr) + L"Tovra2.dll").c_str()));
  return library.get();
}

}  // namespace

PortalHost::PortalHost(HWND liveView, PortalEvents* receiver) : site_(liveView), receiver_(receiver) {}

HRESULT PortalHost::Create(const RECT& position) {
  site_.SetPosition(position);
  RETURN_IF_FAILED(CreateObject());
  RETURN_IF_FAILED(Embed());
  return Advise();
}

// The registered control first; a copy beside the program (a build folder,
// an unregistered install) through its own class factory otherwise.
HRESULT PortalHost::CreateObject() {
  HRESULT hr = ::CoCreateInstance(CLSID_VideoPortal, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  object_.put_void());
  if (SUCCEEDED(hr)) return object_.As(&dispatch_);
  HMODULE library = PortalLibraryBesideProgram();
  if (!library) return hr;
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(::GetProcAddress(library, "DllGetClassObject")));
  if (!getClassObject) return hr;
  common::ComPtr<IClassFactory> factory;
  RETURN_IF_FAILED(getClassObject(CLSID_VideoPortal, IID_IClassFactory, factory.put_void()));
  RETURN_IF_FAILED(factory->CreateInstance(nullptr, IID_IOleObject, object_.put_void()));
  return object_.As(&dispatch_);
}

HRESULT PortalHost::Embed() {
  // A control that wants its site before it is initialised says so.
  DWORD status = 0;
  object_->GetMiscStatus(DVASPECT_CONTENT, &status);
  const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
  if (siteFirst) RETURN_IF_FAILED(object_->SetClientSite(&site_));
  common::ComPtr<IPersistStreamInit> persist;
  if (SUCCEEDED(object_.As(&persist))) persist->InitNew();
  if (!siteFirst) RETURN_IF_FAILED(object_->SetClientSite(&site_));
  object_->SetHostNames(L"Torvane", nullptr);

  // The extent in HIMETRIC, from the place in pixels at the screen's DPI.
  const RECT place = site_.Position();
  common::WindowDc screen(nullptr);
  SIZEL extent{::MulDiv(place.right - place.left, 2540, ::GetDeviceCaps(screen.get(), LOGPIXELSX)),
               ::MulDiv(place.bottom - place.top, 2540, ::GetDeviceCaps(screen.get(), LOGPIXELSY))};
  object_->SetExtent(DVASPECT_CONTENT, &extent);

  RECT position = place;
  RETURN_IF_FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site_, 0, site_.LiveView(), &position));
  common::ComPtr<IOleInPlaceObject> inPlace;
  if (SUCCEEDED(object_.As(&inPlace))) {
    inPlace->SetObjectRects(&position, &position);
    site_.SetInPlaceObject(std::move(inPlace));
  }
  return S_OK;
}

HRESULT PortalHost::Advise() {
  common::ComPtr<IConnectionPointContainer> container;
  RETURN_IF_FAILED(object_.As(&container));
  RETURN_IF_FAILED(container->FindConnectionPoint(DIID__IVideoPortalEvents, point_.put()));
  sink_ = common::ComPtr<PortalEventSink>::Attach(new PortalEventSink(receiver_));
  const HRESULT hr = point_->Advise(sink_.get(), &cookie_);
  if (FAILED(hr)) cookie_ = 0;
  return hr;
}

void PortalHost::Move(const RECT& position) {
  site_.SetPosition(position);
  if (IOleInPlaceObject* inPlace = site_.InPlaceObject()) inPlace->SetObjectRects(&position, &position);
}

void PortalHost::Close() {
  if (sink_) sink_->Detach();
  if (point_ && cookie_) point_->Unadvise(cookie_);
  cookie_ = 0;
  point_.reset();
  if (IOleInPlaceObject* inPlace = site_.InPlaceObject()) inPlace->InPlaceDeactivate();
  site_.SetInPlaceObject(nullptr);
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  dispatch_.reset();
  object_.reset();
  sink_.reset();
}

}  // namespace torvane
