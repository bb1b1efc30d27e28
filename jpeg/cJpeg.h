// cJpeg: the application's baseline JPEG writer. The picture is taken from
// a rectangle of a device context and quantized at that moment
// (SampleHDC); SaveFile assembles the file in memory with optimal Huffman
// tables and writes it in one piece, never over an existing file.
// Errors are raised as jpeg::JpegError (number and description).
#pragma once

#include <windows.h>

#include <string>

#include "JpegEncoder.h"
#include "JpegError.h"

class cJpeg {
 public:
  cJpeg() = default;  // 4:2:0 colour, quality 75, no comment
  cJpeg(const cJpeg&) = delete;
  cJpeg& operator=(const cJpeg&) = delete;

  LONG Quality() const { return encoder_.Quality(); }
  void Quality(LONG value) { encoder_.SetQuality(value); }

  void SetSamplingFrequencies(LONG H1, LONG V1, LONG H2, LONG V2, LONG H3, LONG V3) {
    encoder_.SetSamplingFrequencies(H1, V1, H2, V2, H3, V3);
  }

  // 0 success, 1 failure.
  LONG SampleHDC(HDC lHDC, LONG lWidth, LONG lHeight, LONG lSrcLeft, LONG lSrcTop);

  const std::wstring& Comment() const { return comment_; }
  // Stored in the ANSI code page; more than 65,533 characters is error 1.
  void Comment(const std::wstring& Value);

  // 0 written, 1 empty name, 2 a file of that name exists.
  LONG SaveFile(const std::wstring& FileName);

  const jpeg::JpegEncoder& Encoder() const { return encoder_; }

 private:
  jpeg::JpegEncoder encoder_;
  std::wstring comment_;
};
