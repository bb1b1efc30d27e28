// The soak's phases, driven through Torvane's dialogs.
#include "SoakRun.h"

#include <cstdint>
#include <vector>

#include "EngineCommands.h"
#include "TorvaneIds.h"
#include "common/Strings.h"

namespace soak {
namespace {

using shell_e2e::TorvaneProcess;
using shell_e2e::WaitUntil;

constexpr DWORD kFramesPerSecond = 15;  // the synthetic camera's clock
constexpr std::int32_t kMotion = 60;    // well above the degree of 30
constexpr std::int32_t kStill = 0;

// Motion values for the engine's next frames: `on` frames of motion, then
// `off` still ones, repeated to fill the period, ending still. In picture
// mode every frame of motion stores a picture; in movie mode each stretch
// of motion records one movie.
std::vector<std::int32_t> Pattern(DWORD periodMs, size_t on, size_t off) {
  std::vector<std::int32_t> values;
  const size_t frames = periodMs * kFramesPerSecond / 1000;
  while (values.size() + on + off <= frames) {
    values.insert(values.end(), on, kMotion);
    values.insert(values.end(), off, kStill);
  }
  return values;
}

// The folder lists answer within moments, but a busy machine can hold a
// step past its wait: the choice is made again from the drive.
bool ChooseFolder(HWND dialog, int driveListId, int folderListId, const std::wstring& folder) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (TorvaneProcess::ChooseFolder(dialog, driveListId, folderListId, folder)) return true;
  }
  return false;
}

bool Checked(HWND dialog, int id) {
  DWORD_PTR state = 0;
  ::SendMessageTimeoutW(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

// The visible windows of the process, for a failure's report: what stood
// in the way of the step.
struct Windows {
  DWORD processId;
  std::string text;
};

BOOL CALLBACK DescribeWindow(HWND window, LPARAM context) {
  auto* windows = reinterpret_cast<Windows*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != windows->processId || !::IsWindowVisible(window)) return TRUE;
  windows->text += " [" + common::WideToAnsi(shell_e2e::WindowText(window));
  const std::wstring message = TorvaneProcess::PromptMessage(window);
  if (!message.empty()) windows->text += ": " + common::WideToAnsi(message);
  windows->text += "]";
  return TRUE;
}

}  // namespace

bool SoakRun::Fail(const std::string& what) {
  Windows windows{torvane_.ProcessId(), {}};
  ::EnumWindows(&DescribeWindow, reinterpret_cast<LPARAM>(&windows));
  failure_ = what + "; windows:" + windows.text;
  return false;
}

bool SoakRun::CaptureCommandsBack() {
  return WaitUntil([&] { return torvane_.ButtonEnabled(1) && torvane_.ButtonEnabled(3); }, 10000);
}

bool SoakRun::MotionCycle(DWORD periodMs) {
  return Motion(true, periodMs) && Motion(false, periodMs);
}

bool SoakRun::Motion(bool pictures, DWORD periodMs) {
  log_.SetPhase(pictures ? "motion-pictures" : "motion-movies");
  torvane_.Command(IDT_BUTTON5);
  HWND setUp = torvane_.WaitForDialog(L"Motion detector");
  if (!setUp) return Fail("the motion detector's dialog did not open");
  TorvaneProcess::Type(setUp, IDC_MO_DEGREE, L"30");
  TorvaneProcess::Click(setUp, pictures ? IDC_MO_SNAPSHOT : IDC_MO_MOVIENOSOUND);
  if (pictures) {
    if (!WaitUntil([&] { return ::IsWindowVisible(::GetDlgItem(setUp, IDC_MO_JPG)) != FALSE; }, 5000)) {
      return Fail("no file format to choose");
    }
    TorvaneProcess::Click(setUp, folders_.jpeg ? IDC_MO_JPG : IDC_MO_BMP);
  }
  if (!Checked(setUp, IDC_MO_STARTNOW)) TorvaneProcess::Click(setUp, IDC_MO_STARTNOW);
  if (!WaitUntil([&] { return Checked(setUp, IDC_MO_STARTNOW); }, 5000)) return Fail("the start choice");
  TorvaneProcess::Type(setUp, IDC_MO_PREFIX, pictures ? L"motion-" : L"movie-");
  if (!ChooseFolder(setUp, IDC_MO_DRIVE, IDC_MO_FOLDER, pictures ? folders_.motionPictures : folders_.motionMovies)) {
    return Fail("the motion folder could not be chosen");
  }
  TorvaneProcess::Press(setUp, IDC_MO_CMDDO);  // "&Start"
  if (!WaitUntil([&] { return !::IsWindow(setUp); }, 5000)) return Fail("the motion detector did not start");
  ::Sleep(1100);  // reports count from the second after the start
  // Pictures: one frame of motion in five, three a second. Movies: two
  // seconds of motion, one still.
  const std::vector<std::int32_t> values = pictures ? Pattern(periodMs - 2000, 1, 4) : Pattern(periodMs - 2000, 30, 15);
  if (torvane_.Scenario(engine::kScenarioMotionValues, 0, values.data(), DWORD(values.size() * 4)) != 1) {
    return Fail("the motion pattern was not taken");
  }
  ::Sleep(periodMs - 1100);
  return StopMotion();
}

bool SoakRun::StopMotion() {
  torvane_.Command(IDT_BUTTON5);  // "Stop motion detector"
  HWND result = torvane_.WaitForDialog(L"Result");
  if (!result) return Fail("the motion detector did not stop");
  // A press that reaches the prompt before it takes input is pressed again.
  for (int press = 0; press < 5 && ::IsWindow(result); ++press) {
    TorvaneProcess::Press(result, IDOK);
    WaitUntil([&] { return !::IsWindow(result); }, 2000);
  }
  if (!CaptureCommandsBack()) return Fail("the capture commands did not come back after the motion detector");
  return true;
}

bool SoakRun::Sequence(int total, double endSeconds, bool* finished) {
  log_.SetPhase("sequence");
  *finished = false;
  torvane_.Command(IDT_BUTTON3);
  HWND dialog = torvane_.WaitForDialog(L"Timed sequence of snap-shots");
  if (!dialog) return Fail("the timed sequence's dialog did not open");
  TorvaneProcess::Type(dialog, IDC_TS_FREQ, L"1");
  TorvaneProcess::Click(dialog, IDC_TS_STARTCLICK);
  TorvaneProcess::Type(dialog, IDC_TS_TOTAL, std::to_wstring(total));
  TorvaneProcess::Click(dialog, folders_.jpeg ? IDC_TS_JPG : IDC_TS_BMP);
  if (!ChooseFolder(dialog, IDC_TS_DRIVE, IDC_TS_FOLDER, folders_.sequence)) {
    return Fail("the sequence folder could not be chosen");
  }
  TorvaneProcess::Press(dialog, IDC_TS_CMDDO);  // "&Start"
  HWND warning = torvane_.WaitForDialog(L"Warning!");
  if (!warning) return Fail("no warning about the short interval");
  TorvaneProcess::Press(warning, IDOK);  // "&Yes"
  HWND progress = torvane_.WaitForDialog(L"Snap-shot sequence");
  if (!progress) return Fail("the sequence did not start");
  HWND done = nullptr;
  while (log_.Seconds() < endSeconds && !done) done = torvane_.WaitForDialog(L"OK!", 1000);
  if (done) {
    *finished = true;
    for (int press = 0; press < 5 && ::IsWindow(done); ++press) {
      TorvaneProcess::Press(done, IDOK);
      WaitUntil([&] { return !::IsWindow(done); }, 2000);
    }
  } else {
    TorvaneProcess::Press(progress, IDC_PROG_CMDDO);  // "&Cancel"
    if (!WaitUntil([&] { return !::IsWindow(progress); }, 10000)) return Fail("the sequence could not be cancelled");
  }
  if (!CaptureCommandsBack()) return Fail("the capture commands did not come back after the sequence");
  WaitUntil([&] { return !::IsWindow(dialog); }, 5000);
  return true;
}

}  // namespace soak
