// Movies the AVI tests write: scene frames of a given size through an
// AviWriter, and the file's bytes for inspection.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/UniqueHandle.h"
#include "media/AviWriter.h"
#include "media/SceneRenderer.h"

namespace testing_support {

inline media::AudioFormat Pcm(int rate, int channels, int bits) {
  media::AudioFormat f;
  f.samplesPerSecond = rate, f.channels = channels, f.bitsPerSample = bits;
  return f;
}

inline media::MovieFormat Movie(int w, int h, media::VideoCoding coding,
                                std::optional<media::AudioFormat> audio = std::nullopt) {
  media::MovieFormat f;
  f.width = w, f.height = h, f.coding = coding, f.audio = audio;
  return f;
}

// Frame n of camera 1's scene.
inline media::Frame SceneFrame(int w, int h, std::uint32_t n) {
  static media::SceneRenderer scene(1);
  SYSTEMTIME t = {};
  t.wHour = 10, t.wMinute = static_cast<WORD>(n / 60 % 60), t.wSecond = static_cast<WORD>(n % 60);
  media::Frame frame;
  scene.Render(w, h, n, t, frame);
  return frame;
}

// Writes `frames` scene frames; the HRESULT of the first failing step.
inline HRESULT WriteMovie(const std::wstring& path, const media::MovieFormat& format, int frames) {
  media::AviWriter writer;
  HRESULT hr = writer.Open(path, format);
  for (int n = 0; SUCCEEDED(hr) && n < frames; ++n) {
    hr = writer.AddVideoFrame(SceneFrame(format.width, format.height, static_cast<std::uint32_t>(n)));
  }
  const HRESULT closed = writer.Close();
  return FAILED(hr) ? hr : closed;
}

// The file's bytes as they lie on disk, also while a writer has it open.
inline std::vector<std::uint8_t> ReadAll(const std::wstring& path) {
  common::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
  std::vector<std::uint8_t> bytes;
  if (!file) return bytes;
  bytes.resize(::GetFileSize(file.get(), nullptr));
  DWORD read = 0;
  if (!bytes.empty()) ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

}  // namespace testing_support
