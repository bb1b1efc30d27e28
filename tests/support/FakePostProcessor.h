// A movie post-processor for component tests: records each save and
// answers from the test; a successful save writes "saved" into the target.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/Strings.h"
#include "core/movies/MovieFinish.h"

namespace testing_support {

class FakePostProcessor final : public portal::MoviePostProcessor {
 public:
  HRESULT Save(const std::wstring& capture, const std::wstring& target) override {
    saves.push_back(capture + L" -> " + target);
    if (SUCCEEDED(answer)) std::ofstream(common::WideToAnsi(target), std::ios::binary) << "saved";
    return answer;
  }

  HRESULT answer = S_OK;
  std::vector<std::wstring> saves;
};

}  // namespace testing_support
