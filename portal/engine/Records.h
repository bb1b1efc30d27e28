// Builders of the engine records the control sends, and the arithmetic
// around them. Pure functions: no engine, no window.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "engine/TextStampStyle.h"
#include "engine/interface/EngineRecords.h"

namespace portal {

// "Software\X" -> "HKEY_CURRENT_USER\Software\X\VideoPortal2"; a key that
// names a root anywhere keeps it.
std::wstring CompleteSettingsKey(std::wstring_view key);

// Bytes of a complete bitmap file image: padded rows plus the 54 header
// bytes.
LONGLONG PictureSize(LONG width, LONG height, LONG bitDepth);

engine::PrepareRecord MakePrepareRecord(std::wstring_view uniqueName, std::wstring_view settingsKey);
engine::SettingsRecord MakeSettingsRecord(std::wstring_view key);
engine::PreviewRecord MakePreviewRecord(HWND window, LONG width, LONG height);
engine::VideoFormatRecord MakeVideoFormatRecord(LONG width, LONG height, LONG bitDepth, LONG fourCC);
engine::StillFormatRecord MakeStillFormatRecord(LONG width, LONG height);
engine::TextStampStyleRecord MakeTextStampRecord(const TextStampStyle& style);
engine::PictureSoundRecord MakePictureSoundRecord(std::wstring_view soundFile);
engine::PictureRequestRecord MakePictureRequest(std::wstring_view target, std::wstring_view textStamp,
                                                DWORD mappingSize);

// What a movie request (6/1) carries besides its two texts.
struct MovieRequestValues {
  LONG framePeriodMs = 0;
  LONG recordMode = 0;
  bool compression = false;  // record with the codec of the compression record
  LONG recordAudio = 0;
  LONG createFlags = 0;
};

// The frame period of a playback rate: 1000 / framesPerSecond ms, 0 for 0.
LONG MovieFramePeriodMs(LONG framesPerSecond);
engine::MovieRequestRecord MakeMovieRequest(std::wstring_view captureFile, std::wstring_view textStamp,
                                            const MovieRequestValues& values);
engine::VideoCompressionRecord MakeVideoCompressionRecord(LONG fourCC, LONG quality, LONG keyFrameInterval);
engine::AudioFormatRecord MakeAudioFormatRecord(LONG channels, LONG samplesPerSecond, LONG bitsPerSample,
                                                LONG fourCC, LONG quality);

// Whether two camera records describe the same camera (identifiers, type
// and the serial value).
bool SameCamera(const engine::CameraRecord& a, const engine::CameraRecord& b);

}  // namespace portal
