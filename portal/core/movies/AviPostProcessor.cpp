// Saving a capture file's streams into the target with AVIFile.
#include "core/movies/AviPostProcessor.h"

#include <vfw.h>

#include <vector>

#include "common/ComPtr.h"
#include "common/HResult.h"
#include "common/WaitCursor.h"
#include "core/movies/AviFileLayout.h"
#include "core/movies/SaveProgress.h"
#include "server/ModuleState.h"

namespace portal {
namespace {

// The AVIFile library for the length of one save.
class AviLibrary {
 public:
  AviLibrary() { ::AVIFileInit(); }
  ~AviLibrary() { ::AVIFileExit(); }
  AviLibrary(const AviLibrary&) = delete;
  AviLibrary& operator=(const AviLibrary&) = delete;
};

// A stream's reference count, as AddRef and Release report it.
ULONG ReferenceCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// One stream of the capture file, made editable and copied whole.
struct EditedStream {
  common::ComPtr<IAVIStream> source;
  // References on the source that Wine 8 takes for a copy it never hands
  // out (see the destructor); released after the editable stream.
  std::vector<common::ComPtr<IAVIStream>> strandedSourceReferences;
  common::ComPtr<IAVIStream> editable;
  common::ComPtr<IAVIStream> copy;
  AVISTREAMINFOW info = {};

  EditedStream() = default;
  EditedStream(const EditedStream&) = delete;
  EditedStream& operator=(const EditedStream&) = delete;
  ~EditedStream() {
    // Wine 8 answers the copy of an uncompressed video stream with the
    // editable stream itself and no reference of its own: releasing both
    // would release that stream twice. On Windows the copy is a stream of
    // its own with its own reference.
    if (copy.get() == editable.get()) copy.detach();
  }
};

// S_FALSE when the file has no such stream or it is empty.
HRESULT EditWholeStream(IAVIFile* file, DWORD type, EditedStream* stream) {
  if (FAILED(::AVIFileGetStream(file, stream->source.put(), type, 0))) return S_FALSE;
  RETURN_IF_FAILED(::CreateEditableStream(stream->editable.put(), stream->source.get()));
  RETURN_IF_FAILED(::AVIStreamInfoW(stream->editable.get(), &stream->info, sizeof(stream->info)));
  if (stream->info.dwLength == 0) return S_FALSE;
  LONG start = static_cast<LONG>(stream->info.dwStart);
  LONG length = static_cast<LONG>(stream->info.dwLength);
  const ULONG sourceReferences = ReferenceCount(stream->source.get());
  RETURN_IF_FAILED(::EditStreamCopy(stream->editable.get(), &start, &length, stream->copy.put()));
  if (!stream->copy) return AVIERR_ERROR;
  if (stream->copy.get() == stream->editable.get()) {
    // Wine 8: the references its copy took on the source would keep the
    // capture file open (and undeletable) for the life of the process.
    for (ULONG taken = ReferenceCount(stream->source.get()); taken > sourceReferences; --taken) {
      stream->strandedSourceReferences.push_back(common::ComPtr<IAVIStream>::Attach(stream->source.get()));
    }
  }
  return S_OK;
}

// The length of the saved file's stream of that type, -1 when it has none.
LONG SavedLength(IAVIFile* file, DWORD type) {
  common::ComPtr<IAVIStream> stream;
  if (FAILED(::AVIFileGetStream(file, stream.put(), type, 0))) return -1;
  return ::AVIStreamLength(stream.get());
}

// Whether the saved movie holds all of the streams it was made from.
HRESULT CheckSaved(const std::wstring& target, const EditedStream& video, const EditedStream* audio) {
  common::ComPtr<IAVIFile> file;
  RETURN_IF_FAILED(::AVIFileOpenW(file.put(), target.c_str(), OF_READ | OF_SHARE_DENY_WRITE, nullptr));
  if (SavedLength(file.get(), streamtypeVIDEO) != static_cast<LONG>(video.info.dwLength)) return AVIERR_FILEREAD;
  if (audio && SavedLength(file.get(), streamtypeAUDIO) != static_cast<LONG>(audio->info.dwLength)) {
    return AVIERR_FILEREAD;
  }
  return S_OK;
}

}  // namespace

HRESULT AviPostProcessor::Save(const std::wstring& capture, const std::wstring& target) {
  // AVIFile reads only the first RIFF part of an OpenDML movie.
  const int parts = CountRiffParts(capture);
  if (parts == 0) return AVIERR_FILEREAD;
  if (parts > 1) return AVIERR_UNSUPPORTED;

  const AviLibrary library;
  common::ComPtr<IAVIFile> file;
  RETURN_IF_FAILED(::AVIFileOpenW(file.put(), capture.c_str(), OF_READ | OF_SHARE_DENY_WRITE, nullptr));
  EditedStream video;
  const HRESULT videoResult = EditWholeStream(file.get(), streamtypeVIDEO, &video);
  RETURN_IF_FAILED(videoResult);
  if (videoResult != S_OK) return AVIERR_NODATA;
  EditedStream audio;
  const HRESULT audioResult = EditWholeStream(file.get(), streamtypeAUDIO, &audio);
  RETURN_IF_FAILED(audioResult);
  const bool withAudio = audioResult == S_OK;

  PAVISTREAM streams[2] = {video.copy.get(), audio.copy.get()};
  AVICOMPRESSOPTIONS options[2] = {};  // zeroed: no recompression
  LPAVICOMPRESSOPTIONS optionList[2] = {&options[0], &options[1]};
  HRESULT hr = S_OK;
  {
    const SaveProgressWindow progress(ModuleState::ResourceModule(), owner_());
    const common::WaitCursor cursor;
    hr = ::AVISaveVW(target.c_str(), nullptr, &SaveProgressWindow::OnProgress, withAudio ? 2 : 1, streams,
                     optionList);
  }
  RETURN_IF_FAILED(hr);
  // Wine 8's writer stores a wrong frame period in the main header; the
  // stream header's rate is the right one.
  if (!SetMainHeaderFramePeriod(target, MicrosecondsPerFrame(video.info.dwRate, video.info.dwScale))) {
    return AVIERR_FILEWRITE;
  }
  return CheckSaved(target, video, withAudio ? &audio : nullptr);
}

}  // namespace portal
