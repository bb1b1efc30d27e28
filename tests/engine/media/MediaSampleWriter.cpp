// Writes sample movies and pictures into a folder for the independent
// Linux-side checks (ffprobe, ffmpeg, identify) of check_media_files.sh.
// "fill <file>" records until a write fails and prints the frame count, so
// the script can check the file under a size limit of the process.
// "die <file> <frames> <RIFF KiB>" records that many frames with sound and
// then ends its own process without closing the file, as a crash would.
#include <windows.h>

#include <cstdio>
#include <string>

#include "AviTestFiles.h"
#include "media/BitmapFile.h"

namespace {

using media::VideoCoding;
using testing_support::Movie;
using testing_support::Pcm;

// Long movies in small RIFF parts (256 KiB): several parts in a few frames.
media::MovieFormat Parts(media::MovieFormat format) {
  format.limits.maxRiffBytes = 256 * 1024;
  return format;
}

int WriteSamples(const std::wstring& dir) {
  struct Sample {
    const wchar_t* name;
    media::MovieFormat format;
    int frames;
  };
  const Sample samples[] = {
      {L"dib_audio.avi", Movie(320, 240, VideoCoding::kUncompressedDib, Pcm(11025, 1, 8)), 30},
      {L"dib_one.avi", Movie(160, 120, VideoCoding::kUncompressedDib), 1},
      {L"dib_odd.avi", Movie(161, 121, VideoCoding::kUncompressedDib, Pcm(22050, 2, 8)), 7},
      {L"mjpeg_audio.avi", Movie(640, 480, VideoCoding::kMjpeg, Pcm(44100, 2, 16)), 30},
      {L"mjpeg_one.avi", Movie(352, 288, VideoCoding::kMjpeg), 1},
      {L"odml_audio.avi", Parts(Movie(160, 120, VideoCoding::kUncompressedDib, Pcm(22050, 2, 16))), 40},
      {L"odml_silent.avi", Parts(Movie(160, 120, VideoCoding::kUncompressedDib)), 40},
      {L"odml_mjpeg.avi", Parts(Movie(320, 240, VideoCoding::kMjpeg, Pcm(11025, 1, 8))), 60},
  };
  for (const Sample& s : samples) {
    const HRESULT hr = testing_support::WriteMovie(dir + L"\\" + s.name, s.format, s.frames);
    if (FAILED(hr)) {
      std::printf("%ls: 0x%08lX\n", s.name, static_cast<unsigned long>(hr));
      return 1;
    }
  }
  // Frame 3 of the 320 x 240 and 640 x 480 movies, for comparing decoded
  // frames with the pictures.
  const HRESULT a = media::WriteBitmapFile(testing_support::SceneFrame(320, 240, 3), dir + L"\\scene_320.bmp");
  const HRESULT b = media::WriteBitmapFile(testing_support::SceneFrame(640, 480, 3), dir + L"\\scene_640.bmp");
  const HRESULT c = media::WriteBitmapFile(testing_support::SceneFrame(161, 121, 4), dir + L"\\scene_161.bmp");
  return SUCCEEDED(a) && SUCCEEDED(b) && SUCCEEDED(c) ? 0 : 1;
}

// Prints "frames <n> add 0x... close 0x..." and exits 0 when a write
// failed with an error other than the size limit.
int FillUntilFailure(const std::wstring& path) {
  media::AviWriter writer;
  HRESULT add = writer.Open(path, Movie(320, 240, VideoCoding::kUncompressedDib, Pcm(11025, 1, 8)));
  for (std::uint32_t n = 0; SUCCEEDED(add) && n < 100000; ++n) {
    add = writer.AddVideoFrame(testing_support::SceneFrame(320, 240, n));
  }
  const std::uint32_t frames = writer.FramesWritten();
  const HRESULT close = writer.Close();
  std::printf("frames %u add 0x%08lX close 0x%08lX\n", frames, static_cast<unsigned long>(add),
              static_cast<unsigned long>(close));
  return FAILED(add) && add != HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) ? 0 : 1;
}

int DieWhileRecording(const std::wstring& path, int frames, int riffKiB) {
  auto format = Movie(160, 120, VideoCoding::kUncompressedDib, Pcm(11025, 1, 8));
  format.limits.maxRiffBytes = static_cast<std::uint64_t>(riffKiB) * 1024;
  static media::AviWriter writer;  // never destroyed: the process dies
  HRESULT hr = writer.Open(path, format);
  for (int n = 0; SUCCEEDED(hr) && n < frames; ++n) {
    hr = writer.AddVideoFrame(testing_support::SceneFrame(160, 120, static_cast<std::uint32_t>(n)));
  }
  std::printf("frames %u parts %zu\n", writer.FramesWritten(), writer.RiffParts());
  std::fflush(stdout);
  if (SUCCEEDED(hr)) ::TerminateProcess(::GetCurrentProcess(), 0);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2) return WriteSamples(argv[1]);
  if (argc == 3 && std::wstring(argv[1]) == L"fill") return FillUntilFailure(argv[2]);
  if (argc == 5 && std::wstring(argv[1]) == L"die") return DieWhileRecording(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
  std::printf("usage: media_sample_writer <folder> | fill <file> | die <file> <frames> <RIFF KiB>\n");
  return 2;
}
