// The recording main window.
#include "RecordingWindow.h"

#include "FlowTestSupport.h"
#include "JpegChecks.h"
#include "PictureFile.h"

namespace flow_tests {

bool RecordingWindow::LoadSnapshot(const std::wstring& path) {
  // Loadable as the real view would: a bitmap through the picture loader,
  // or a complete JPEG stream.
  if (!LoadBitmapPicture(path) && !ReadJpegFacts(ReadFileBytes(path)).complete) return false;
  loaded.push_back(path);
  return true;
}

}  // namespace flow_tests
