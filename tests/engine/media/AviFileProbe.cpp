// Reads AVI files through the system's AVIFile services and prints, per
// file, what a Windows reader sees: "<file> video <length> <frames read>
// audio <length> <samples read>" (audio -1 -1 without a sound stream), or
// "<file> open 0x<error>". The Linux-side checks compare its counts with
// ffprobe's.
#include <windows.h>

#include <vfw.h>

#include <cstdio>
#include <vector>

#include "common/ComPtr.h"

namespace {

// Frames of the stream that read back with data, one at a time.
LONG ReadableFrames(IAVIStream* video, LONG length) {
  std::vector<BYTE> buffer;
  LONG readable = 0;
  for (LONG n = 0; n < length; ++n) {
    LONG bytes = 0;
    if (::AVIStreamRead(video, n, 1, nullptr, 0, &bytes, nullptr) != 0 || bytes <= 0) continue;
    buffer.resize(static_cast<std::size_t>(bytes));
    if (::AVIStreamRead(video, n, 1, buffer.data(), bytes, &bytes, nullptr) == 0 && bytes > 0) ++readable;
  }
  return readable;
}

LONG ReadableSamples(IAVIStream* audio, LONG length) {
  LONG bytes = 0, samples = 0;
  if (::AVIStreamRead(audio, 0, length, nullptr, 0, &bytes, &samples) != 0 || bytes <= 0) return 0;
  std::vector<BYTE> buffer(static_cast<std::size_t>(bytes));
  if (::AVIStreamRead(audio, 0, length, buffer.data(), bytes, &bytes, &samples) != 0) return 0;
  return samples;
}

void Probe(const wchar_t* path) {
  common::ComPtr<IAVIFile> file;
  const HRESULT hr = ::AVIFileOpenW(file.put(), path, OF_READ | OF_SHARE_DENY_WRITE, nullptr);
  if (hr != 0) {
    std::printf("%ls open 0x%08lX\n", path, static_cast<unsigned long>(hr));
    return;
  }
  common::ComPtr<IAVIStream> video, audio;
  LONG videoLength = -1, frames = -1, audioLength = -1, samples = -1;
  if (::AVIFileGetStream(file.get(), video.put(), streamtypeVIDEO, 0) == 0) {
    videoLength = ::AVIStreamLength(video.get());
    frames = ReadableFrames(video.get(), videoLength);
  }
  if (::AVIFileGetStream(file.get(), audio.put(), streamtypeAUDIO, 0) == 0) {
    audioLength = ::AVIStreamLength(audio.get());
    samples = ReadableSamples(audio.get(), audioLength);
  }
  std::printf("%ls video %ld %ld audio %ld %ld\n", path, videoLength, frames, audioLength, samples);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::AVIFileInit();
  for (int i = 1; i < argc; ++i) Probe(argv[i]);
  ::AVIFileExit();
  return argc > 1 ? 0 : 2;
}
