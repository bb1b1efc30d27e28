// The JPEG conversion of a bitmap file: load it as a picture, copy it into
// a cImage, sample the buffer's device context with cJpeg and save the
// file, replacing any file of that name.
#pragma once

#include <windows.h>

#include <string>

struct JpegSettings {
  LONG quality = 90;                     // the application's settings
  LONG sampling[6] = {1, 1, 1, 1, 1, 1};  // no chroma subsampling
  std::wstring comment;
};

enum class ConversionResult { kSaved, kUnreadableBitmap, kSamplingFailed, kNotWritten };

// Raises jpeg::JpegError like cJpeg (bad settings, file errors).
ConversionResult ConvertBitmapToJpeg(const std::wstring& bitmapPath, const std::wstring& jpegPath,
                                     const JpegSettings& settings);
