// What the soak writes as it goes: the series of samples of both processes
// (every few seconds, from a thread of its own) and the idle points the run
// names ("settled", "end"...), each as CSV rows the closing checks read.
#pragma once

#include <windows.h>

#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "common/UniqueHandle.h"

namespace soak {

class SoakLog {
 public:
  // Files series.csv and points.csv in folder (with a trailing backslash).
  SoakLog(const std::wstring& folder, DWORD sampleMs);
  ~SoakLog();
  SoakLog(const SoakLog&) = delete;
  SoakLog& operator=(const SoakLog&) = delete;

  // The phase the following samples belong to.
  void SetPhase(const std::string& phase);
  // Samples both processes now as the idle point label.
  void Point(const std::string& label);
  double Seconds() const { return (::GetTickCount64() - start_) / 1000.0; }

 private:
  void Sample(std::ofstream& out, const std::string& label);
  void Run();

  const ULONGLONG start_ = ::GetTickCount64();
  const DWORD sampleMs_;
  std::mutex mutex_;
  std::string phase_ = "start";
  std::ofstream series_;
  std::ofstream points_;
  common::UniqueKernelHandle stop_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::thread sampler_;
};

}  // namespace soak
