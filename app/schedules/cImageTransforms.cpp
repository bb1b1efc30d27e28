// cImage transformations: grey scale, resampling, mirroring and rotation,
// each drawing the whole buffer into a new one with one GDI transfer.
#include "cImage.h"

std::unique_ptr<cImage> cImage::Greyscale() const {
  auto grey = std::make_unique<cImage>();
  if (!grey->Create(Width(), Height(), 8)) return nullptr;
  // The 256-level grey table of Create: GDI maps each colour to the nearest.
  ::BitBlt(grey->hDC(), 0, 0, Width(), Height(), dc_.get(), 0, 0, SRCCOPY);
  return grey;
}

std::unique_ptr<cImage> cImage::Resample(LONG width, LONG height) const {
  auto target = std::make_unique<cImage>();
  if (!target->Create(width, height, BitCount())) return nullptr;
  if (BitCount() != 24) target->CopyPalletHDC(dc_.get());
  if (width == Width() && height == Height()) {
    ::BitBlt(target->hDC(), 0, 0, width, height, dc_.get(), 0, 0, SRCCOPY);
    return target;
  }
  if (!::SetStretchBltMode(target->hDC(), HALFTONE)) {
    ::SetStretchBltMode(target->hDC(), COLORONCOLOR);
  }
  ::SetBrushOrgEx(target->hDC(), 0, 0, nullptr);  // required after choosing HALFTONE
  ::StretchBlt(target->hDC(), 0, 0, width, height, dc_.get(), 0, 0, Width(), Height(), SRCCOPY);
  return target;
}

// corners: destinations of the source's upper-left, upper-right and
// lower-left corners.
std::unique_ptr<cImage> cImage::ParallelogramCopy(LONG width, LONG height,
                                                  const POINT (&corners)[3]) const {
  auto target = std::make_unique<cImage>();
  if (!target->Create(width, height, BitCount())) return nullptr;
  if (BitCount() != 24) target->CopyPalletHDC(dc_.get());
  ::PlgBlt(target->hDC(), corners, dc_.get(), 0, 0, Width(), Height(), nullptr, 0, 0);
  return target;
}

std::unique_ptr<cImage> cImage::Mirror(bool vertical) const {
  const LONG w = Width(), h = Height();
  if (vertical) {  // top to bottom
    const POINT corners[3] = {{0, h}, {w, h}, {0, 0}};
    return ParallelogramCopy(w, h, corners);
  }
  const POINT corners[3] = {{w, 0}, {0, 0}, {w, h}};  // left to right
  return ParallelogramCopy(w, h, corners);
}

std::unique_ptr<cImage> cImage::Rotate(LONG degrees) const {
  LONG d = degrees % 360;
  if (d < 0) d += 360;
  const LONG w = Width(), h = Height();
  switch (d) {
    case 90: {
      const POINT corners[3] = {{0, w}, {0, 0}, {h, w}};
      return ParallelogramCopy(h, w, corners);
    }
    case 180: {
      const POINT corners[3] = {{w, h}, {0, h}, {w, 0}};
      return ParallelogramCopy(w, h, corners);
    }
    case 270: {
      const POINT corners[3] = {{h, 0}, {h, w}, {0, 0}};
      return ParallelogramCopy(h, w, corners);
    }
    default: return nullptr;
  }
}
