// Command line of bmp2jpg:
//   bmp2jpg IN.bmp OUT.jpg [--quality Q] [--sampling H1,V1,H2,V2,H3,V3] [--comment TEXT]
#pragma once

#include <string>
#include <vector>

#include "JpegConversion.h"

struct Arguments {
  std::wstring input, output;
  JpegSettings settings;
};

// Fills `parsed`; on a bad command line returns false with a one-line reason.
bool ParseArguments(const std::vector<std::wstring>& args, Arguments& parsed, std::wstring& error);
