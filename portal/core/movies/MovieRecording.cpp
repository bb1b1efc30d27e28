// Movie recording of one control.
#include "core/movies/MovieRecording.h"

namespace portal {

bool MovieRecording::Start(const std::wstring&, const std::wstring&) { return false; }

bool MovieRecording::Stop() { return false; }

bool MovieRecording::AddFrame() { return false; }

bool MovieRecording::WriteSingleFrame(const std::wstring&, const std::wstring&) { return false; }

bool MovieRecording::ReadActiveLocal(LONG* active) {
  *active = 0;
  if (!session_.HasEngine()) {
    *active = recordingLocal_ ? 1 : 0;
    return true;
  }
  engine::RecordingStateRecord state;
  if (!session_.ReadRecordingState(&state)) return false;
  *active = state.active != 0 && recordingLocal_ ? 1 : 0;
  return true;
}

bool MovieRecording::ReadActiveGlobal(LONG* active) {
  *active = 0;
  if (!session_.HasEngine()) return true;
  engine::RecordingStateRecord state;
  if (!session_.ReadRecordingState(&state)) return false;
  *active = state.active != 0 ? 1 : 0;
  return true;
}

}  // namespace portal
