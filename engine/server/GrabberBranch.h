// One branch of a capture graph: a device's output pin (capture or still)
// rendered through the system's sample grabber into a null renderer, with
// the frame grabber that converts its samples into 24-bit frames.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <memory>

#include "CameraConfig.h"
#include "common/ComPtr.h"

namespace engine {

class FrameGrabber;

struct BranchNames {
  const wchar_t* grabber;
  const wchar_t* renderer;
};

class GrabberBranch {
 public:
  GrabberBranch();
  ~GrabberBranch();
  GrabberBranch(const GrabberBranch&) = delete;
  GrabberBranch& operator=(const GrabberBranch&) = delete;

  // Adds the grabber and the renderer to the graph and renders the
  // device's pin of `category` through them (its format already chosen;
  // graphDecodes: the grabber asks for RGB24 so that the graph adds a
  // decoder). Each frame is announced by posting `message` (wParam
  // cookie) to window; a branch without a window announces nothing.
  HRESULT Build(IGraphBuilder* graph, ICaptureGraphBuilder2* builder, IBaseFilter* device, const GUID& category,
                bool graphDecodes, BranchNames names, HWND window, UINT message, WPARAM cookie);
  // Takes the branch out of the graph (callback first).
  void Remove(IGraphBuilder* graph) noexcept;

  bool Built() const noexcept { return static_cast<bool>(grabberFilter_); }
  FrameGrabber* Grabber() const noexcept { return grabber_.get(); }
  FrameSize Size() const noexcept { return size_; }

 private:
  HRESULT Connect(IGraphBuilder* graph, ICaptureGraphBuilder2* builder, IBaseFilter* device, const GUID& category,
                  bool graphDecodes, BranchNames names);

  common::ComPtr<IBaseFilter> grabberFilter_;
  common::ComPtr<IBaseFilter> renderer_;
  std::unique_ptr<FrameGrabber> grabber_;
  FrameSize size_;
};

}  // namespace engine
