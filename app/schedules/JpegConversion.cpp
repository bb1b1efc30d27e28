// Bitmap file to JPEG file through cJpeg (and cImage for other depths).
#include "JpegConversion.h"

#include <common/UniqueHandle.h>

#include "PictureFile.h"
#include "cImage.h"
#include "cJpeg.h"

namespace {

// The picture's bitmap when it is a 24-bit DIB section: copying it into a
// 24-bit cImage first would give the same pixels.
HBITMAP TwentyFourBitDib(IPicture* picture) {
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture->get_Handle(&handle))) {
    return nullptr;
  }
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
  DIBSECTION section{};
  if (::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) ||
      section.dsBm.bmBitsPixel != 24 || section.dsBmih.biCompression != BI_RGB) {
    return nullptr;
  }
  return bitmap;
}

}  // namespace

ConversionResult ConvertBitmapToJpeg(const std::wstring& bitmapPath, const std::wstring& jpegPath,
                                     const JpegSettings& settings) {
  cJpeg jpegWriter;
  const auto configure = [&] {
    const LONG* s = settings.sampling;
    jpegWriter.SetSamplingFrequencies(s[0], s[1], s[2], s[3], s[4], s[5]);
    jpegWriter.Quality(settings.quality);
  };
  {
    common::ComPtr<IPicture> picture = LoadBitmapPicture(bitmapPath);
    if (!picture) return ConversionResult::kUnreadableBitmap;
    bool sampled = false;
    if (HBITMAP bitmap = TwentyFourBitDib(picture.get())) {
      // Sampled where it lies.
      BITMAP description{};
      common::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
      if (dc && ::GetObjectW(bitmap, sizeof(description), &description)) {
        common::SelectionGuard selection(dc.get(), bitmap);
        if (selection.selected()) {
          configure();
          if (jpegWriter.SampleHDC(dc.get(), description.bmWidth, description.bmHeight, 0, 0)) {
            return ConversionResult::kSamplingFailed;
          }
          sampled = true;
        }
      }
    }
    if (!sampled) {
      cImage imageBuffer;
      if (!imageBuffer.CopyStdPicture(picture.get(), 0)) return ConversionResult::kUnreadableBitmap;
      picture.reset();  // the picture is released before sampling the copy
      configure();
      if (jpegWriter.SampleHDC(imageBuffer.hDC(), imageBuffer.Width(), imageBuffer.Height(), 0,
                               0)) {
        return ConversionResult::kSamplingFailed;
      }
    }
  }  // the picture is released before encoding
  if (!settings.comment.empty()) jpegWriter.Comment(settings.comment);
  ::DeleteFileW(jpegPath.c_str());  // a missing file is fine
  return jpegWriter.SaveFile(jpegPath) == 0 ? ConversionResult::kSaved
                                            : ConversionResult::kNotWritten;
}
