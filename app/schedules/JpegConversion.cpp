// Bitmap file to JPEG file through cImage and cJpeg.
#include "JpegConversion.h"

#include "PictureFile.h"
#include "cImage.h"
#include "cJpeg.h"

ConversionResult ConvertBitmapToJpeg(const std::wstring& bitmapPath, const std::wstring& jpegPath,
                                     const JpegSettings& settings) {
  cImage imageBuffer;
  {
    common::ComPtr<IPicture> picture = LoadBitmapPicture(bitmapPath);
    if (!picture || !imageBuffer.CopyStdPicture(picture.get(), 0)) {
      return ConversionResult::kUnreadableBitmap;
    }
  }  // the picture is released before encoding
  cJpeg jpegWriter;
  const LONG* s = settings.sampling;
  jpegWriter.SetSamplingFrequencies(s[0], s[1], s[2], s[3], s[4], s[5]);
  jpegWriter.Quality(settings.quality);
  if (jpegWriter.SampleHDC(imageBuffer.hDC(), imageBuffer.Width(), imageBuffer.Height(), 0, 0)) {
    return ConversionResult::kSamplingFailed;
  }
  if (!settings.comment.empty()) jpegWriter.Comment(settings.comment);
  ::DeleteFileW(jpegPath.c_str());  // a missing file is fine
  return jpegWriter.SaveFile(jpegPath) == 0 ? ConversionResult::kSaved
                                            : ConversionResult::kNotWritten;
}
