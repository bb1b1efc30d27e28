// What tests/portal/movies/check_portal_movies.sh must find in a movie a
// Windows-side test left behind: "<movie>.expect" beside it, read on the
// Linux side by ffprobe and ffmpeg.
#pragma once

#include <fstream>
#include <string>

#include "common/Strings.h"

namespace testing_support {

struct Expected {
  int streams;
  const char* video;  // ffprobe's codec name
  const char* audio;  // "<codec> <rate> <channels>", nullptr without sound
  long periodMs;      // the video rate is 1000 / period
  const char* writer; // "saved" (AVISaveV's copy), "captured" (the capture file itself), nullptr: either
};

// parts: the least number of RIFF parts (an OpenDML movie has several).
inline void ExpectMovie(const std::wstring& movie, const Expected& e, unsigned frames, bool exactly = false,
                        int parts = 1) {
  std::ofstream out(common::WideToAnsi(movie + L".expect"), std::ios::binary);
  out << "streams " << e.streams << "\nvideo " << e.video << "\nframes " << (exactly ? "exactly " : "at-least ")
      << frames << "\nperiod " << e.periodMs << "\nparts " << parts << "\n";
  if (e.audio) out << "audio " << e.audio << "\n";
  if (e.writer) out << "writer " << e.writer << "\n";
}

}  // namespace testing_support
