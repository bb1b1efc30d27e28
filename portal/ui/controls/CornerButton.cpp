// The corner button and the regions it cuts.
#include "ui/controls/CornerButton.h"

namespace portal::controls {
namespace {

// The host's rectangle in its parent's client coordinates.
RECT HostRect(HWND host) {
  RECT rect = {};
  ::GetWindowRect(host, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(host), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The disk of radius around (cx, cy) cut to the square that ends there.
common::UniqueRegion CornerDisk(int cx, int cy, int radius) {
  common::UniqueRegion disk(::CreateEllipticRgn(cx - radius, cy - radius, cx + radius, cy + radius));
  common::UniqueRegion square(::CreateRectRgn(cx - radius, cy - radius, cx, cy));
  if (!disk || !square) return {};
  ::CombineRgn(disk.get(), disk.get(), square.get(), RGN_AND);
  return disk;
}

}  // namespace

common::UniqueRegion QuarterDiskRegion(int radius) { return CornerDisk(radius, radius, radius); }

common::UniqueRegion HostWithoutCornerRegion(int width, int height, int radius) {
  common::UniqueRegion host(::CreateRectRgn(0, 0, width, height));
  common::UniqueRegion corner = CornerDisk(width, height, radius);
  if (!host || !corner) return {};
  ::CombineRgn(host.get(), host.get(), corner.get(), RGN_DIFF);
  return host;
}

int FirstFreeControlId(HWND parent, int above) {
  int id = above + 1;
  while (::GetDlgItem(parent, id)) ++id;
  return id;
}

bool CornerButton::Attach(HWND host) {
  Remove();
  const HWND parent = host ? ::GetParent(host) : nullptr;
  if (!parent || !(::GetWindowLongW(host, GWL_STYLE) & WS_CHILD)) return false;
  const RECT rect = HostRect(host);
  const RECT corner = {rect.right - kRadius, rect.bottom - kRadius, rect.right, rect.bottom};
  if (!button_.Create(parent, FirstFreeControlId(parent, kIdsAbove), corner)) return false;
  host_ = host;
  ::SetWindowPos(button_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  button_.SetShape(QuarterDiskRegion(kRadius));
  Reposition();
  return true;
}

void CornerButton::Reposition() {
  if (!host_ || !button_.Handle()) return;
  const RECT rect = HostRect(host_);
  ::SetWindowPos(button_.Handle(), nullptr, rect.right - kRadius, rect.bottom - kRadius, kRadius, kRadius,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  common::UniqueRegion hostShape = HostWithoutCornerRegion(rect.right - rect.left, rect.bottom - rect.top, kRadius);
  if (hostShape && ::SetWindowRgn(host_, hostShape.get(), TRUE)) hostShape.release();
}

void CornerButton::Remove() {
  if (host_ && ::IsWindow(host_)) ::SetWindowRgn(host_, nullptr, TRUE);
  host_ = nullptr;
  // The button object is reused: its window goes, its settings stay.
  if (button_.Handle()) ::DestroyWindow(button_.Handle());
}

}  // namespace portal::controls
