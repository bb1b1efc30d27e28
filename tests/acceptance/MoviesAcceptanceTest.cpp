// Movies as a user records them: without sound from the toolbar, with
// sound from the File menu, a time-lapse movie, and the motion detector
// storing pictures, recording a movie and sounding the alarm for motion fed
// to Torvane's engine. The movies are left with their expectations for
// ffprobe and ffmpeg, the JPEG pictures for djpeg.
#include <cstdint>
#include <vector>

#include "Acceptance.h"
#include "EngineCommands.h"
#include "FlowTestSupport.h"
#include "MovieExpectation.h"
#include "TorvaneIds.h"
#include "common/Module.h"
#include "common/Strings.h"
#include "common/UniqueHandle.h"

namespace acceptance {
namespace {

using shell_e2e::WaitUntil;
using testing_support::Expected;

constexpr int kButton0 = IDC_POP_CMDDO;
constexpr int kButton1 = IDC_POP_CMDDO + 1;
constexpr Expected kMovie{1, "mjpeg", nullptr, 66, nullptr};  // 15 frames a second
constexpr Expected kMovieWithSound{2, "mjpeg", "pcm_u8 11025 1", 66, nullptr};
constexpr int kRecordMovieEntry = 3;  // of the File menu

TEST_F(Acceptance, MoviesWithoutSoundFromTheToolbarAndWithSoundFromTheMenu) {
  ASSERT_TRUE(Start());
  const std::wstring folder = OutFolder(L"movies");
  const struct {
    bool fromMenu;
    int soundAnswer;
    const wchar_t* leaf;
    Expected expected;
    const wchar_t* shot;  // prefix of the screenshots
  } movies[] = {{false, IDNO, L"without-sound.avi", kMovie, L"movie"},
                {true, IDOK, L"with-sound.avi", kMovieWithSound, nullptr}};
  for (const auto& m : movies) {
    ASSERT_TRUE(m.fromMenu ? User().FileMenu(kRecordMovieEntry, L"file-menu-movie") : User().ToolbarButton(4));
    EXPECT_EQ(L"Do you want to record sound with this movie?",
              User().Answer(L"Sound?", m.soundAnswer, m.shot ? L"sound-prompt" : nullptr));
    HWND dialog = User().PopUp(L"Record movie");
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(User().Press(dialog, kButton0));  // "&Begin"
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(::GetDlgItem(dialog, kButton1)) != FALSE; }, 15000))
        << "the recording did not begin: the dialog says \"" << common::WideToAnsi(Item(dialog, IDC_POP_MESS)) << "\"";
    ASSERT_TRUE(WaitUntil(
        [&] { return Item(dialog, IDC_POP_ELAPSED) == L"Movie has been recording for 2 seconds"; }, 10000))
        << "the dialog shows \"" << common::WideToAnsi(Item(dialog, IDC_POP_ELAPSED)) << "\"";
    if (m.shot) User().Shot(dialog, L"movie");
    ASSERT_TRUE(User().Press(dialog, kButton1));  // "&Stop"
    HWND question = User().PopUp(L"Save movie?");
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(0u, Item(question, IDC_POP_ELAPSED).find(L"Movie recorded for "));
    if (m.shot) User().Shot(question, L"movie-save");
    ASSERT_TRUE(User().Press(question, kButton0));  // "&Yes"
    const std::wstring path = folder + L"\\" + m.leaf;
    SaveThroughDialog(path, L"This movie saved to ");
    testing_support::ExpectMovie(path, m.expected, 15);
  }
}

TEST_F(Acceptance, TimeLapseMovieOfFourFrames) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(User().ToolbarButton(6));
  HWND dialog = User().PopUp(L"Time lapse movie");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(User().Fill(dialog, IDC_POP_FREQ, L"1"));
  ASSERT_TRUE(User().Fill(dialog, IDC_POP_FPS, L"10"));
  User().Shot(dialog, L"time-lapse-setup");
  ASSERT_TRUE(User().Press(dialog, kButton0));  // "&OK"
  ASSERT_NE(nullptr, User().PopUp(L"Time-lapse movie recording"));
  // Frames on every second tick; stopped just after the fourth.
  ASSERT_TRUE(WaitUntil([&] { return Item(dialog, IDC_POP_ELAPSED) == L"Number of frames captured: 4"; }, 15000));
  User().Shot(dialog, L"time-lapse");
  ASSERT_TRUE(User().Press(dialog, kButton1));  // "&Stop"
  EXPECT_EQ(L"Do you want to save this time-lapse movie?", User().Answer(L"Save?", IDOK));
  const std::wstring path = OutFolder(L"time-lapse") + L"\\time-lapse.avi";
  SaveThroughDialog(path, L"Time-lapse movie saved to ");
  testing_support::ExpectMovie(path, {1, "mjpeg", nullptr, 100, nullptr}, 4, true);  // plays at 10 a second
}

ULONGLONG FileTimeValue(const FILETIME& time) {
  return ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart;
}

ULONGLONG NowSeconds() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return FileTimeValue(now) / 10000000;
}

// The motion detector counts reports from the whole second after its start.
bool NextSecond(ULONGLONG after) {
  return WaitUntil([&] { return NowSeconds() > after; }, 3000);
}

std::wstring AlarmFile() { return common::ModuleDirectory(nullptr) + L"ALARM.WAV"; }

ULONGLONG AlarmReadAt() {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(AlarmFile().c_str(), GetFileExInfoStandard, &data);
  return FileTimeValue(data.ftLastAccessTime);
}

// Marks the sound file as last read two days ago, so that the file system
// records the next read (relatime updates an access time older than a day).
void MarkAlarmUnread() {
  common::UniqueFile file(::CreateFileW(AlarmFile().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER past{};
  past.QuadPart = FileTimeValue(now) - 2ULL * 24 * 3600 * 10000000;
  const FILETIME earlier{past.LowPart, past.HighPart};
  ::SetFileTime(file.get(), nullptr, &earlier, nullptr);
}

size_t FilesOf(const std::wstring& folder, const wchar_t* extension) {
  size_t count = 0;
  for (const std::wstring& name : flow_tests::FilesIn(folder)) {
    count += flow_tests::IsTimeStampedName(name, L"motion-", extension);
  }
  return count;
}

void FeedMotion(TorvaneProcess& torvane, size_t reports) {
  const std::vector<std::int32_t> motion(reports, 60);  // above the degree of 30
  ASSERT_EQ(1, torvane.Scenario(engine::kScenarioMotionValues, 0, motion.data(), DWORD(motion.size() * 4)));
}

enum class Reaction { kPictures, kMovie, kAlarm };

struct MotionCase {
  const char* name;
  const wchar_t* folder;  // of the output folder
  Reaction reaction;
  int option;                // the action chosen in the set-up dialog
  const wchar_t* result;     // the stop's report, after the count; nullptr: none
};

class MotionDetector : public Acceptance, public ::testing::WithParamInterface<MotionCase> {};

TEST_P(MotionDetector, ReactsToMotionUntilStopped) {
  const MotionCase& c = GetParam();
  const bool pictures = c.reaction == Reaction::kPictures;
  ASSERT_TRUE(Start());
  const std::wstring folder = OutFolder(c.folder);
  if (c.reaction == Reaction::kAlarm) MarkAlarmUnread();
  const ULONGLONG unread = AlarmReadAt();
  ASSERT_TRUE(User().ToolbarButton(5));
  HWND setUp = User().Dialog(L"Motion detector");
  ASSERT_NE(nullptr, setUp);
  ASSERT_TRUE(User().Fill(setUp, IDC_MO_DEGREE, L"30"));
  ASSERT_TRUE(User().Press(setUp, c.option));
  if (pictures) {
    ASSERT_TRUE(User().Press(setUp, IDC_MO_JPG));  // offered once "Take snap-shots" is chosen
  }
  ASSERT_TRUE(User().Press(setUp, IDC_MO_STARTNOW));
  ASSERT_TRUE(User().Fill(setUp, IDC_MO_PREFIX, L"motion-"));
  ASSERT_TRUE(User().ChooseFolder(setUp, IDC_MO_DRIVE, IDC_MO_FOLDER, folder));
  if (pictures) User().Shot(setUp, L"motion");
  ASSERT_TRUE(User().Press(setUp, IDC_MO_CMDDO));  // "&Start"
  ASSERT_TRUE(Gone(setUp));
  // The set-up cleared the image view; every reaction to motion shows it.
  EXPECT_FALSE(App().ChildVisible(IDC_SNAPSHOT));
  ULONGLONG armed = NowSeconds();
  ASSERT_TRUE(NextSecond(armed));

  switch (c.reaction) {
    case Reaction::kPictures:  // two moments of motion, in two seconds
      for (size_t moment = 1; moment <= 2; ++moment) {
        FeedMotion(App(), 1);
        ASSERT_TRUE(WaitUntil([&] { return FilesOf(folder, L".jpg") == moment; }, 10000)) << moment;
        armed = NowSeconds();
        ASSERT_TRUE(NextSecond(armed));
      }
      EXPECT_EQ(L"Image captured by motion detector!", App().ChildText(IDC_MOTIONMESS));
      User().Shot(App().MainWindow(), L"motion-running");
      break;
    case Reaction::kMovie:  // two seconds of motion, then the quiet scene ends the movie
      FeedMotion(App(), 30);
      ASSERT_TRUE(WaitUntil(
          [&] { return App().ChildText(IDC_MOTIONMESS) == L"Movie recorded by motion detector!"; }, 10000));
      User().Shot(App().MainWindow(), L"motion-movie");
      ASSERT_TRUE(WaitUntil([&] { return FilesOf(folder, L".avi") == 1; }, 15000));
      break;
    case Reaction::kAlarm:  // neither picture nor movie: the image view and the sound only
      FeedMotion(App(), 1);
      EXPECT_TRUE(WaitUntil([&] { return AlarmReadAt() > unread; }, 10000)) << "ALARM.WAV was never read";
      EXPECT_FALSE(App().ChildVisible(IDC_MOTIONMESS));
      break;
  }
  EXPECT_TRUE(WaitUntil([&] { return App().ChildVisible(IDC_SNAPSHOT); }, 5000)) << "no reaction to motion";

  ASSERT_TRUE(User().ToolbarButton(5));  // "Stop motion detector"
  if (c.result) {
    EXPECT_EQ(common::ToLower(std::wstring(c.result) + folder +
                              L" as a result of this motion detection operation."),
              common::ToLower(User().Answer(L"Result", IDOK, pictures ? L"motion-result" : nullptr)));
  } else {
    EXPECT_EQ(nullptr, User().Dialog(L"Result", 1000)) << "nothing stored, nothing reported";
  }
  EXPECT_TRUE(WaitUntil([&] { return App().ButtonEnabled(1) && App().ButtonEnabled(3); }, 5000));
  if (c.reaction == Reaction::kMovie) {
    const std::vector<std::wstring> movies = flow_tests::FilesIn(folder);
    ASSERT_EQ(1u, movies.size()) << "one movie for one stretch of motion";
    testing_support::ExpectMovie(folder + L"\\" + movies[0], kMovie, 15);
  }
}

// Pictures as JPEG files (djpeg reads them), a movie while the motion lasts
// (ffprobe and ffmpeg), the alarm.
INSTANTIATE_TEST_SUITE_P(
    Acceptance, MotionDetector,
    ::testing::Values(
        MotionCase{"JpegPictures", L"motion-pictures", Reaction::kPictures, IDC_MO_SNAPSHOT,
                   L"2 files have been stored in "},
        MotionCase{"Movie", L"motion-movie", Reaction::kMovie, IDC_MO_MOVIENOSOUND, L"1 files have been stored in "},
        MotionCase{"Alarm", L"motion-alarm", Reaction::kAlarm, IDC_MO_ALARM, nullptr}),
    [](const ::testing::TestParamInfo<MotionCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace acceptance
