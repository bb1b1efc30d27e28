// The soak's samples: both processes by name, one CSV row each.
#include "SoakLog.h"

#include <cstdio>

#include "ProcessCounts.h"
#include "common/Strings.h"

namespace soak {
namespace {

constexpr const wchar_t* kProcesses[] = {L"Torvane.exe", L"CameraEngine.exe"};
constexpr char kHeader[] = "seconds,label,process,pid,handles,gdi,user,private_kib,stand_ins\n";

}  // namespace

SoakLog::SoakLog(const std::wstring& folder, DWORD sampleMs)
    : sampleMs_(sampleMs),
      series_(common::WideToAnsi(folder + L"series.csv"), std::ios::trunc),
      points_(common::WideToAnsi(folder + L"points.csv"), std::ios::trunc) {
  series_ << kHeader;
  points_ << kHeader;
  sampler_ = std::thread([this] { Run(); });
}

SoakLog::~SoakLog() {
  ::SetEvent(stop_.get());
  sampler_.join();
}

void SoakLog::SetPhase(const std::string& phase) {
  std::lock_guard<std::mutex> lock(mutex_);
  phase_ = phase;
}

void SoakLog::Point(const std::string& label) {
  std::lock_guard<std::mutex> lock(mutex_);
  Sample(points_, label);
  std::printf("%7.1f s  %s\n", Seconds(), label.c_str());
  std::fflush(stdout);
}

void SoakLog::Sample(std::ofstream& out, const std::string& label) {
  char row[256];
  for (const wchar_t* name : kProcesses) {
    for (DWORD id : ProcessesNamed(name)) {
      const auto counts = ReadCounts(id);
      if (!counts) continue;
      std::snprintf(row, sizeof(row), "%.1f,%s,%s,%lu,%ld,%ld,%ld,%llu,%s\n", Seconds(), label.c_str(),
                    common::WideToAnsi(name).c_str(), id, counts->handles, counts->gdiObjects, counts->userObjects,
                    counts->privateBytes / 1024, counts->standIns.empty() ? "-" : counts->standIns.c_str());
      out << row;
    }
  }
  out.flush();
}

void SoakLog::Run() {
  while (::WaitForSingleObject(stop_.get(), sampleMs_) == WAIT_TIMEOUT) {
    std::lock_guard<std::mutex> lock(mutex_);
    Sample(series_, phase_);
  }
}

}  // namespace soak
