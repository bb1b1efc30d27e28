// The formats of a capture device's output pins as the engine reads them:
// the pin of a category (capture or still), its IAMStreamConfig, the sizes
// it offers in a format the engine converts itself (RGB24, RGB32, YUY2,
// NV12) or the graph decodes (MJPG), and the choice of one of them before
// the pin connects.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <vector>

#include "CameraConfig.h"
#include "common/ComPtr.h"
#include "media/PixelConversion.h"

namespace engine {

// The device's output pin of that category. A pin that does not tell its
// category counts as a capture pin (never as a still pin).
common::ComPtr<IPin> DevicePin(IBaseFilter* filter, const GUID& category);
// The IAMStreamConfig of that pin (empty when there is none).
common::ComPtr<IAMStreamConfig> PinStreamConfig(IBaseFilter* filter, const GUID& category);

// The sizes the configuration offers in a format the engine reads or the
// graph decodes, smallest first.
std::vector<FrameSize> OfferedSizes(IAMStreamConfig* config);
// The sizes of the device's capture pin / still pin (none without one).
std::vector<FrameSize> DeviceSizes(IBaseFilter* filter);
std::vector<FrameSize> DeviceStillSizes(IBaseFilter* filter);
// The largest by area (the first of equal ones); {0, 0} for none.
FrameSize LargestSize(const std::vector<FrameSize>& sizes);

// Sets the cheapest format at `size` on the unconnected pin: one the
// engine converts, else a compressed one the graph decodes into RGB24
// (*graphDecodes tells which).
HRESULT ChooseFormat(IAMStreamConfig* config, FrameSize size, bool* graphDecodes);

// The engine's reading of a connected video type: pixel format, size and
// row order; false for a format the engine cannot read.
bool ReadType(const AM_MEDIA_TYPE& type, media::PixelFormat* format, FrameSize* size, bool* topDown);
// Frees what a media type holds (not the type itself).
void FreeTypeContents(AM_MEDIA_TYPE& type) noexcept;

}  // namespace engine
