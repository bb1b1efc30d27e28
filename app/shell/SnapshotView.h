// imgSnapshot: the "Captured image" view. Shows one picture file scaled to
// fit the view with its proportions kept; the view owns the bitmap (a JPEG
// file is read through OLE into one).
#pragma once

#include <windows.h>

#include <string>

#include "common/UniqueHandle.h"

namespace torvane {

class SnapshotView {
 public:
  SnapshotView() = default;
  SnapshotView(const SnapshotView&) = delete;
  SnapshotView& operator=(const SnapshotView&) = delete;

  HWND Create(HWND parent, const RECT& place, int id);
  HWND Window() const { return window_; }
  // Loads a bitmap file or a JPEG file; false (and an empty view) when it
  // cannot be read.
  bool LoadFile(const std::wstring& path);
  void Clear();
  bool HasPicture() const { return bitmap_.valid(); }
  SIZE PictureSize() const { return size_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaint();

  HWND window_ = nullptr;
  common::UniqueBitmap bitmap_;
  SIZE size_{0, 0};
};

}  // namespace torvane
