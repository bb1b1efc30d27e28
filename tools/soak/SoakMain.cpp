// torvane_soak.exe SECONDS FOLDER [jpg|bmp]: the soak of tools/soak.sh. Starts the
// real Torvane.exe beside it (with the engine's default camera and the
// scenario relay), turns the motion detector over in both modes until the
// motion share of the run is over, then runs a timed sequence of 1,000
// pictures until it finishes or the run's time is up, and closes Torvane.
// Both processes are sampled every five seconds and at each idle point
// (Torvane back at its main window between two phases): the first idle
// point after the settle time is "settled", the last one "end". The folder
// receives series.csv, points.csv, summary.txt and the files Torvane wrote
// (pictures as JPEG files unless bmp is given).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "ProcessCounts.h"
#include "SoakLog.h"
#include "SoakRun.h"
#include "TorvaneProcess.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"

namespace {

constexpr DWORD kSampleMs = 5000;
constexpr DWORD kMotionPeriodMs = 15000;  // each mode of the motion detector, per cycle
constexpr int kSequencePictures = 1000;
// A picture of the sequence every two seconds (the shortest interval, a
// second, counts from the picture before), with a margin.
constexpr double kSequenceSeconds = kSequencePictures * 2 + 50;

std::wstring Folder(const std::wstring& root, const wchar_t* name) {
  const std::wstring folder = root + name;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

DWORD ExitCodeAfter(HANDLE process, DWORD waitMs) {
  DWORD code = STILL_ACTIVE;
  if (process && ::WaitForSingleObject(process, waitMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(process, &code);
  return code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: torvane_soak SECONDS FOLDER [jpg|bmp]\n");
    return 2;
  }
  const double seconds = std::max(60.0, _wtof(argv[1]));
  std::wstring root = argv[2];
  if (root.back() != L'\\') root += L'\\';
  const soak::SoakFolders folders{Folder(root, L"motion-pictures"), Folder(root, L"motion-movies"),
                                  Folder(root, L"sequence"), argc < 4 || std::wstring(argv[3]) != L"bmp"};
  const std::wstring temp = Folder(root, L"temp");
  // The counts settle in the first minute: the heap grows in steps of about
  // a megabyte over the first few pictures, movies and dialogs. A two-minute
  // run has its two motion cycles before that point and its sequence after.
  const double settleSeconds = 60;
  const double motionEnd = std::max(seconds * 0.4, seconds - kSequenceSeconds);

  soak::SoakLog log(root, kSampleMs);
  shell_e2e::TorvaneProcess torvane(
      {{L"TMP", temp}, {L"TEMP", temp}, {L"CAMERA_ENGINE_CONFIG", L""}, {L"TORVANE_SCENARIO_RELAY", L"1"}});
  std::map<std::string, std::string> summary;
  if (!torvane.Started()) {
    std::fprintf(stderr, "Torvane did not start\n");
    return 1;
  }
  const auto engines = soak::ProcessesNamed(L"CameraEngine.exe");
  const DWORD engineId = engines.size() == 1 ? engines[0] : 0;
  common::UniqueKernelHandle engine(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, engineId));
  log.Point("start");

  soak::SoakRun run(torvane, log, folders);
  bool ok = true, settled = false, finished = false;
  int cycles = 0;
  while (ok && log.Seconds() < motionEnd) {
    ok = run.MotionCycle(kMotionPeriodMs);
    if (!ok) break;
    ++cycles;
    const bool settles = !settled && log.Seconds() >= settleSeconds;
    settled = settled || settles;
    log.Point(settles ? "settled" : "cycle-" + std::to_string(cycles));
  }
  if (ok && !settled) log.Point("settled");
  if (ok) ok = run.Sequence(kSequencePictures, seconds, &finished);
  if (ok) {
    ::Sleep(2000);
    log.SetPhase("end");
    log.Point("end");
  }
  const DWORD torvaneExit = torvane.Close();
  const DWORD engineExit = ExitCodeAfter(engine.get(), 30000);

  std::ofstream out(common::WideToAnsi(root + L"summary.txt"), std::ios::trunc);
  out << "steps " << (ok ? "done" : "failed: " + run.failure()) << "\n"
      << "motion_cycles " << cycles << "\n"
      << "sequence " << (finished ? "finished" : "cancelled at the end of the run") << "\n"
      << "torvane_exit " << torvaneExit << "\n"
      << "engine_pid " << engineId << "\n"
      << "engine_exit " << engineExit << "\n"
      << "engines_at_end " << soak::ProcessesNamed(L"CameraEngine.exe").size() << "\n";
  if (!ok) std::fprintf(stderr, "soak step failed: %s\n", run.failure().c_str());
  return ok && torvaneExit == 0 && engineExit == 0 && engineId != 0 ? 0 : 1;
}
