// The movies of the real Torvane.exe, recorded as a user would: a movie
// without sound saved, one with sound saved onto an existing file, one
// cancelled before Begin and one stopped right after it and declined, a
// time-lapse movie after its entry checks, and the motion detector's movie
// from motion fed to Torvane's engine. Every saved movie stays in
// e2e-out\movies with its "<movie>.expect" for ffprobe and ffmpeg.
#include <algorithm>
#include <cstdint>

#include "EngineCommands.h"
#include "FlowTestSupport.h"
#include "KillProcess.h"
#include "MovieExpectation.h"
#include "TorvaneEndToEnd.h"
#include "common/Strings.h"

namespace shell_e2e {
namespace {

constexpr int kButton0 = IDC_POP_CMDDO;
constexpr int kButton1 = IDC_POP_CMDDO + 1;
constexpr testing_support::Expected kMovie{1, "mjpeg", nullptr, 66, nullptr};  // 15 frames a second
constexpr testing_support::Expected kMovieWithSound{2, "mjpeg", "pcm_u8 11025 1", 66, nullptr};

std::wstring MovieFolder() {
  const std::wstring folder = OutFolder() + L"movies";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\";
}

std::wstring Item(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

class MoviesEndToEnd : public TorvaneEndToEnd {
 protected:
  std::wstring TempMovie() const { return temp_ + L"\\pic.avi"; }
  // The recording dialog in the mode its frame names.
  HWND PopUp(TorvaneProcess& torvane, const std::wstring& frame, DWORD timeoutMs = 20000) {
    return torvane.WaitForDialogWhere([&](HWND dialog) { return Item(dialog, IDC_POP_FRAME) == frame; }, timeoutMs);
  }
  // A command up to the movie dialog, the sound question answered.
  HWND RecordMovieDialog(TorvaneProcess& torvane, int command, int soundAnswer) {
    torvane.Command(command);
    HWND sound = torvane.WaitForDialog(L"Sound?");
    if (!sound) return nullptr;
    EXPECT_EQ(L"Do you want to record sound with this movie?", TorvaneProcess::PromptMessage(sound));
    TorvaneProcess::Press(sound, soundAnswer);
    HWND dialog = PopUp(torvane, L"Record movie");
    EXPECT_EQ(L"Record a movie", WindowText(dialog));
    return dialog;
  }
  // "&Yes" in the dialog's or the prompt's save question, then the name,
  // confirming the replacement of an existing file.
  void SaveAs(TorvaneProcess& torvane, HWND question, int yes, const std::wstring& path, const std::wstring& saved) {
    TorvaneProcess::Press(question, yes);
    HWND save = torvane.WaitForDialog(L"Save Image File.");
    ASSERT_NE(nullptr, save);
    const bool existing = Exists(path);
    TorvaneProcess::SaveAs(save, path);
    if (existing) {
      HWND confirm = torvane.WaitForDialogWhere([&](HWND d) { return d != save && ::GetDlgItem(d, IDYES); });
      ASSERT_NE(nullptr, confirm) << "the save dialog asks before it replaces a file";
      TorvaneProcess::Press(confirm, IDYES);
    }
    EXPECT_TRUE(WaitUntil([&] { return torvane.ChildText(IDC_FILENAME) == saved + path; }, 20000));
    EXPECT_TRUE(torvane.ChildVisible(IDC_FILENAME));
    EXPECT_FALSE(Exists(TempMovie())) << "the temporary movie was moved";
  }
};

TEST_F(MoviesEndToEnd, MoviesSavedWithAndWithoutSound) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const struct {
    int command, soundAnswer;
    const wchar_t* leaf;
    testing_support::Expected expected;
  } movies[] = {{IDT_BUTTON4, IDNO, L"without-sound.avi", kMovie}, {IDM_MOVIE, IDOK, L"with-sound.avi", kMovieWithSound}};
  std::ofstream(common::WideToAnsi(MovieFolder() + L"with-sound.avi")) << "an older file";
  for (const auto& m : movies) {
    HWND dialog = RecordMovieDialog(torvane, m.command, m.soundAnswer);
    ASSERT_NE(nullptr, dialog);
    TorvaneProcess::Press(dialog, kButton0);  // "&Begin"
    ASSERT_TRUE(WaitUntil([&] { return Item(dialog, IDC_POP_ELAPSED) == L"Movie has been recording for 2 seconds"; },
                          10000));
    EXPECT_EQ(L"Size of movie file: 626 kb", Item(dialog, IDC_POP_LOF));
    if (m.command == IDT_BUTTON4) torvane.SaveWindowPicture(OutFolder() + L"torvane-movie.bmp", dialog);
    TorvaneProcess::Press(dialog, kButton1);  // "&Stop"
    HWND question = PopUp(torvane, L"Save movie?");
    ASSERT_NE(nullptr, question);
    const long kb = static_cast<long>((flow_tests::ReadFileBytes(TempMovie()).size() + 512) / 1024);
    EXPECT_EQ(0u, Item(question, IDC_POP_ELAPSED).find(L"Movie recorded for "));
    std::wstring size = Item(question, IDC_POP_LOF);  // "Size of movie file: 1,234 kb"
    size.erase(std::remove(size.begin(), size.end(), L','), size.end());
    EXPECT_EQ(L"Size of movie file: " + std::to_wstring(kb) + L" kb", size);
    const std::wstring path = MovieFolder() + m.leaf;
    SaveAs(torvane, question, kButton0, path, L"This movie saved to ");
    testing_support::ExpectMovie(path, m.expected, 15);
  }
  EXPECT_EQ(0u, torvane.Close());
}

TEST_F(MoviesEndToEnd, CancelledBeforeBeginAndDeclinedRightAfterItLeaveNothing) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  HWND dialog = RecordMovieDialog(torvane, IDT_BUTTON4, IDOK);
  ASSERT_NE(nullptr, dialog);
  TorvaneProcess::Press(dialog, kButton1);  // "&Cancel"
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
  EXPECT_EQ(nullptr, PopUp(torvane, L"Save movie?", 1000)) << "no save question after Cancel";

  dialog = RecordMovieDialog(torvane, IDT_BUTTON4, IDNO);
  ASSERT_NE(nullptr, dialog);
  TorvaneProcess::Press(dialog, kButton0);  // "&Begin", then at once "&Stop"
  TorvaneProcess::Press(dialog, kButton1);
  HWND question = PopUp(torvane, L"Save movie?");
  ASSERT_NE(nullptr, question) << "the save question even for a movie stopped at once";
  EXPECT_EQ(L"Movie recorded for 0 seconds", Item(question, IDC_POP_ELAPSED));
  EXPECT_TRUE(Exists(TempMovie()));
  TorvaneProcess::Press(question, kButton1);  // "&No"
  EXPECT_TRUE(WaitUntil([&] { return !Exists(TempMovie()); }, 5000)) << "a declined movie is deleted";
  EXPECT_EQ(0u, torvane.Close());
  for (const std::wstring& name : flow_tests::FilesIn(temp_)) {
    EXPECT_EQ(std::wstring::npos, name.find(L".avi")) << "a movie left behind: " << common::WideToAnsi(name);
  }
}

TEST_F(MoviesEndToEnd, TimeLapseMovieAfterItsEntryChecks) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  torvane.Command(IDT_BUTTON6);
  HWND dialog = PopUp(torvane, L"Time lapse movie");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"Take time-lapse movie", WindowText(dialog));
  const struct {
    const wchar_t *frequency, *fps, *message;
    int field;  // that has the focus afterwards
  } refused[] = {
      {L"0", L"10", L"Please specify the frame capture frequency as a whole number greater than 0!", IDC_POP_FREQ},
      {L"1", L"31", L"Please indicate frames per second playback as a whole number 1 - 30!", IDC_POP_FPS},
  };
  for (const auto& r : refused) {
    TorvaneProcess::Type(dialog, IDC_POP_FREQ, r.frequency);
    TorvaneProcess::Type(dialog, IDC_POP_FPS, r.fps);
    TorvaneProcess::Press(dialog, kButton0);  // "&OK"
    HWND error = torvane.WaitForDialog(L"Error!");
    ASSERT_NE(nullptr, error);
    EXPECT_EQ(r.message, TorvaneProcess::PromptMessage(error));
    TorvaneProcess::Press(error, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return ::GetDlgCtrlID(torvane.FocusedControl()) == r.field; }, 5000)) << r.field;
  }
  TorvaneProcess::Type(dialog, IDC_POP_FREQ, L"40000");  // passes the check, not the 16-bit field
  TorvaneProcess::Type(dialog, IDC_POP_FPS, L"10");
  TorvaneProcess::Press(dialog, kButton0);
  HWND plain = torvane.WaitForDialogWhere([](HWND d) { return TorvaneProcess::PromptMessage(d) == L"6 Overflow"; });
  ASSERT_NE(nullptr, plain);
  TorvaneProcess::Press(plain, IDOK);
  EXPECT_FALSE(Exists(TempMovie())) << "nothing recorded";

  TorvaneProcess::Type(dialog, IDC_POP_FREQ, L"1");
  TorvaneProcess::Press(dialog, kButton0);
  ASSERT_NE(nullptr, PopUp(torvane, L"Time-lapse movie recording"));
  // Frames on every second tick; stop just after the fourth.
  ASSERT_TRUE(WaitUntil([&] { return Item(dialog, IDC_POP_ELAPSED) == L"Number of frames captured: 4"; }, 15000));
  TorvaneProcess::Press(dialog, kButton1);  // "&Stop"
  HWND question = torvane.WaitForDialog(L"Save?");
  ASSERT_NE(nullptr, question);
  EXPECT_EQ(L"Do you want to save this time-lapse movie?", TorvaneProcess::PromptMessage(question));
  const std::wstring path = MovieFolder() + L"time-lapse.avi";
  ::DeleteFileW(path.c_str());
  SaveAs(torvane, question, IDOK, path, L"Time-lapse movie saved to ");
  testing_support::ExpectMovie(path, {1, "mjpeg", nullptr, 100, nullptr}, 4, true);  // plays at 10 a second
  EXPECT_EQ(0u, torvane.Close());
}

// Empties the folder and starts the motion detector recording movies
// without sound into it, from now on, at degree 30.
void StartMotionMovies(TorvaneProcess& torvane, const std::wstring& folder, const std::wstring& prefix) {
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (const std::wstring& file : flow_tests::FilesIn(folder)) ::DeleteFileW((folder + L"\\" + file).c_str());
  torvane.Command(IDT_BUTTON5);
  HWND setUp = torvane.WaitForDialog(L"Motion detector");
  ASSERT_NE(nullptr, setUp);
  TorvaneProcess::Type(setUp, IDC_MO_DEGREE, L"30");
  TorvaneProcess::Click(setUp, IDC_MO_MOVIENOSOUND);
  TorvaneProcess::Click(setUp, IDC_MO_STARTNOW);
  TorvaneProcess::Type(setUp, IDC_MO_PREFIX, prefix);
  ASSERT_TRUE(TorvaneProcess::ChooseFolder(setUp, IDC_MO_DRIVE, IDC_MO_FOLDER, folder));
  TorvaneProcess::Press(setUp, IDC_MO_CMDDO);  // "&Start"
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(setUp); }, 5000));
}

TEST_F(MoviesEndToEnd, MotionMovieRunsWhileThereIsMotion) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const std::wstring folder = MovieFolder() + L"motion";
  ASSERT_NO_FATAL_FAILURE(StartMotionMovies(torvane, folder, L"motion-"));

  // From the second after the start: two seconds of motion, then the
  // synthetic scene alone, which stays below 30 and ends the movie.
  ::Sleep(1100);
  const std::vector<std::int32_t> motion(30, 60);
  ASSERT_EQ(1, torvane.Scenario(engine::kScenarioMotionValues, 0, motion.data(), DWORD(motion.size() * 4)));
  ASSERT_TRUE(WaitUntil([&] { return torvane.ChildText(IDC_MOTIONMESS) == L"Movie recorded by motion detector!"; },
                        10000));
  const std::wstring movie = torvane.ChildText(IDC_FILENAME);
  EXPECT_EQ(0u, common::ToLower(movie).find(common::ToLower(folder + L"\\motion-")));
  EXPECT_TRUE(flow_tests::IsTimeStampedName(movie.substr(folder.size() + 1), L"motion-", L".avi")) << movie;
  ASSERT_TRUE(WaitUntil([&] { return Exists(movie); }, 15000)) << "the movie ends with the motion";

  torvane.Command(IDT_BUTTON5);  // "Stop motion detector"
  HWND result = torvane.WaitForDialog(L"Result");
  ASSERT_NE(nullptr, result);
  EXPECT_EQ(0u, TorvaneProcess::PromptMessage(result).find(L"1 files have been stored in "));
  TorvaneProcess::Press(result, IDOK);
  EXPECT_EQ(1u, flow_tests::FilesIn(folder).size()) << "one movie for one stretch of motion";
  const std::wstring kept = MovieFolder() + L"motion.avi";  // beside the others for the checks
  ::DeleteFileW(kept.c_str());
  ASSERT_TRUE(::MoveFileW(movie.c_str(), kept.c_str()));
  testing_support::ExpectMovie(kept, kMovie, 15);
  EXPECT_EQ(0u, torvane.Close());
}

// The engine dies while the motion detector records: the movie written
// until then is saved under its motion name before Torvane, told of the
// ended recording and of the lost camera, ends.
TEST_F(MoviesEndToEnd, MotionMovieOfAKilledEngineIsSavedBeforeTheEnd) {
  TorvaneProcess torvane(Environment());
  ASSERT_TRUE(torvane.Started());
  const std::wstring folder = MovieFolder() + L"killed";
  ASSERT_NO_FATAL_FAILURE(StartMotionMovies(torvane, folder, L"killed-"));
  ::Sleep(1100);
  const std::vector<std::int32_t> motion(600, 60);  // far longer than the movie lives
  ASSERT_EQ(1, torvane.Scenario(engine::kScenarioMotionValues, 0, motion.data(), DWORD(motion.size() * 4)));
  ASSERT_TRUE(WaitUntil([&] { return torvane.ChildText(IDC_MOTIONMESS) == L"Movie recorded by motion detector!"; },
                        10000));
  const std::wstring movie = torvane.ChildText(IDC_FILENAME);
  ::Sleep(2000);  // about 30 frames

  const DWORD engineId = RunningEngineProcessId();
  ASSERT_NE(0u, engineId);
  ASSERT_TRUE(testing_support::KillProcess(engineId));
  // Torvane shows the ended recording's reason (2: the camera went away),
  // then its prompt for the lost camera.
  HWND reason = torvane.WaitForDialogWhere([](HWND d) { return TorvaneProcess::PromptMessage(d) == L"2"; });
  ASSERT_NE(nullptr, reason);
  EXPECT_TRUE(Exists(movie)) << "the movie is saved before the client hears of the end";
  TorvaneProcess::Press(reason, IDOK);
  HWND detached = torvane.WaitForDialog(L"No camera!");
  ASSERT_NE(nullptr, detached);
  TorvaneProcess::Press(detached, IDOK);
  EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), torvane.WaitForExit(20000));
  EXPECT_EQ(1u, flow_tests::FilesIn(folder).size());
  const std::wstring kept = MovieFolder() + L"engine-killed.avi";  // beside the others for the checks
  ::DeleteFileW(kept.c_str());
  ASSERT_TRUE(::MoveFileW(movie.c_str(), kept.c_str()));
  testing_support::ExpectMovie(kept, kMovie, 15);
  for (const std::wstring& name : flow_tests::FilesIn(temp_)) {
    EXPECT_EQ(std::wstring::npos, name.find(L".avi")) << "a capture file left behind: " << common::WideToAnsi(name);
  }
}

}  // namespace
}  // namespace shell_e2e
