// The sample grabber's callback of a capture graph. It runs on the
// device's streaming thread: each buffer is converted into the back frame
// under a lock, and the engine's window (when there is one) is told, once
// until the engine has taken the frame, that a new frame is there.
#pragma once

#include <windows.h>

#include <qedit.h>

#include <mutex>

#include "common/UniqueHandle.h"
#include "media/Frame.h"
#include "media/PixelConversion.h"

namespace engine {

class FrameGrabber : public ISampleGrabberCB {
 public:
  FrameGrabber(HWND window, UINT message, WPARAM cookie);

  // The format of the buffers to come (set before the graph runs).
  void Configure(media::PixelFormat format, bool topDown, int width, int height);
  // Waits for the first frame since construction or the last Rearm.
  bool WaitForFirst(DWORD timeoutMs) const noexcept;
  // Forgets the frame not taken yet; the next one counts as the first.
  void Rearm() noexcept;
  bool Take(media::Frame& out);
  DWORD LastDelivery() const noexcept;

  // The grabber does not own this object: the graph is stopped and the
  // callback removed before it goes, so the count is fixed.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SampleCB(double, IMediaSample*) override { return E_NOTIMPL; }
  STDMETHODIMP BufferCB(double time, BYTE* buffer, long length) override;

 private:
  HWND window_;
  UINT message_;
  WPARAM cookie_;
  mutable std::mutex lock_;
  media::PixelFormat format_ = media::PixelFormat::kRgb24;
  bool topDown_ = false;
  int width_ = 0, height_ = 0;
  media::Frame back_;
  bool fresh_ = false;
  bool posted_ = false;
  DWORD lastDelivery_ = 0;
  common::UniqueKernelHandle first_;
};

}  // namespace engine
