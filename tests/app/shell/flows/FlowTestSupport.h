// Helpers of the flow, dialog and end-to-end tests: a scripted prompt layer
// that records what was asked, an end-of-program action that throws instead
// of ending the process, scratch folders, file reading, time-stamped names,
// the number of an error a step raises and a message pump.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Prompter.h"
#include "ProgramEnd.h"

namespace flow_tests {

struct ProgramEnded {
  UINT exitCode;
};

inline torvane::ProgramEnd ThrowingEnd() {
  return torvane::ProgramEnd([](UINT code) { throw ProgramEnded{code}; });
}

struct Prompt {
  std::wstring message, icon, buttons, title;
};

class ScriptedPrompter : public torvane::Prompter {
 public:
  std::deque<std::wstring> answers;                       // MessBox answers in order
  std::deque<std::optional<std::wstring>> saveNames;      // save dialog answers in order
  std::vector<Prompt> prompts;
  std::vector<std::wstring> systemMessages;
  std::vector<torvane::SaveDialogRequest> saveRequests;

  std::wstring MessBox(const std::wstring& message, const std::wstring& icon, const std::wstring& buttons,
                       const std::wstring& title) override;
  void SystemMessage(const std::wstring& text) override { systemMessages.push_back(text); }
  std::optional<std::wstring> SaveFileName(const torvane::SaveDialogRequest& request) override;
};

// A fresh folder under the temporary folder, removed with its files.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::vector<std::wstring> Files() const;  // names, sorted

 private:
  std::wstring path_;
};

// Names in a folder (no "." or ".."), sorted.
std::vector<std::wstring> FilesIn(const std::wstring& folder);
// prefix + 14 digits ("yyyymmddHhNnSs") + extension.
bool IsTimeStampedName(const std::wstring& name, const std::wstring& prefix, const std::wstring& extension);
// The number of the application error the step raises; 0 for none.
long ErrorNumberOf(const std::function<void()>& step);
// Dispatches this thread's messages (forms first see their keys) for ms.
void PumpMessages(DWORD ms);

// A local date and time; the milliseconds are never 0, as names and
// instants count whole seconds only.
inline SYSTEMTIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  t.wMilliseconds = 999;
  return t;
}

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
std::vector<std::string> Lines(const std::string& text);  // split at CR LF

}  // namespace flow_tests
