// Splits a JPEG file into its marker segments and entropy-coded runs, so
// tests can check the layout a decoder sees.
#pragma once

#include <cstdint>
#include <vector>

namespace jpegtest {

struct Segment {
  uint8_t marker = 0;            // code after FF
  std::vector<uint8_t> payload;  // bytes after the length field
  std::vector<uint8_t> entropy;  // coded data following an SOS, stuffing kept
};

inline std::vector<Segment> ReadSegments(const std::vector<uint8_t>& file) {
  std::vector<Segment> segments;
  size_t i = 0;
  while (i + 1 < file.size()) {
    if (file[i] != 0xFF) return {};  // not at a marker: broken layout
    Segment s;
    s.marker = file[i + 1];
    i += 2;
    if (s.marker != 0xD8 && s.marker != 0xD9) {
      const size_t length = (file[i] << 8) | file[i + 1];
      s.payload.assign(file.begin() + i + 2, file.begin() + i + length);
      i += length;
    }
    if (s.marker == 0xDA) {
      const size_t start = i;
      while (i + 1 < file.size() && !(file[i] == 0xFF && file[i + 1] != 0x00)) i += file[i] == 0xFF ? 2 : 1;
      s.entropy.assign(file.begin() + start, file.begin() + i);
    }
    segments.push_back(std::move(s));
  }
  return segments;
}

inline std::vector<uint8_t> Markers(const std::vector<Segment>& segments) {
  std::vector<uint8_t> m;
  for (const Segment& s : segments) m.push_back(s.marker);
  return m;
}

}  // namespace jpegtest
