// What the control reads and mends in an AVI file's RIFF layout itself,
// outside the AVIFile services: how many RIFF parts a capture file has
// (a long movie continues in OpenDML "AVIX" parts, which AVIFile does not
// read), and the main header's frame period of a saved movie.
#pragma once

#include <windows.h>

#include <string>

namespace portal {

// RIFF parts of the file: 1 for an ordinary AVI file, more for an OpenDML
// movie, 0 when the file is not an AVI file or cannot be read.
int CountRiffParts(const std::wstring& path);

// Microseconds per frame of a stream rate (rate / scale frames a second),
// rounded; 0 for a rate of 0.
DWORD MicrosecondsPerFrame(DWORD rate, DWORD scale);

// Makes the main header's frame period (avih) say microsecondsPerFrame.
// False when the file has no main header where an AVI file keeps it or
// cannot be written; true when the value was right or is now.
bool SetMainHeaderFramePeriod(const std::wstring& path, DWORD microsecondsPerFrame);

}  // namespace portal
