// Conversion of grabbed buffers into frames on the streaming thread.
#include "FrameGrabber.h"

#include <utility>

namespace engine {

FrameGrabber::FrameGrabber(HWND window, UINT message, WPARAM cookie)
    : window_(window), message_(message), cookie_(cookie), first_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void FrameGrabber::Configure(media::PixelFormat format, bool topDown, int width, int height) {
  std::lock_guard<std::mutex> hold(lock_);
  format_ = format;
  topDown_ = topDown;
  width_ = width;
  height_ = height;
}

bool FrameGrabber::WaitForFirst(DWORD timeoutMs) const noexcept {
  return first_ && ::WaitForSingleObject(first_.get(), timeoutMs) == WAIT_OBJECT_0;
}

void FrameGrabber::Rearm() noexcept {
  std::lock_guard<std::mutex> hold(lock_);
  fresh_ = false;
  ::ResetEvent(first_.get());
}

bool FrameGrabber::Take(media::Frame& out) {
  std::lock_guard<std::mutex> hold(lock_);
  posted_ = false;
  if (!fresh_) return false;
  std::swap(out, back_);
  fresh_ = false;
  return true;
}

DWORD FrameGrabber::LastDelivery() const noexcept {
  std::lock_guard<std::mutex> hold(lock_);
  return lastDelivery_;
}

STDMETHODIMP FrameGrabber::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
    *out = static_cast<ISampleGrabberCB*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP FrameGrabber::BufferCB(double, BYTE* buffer, long length) {
  try {
    std::lock_guard<std::mutex> hold(lock_);
    if (width_ <= 0 || height_ <= 0 || length <= 0) return S_OK;
    if (back_.Width() != width_ || back_.Height() != height_) {
      if (FAILED(back_.Allocate(width_, height_))) return S_OK;
    }
    if (FAILED(media::ConvertToFrame(format_, topDown_, buffer, static_cast<std::size_t>(length), back_))) {
      return S_OK;
    }
    fresh_ = true;
    lastDelivery_ = ::GetTickCount();
    if (lastDelivery_ == 0) lastDelivery_ = 1;
    ::SetEvent(first_.get());
    if (window_ && !posted_ && ::PostMessageW(window_, message_, cookie_, 0)) posted_ = true;
  } catch (...) {
    // A frame that cannot be converted is dropped; the next one may fit.
  }
  return S_OK;
}

}  // namespace engine
