// The default audio capture device for movies.
#include "Microphone.h"

#include "Log.h"

namespace engine {

bool Microphone::Present() noexcept { return ::waveInGetNumDevs() > 0; }

HRESULT Microphone::Reset(const media::AudioFormat& format) {
  // Already recording in that format: the movie starts from here.
  if (device_ && format.samplesPerSecond == format_.samplesPerSecond && format.channels == format_.channels &&
      format.bitsPerSample == format_.bitsPerSample) {
    queue_.Reset(format, kMaxBacklogMs);
    position_ = 0;
    return S_OK;
  }
  Close();
  if (!format.Valid()) return E_INVALIDARG;
  done_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!done_) return HRESULT_FROM_WIN32(::GetLastError());
  WAVEFORMATEX wave = format.WaveFormat();
  MMRESULT result = ::waveInOpen(&device_, WAVE_MAPPER, &wave, reinterpret_cast<DWORD_PTR>(done_.get()), 0,
                                 CALLBACK_EVENT);
  if (result != MMSYSERR_NOERROR) {
    device_ = nullptr;
    return E_FAIL;
  }
  queue_.Reset(format, kMaxBacklogMs);
  const std::size_t bytes = static_cast<std::size_t>(format.BytesPerSecond()) * kBufferMs / 1000 /
                            static_cast<std::size_t>(format.BlockAlign()) * static_cast<std::size_t>(format.BlockAlign());
  memory_.assign(kBuffers, std::vector<std::uint8_t>(bytes));
  headers_.assign(kBuffers, WAVEHDR{});
  for (int i = 0; i < kBuffers && result == MMSYSERR_NOERROR; ++i) {
    WAVEHDR& header = headers_[static_cast<std::size_t>(i)];
    header.lpData = reinterpret_cast<LPSTR>(memory_[static_cast<std::size_t>(i)].data());
    header.dwBufferLength = static_cast<DWORD>(bytes);
    result = ::waveInPrepareHeader(device_, &header, sizeof(header));
    if (result == MMSYSERR_NOERROR) result = ::waveInAddBuffer(device_, &header, sizeof(header));
  }
  if (result == MMSYSERR_NOERROR) result = ::waveInStart(device_);
  if (result != MMSYSERR_NOERROR) {
    LogLine("the audio capture device did not start (%u)", result);
    Close();
    return E_FAIL;
  }
  position_ = 0;
  format_ = format;
  stopping_ = false;
  thread_ = std::thread([this] { Harvest(); });
  return S_OK;
}

// Moves filled buffers into the queue and gives them back to the device.
void Microphone::Harvest() {
  while (!stopping_) {
    ::WaitForSingleObject(done_.get(), 200);
    for (WAVEHDR& header : headers_) {
      if (stopping_ || !(header.dwFlags & WHDR_DONE)) continue;
      queue_.Push(reinterpret_cast<const std::uint8_t*>(header.lpData), header.dwBytesRecorded);
      header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
      header.dwBytesRecorded = 0;
      ::waveInAddBuffer(device_, &header, sizeof(header));
    }
  }
}

void Microphone::Render(std::size_t sampleFrames, std::vector<std::uint8_t>& out) {
  queue_.Take(sampleFrames, out);
  position_ += sampleFrames;
}

void Microphone::Close() noexcept {
  if (!device_) return;
  stopping_ = true;
  if (done_) ::SetEvent(done_.get());
  if (thread_.joinable()) thread_.join();
  ::waveInReset(device_);
  for (WAVEHDR& header : headers_) {
    if (header.dwFlags & WHDR_PREPARED) ::waveInUnprepareHeader(device_, &header, sizeof(header));
  }
  ::waveInClose(device_);
  device_ = nullptr;
  headers_.clear();
  memory_.clear();
}

}  // namespace engine
