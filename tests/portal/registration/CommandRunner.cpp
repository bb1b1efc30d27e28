// Child processes with their output captured in a temporary file.
#include <windows.h>

#include "CommandRunner.h"

#include <vector>

#include "common/UniqueHandle.h"

namespace registration_tests {
namespace {

common::UniqueFile CreateCaptureFile() {
  wchar_t folder[MAX_PATH] = {};
  wchar_t path[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  ::GetTempFileNameW(folder, L"cmd", 0, path);
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  return common::UniqueFile(::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          &inherit, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

std::string ReadAll(HANDLE file) {
  std::string text;
  ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) text.append(buffer, read);
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

std::optional<CommandResult> RunCommand(const std::wstring& commandLine, DWORD timeoutMs) {
  common::UniqueFile capture = CreateCaptureFile();
  if (!capture) return std::nullopt;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = capture.get();
  startup.hStdError = capture.get();
  PROCESS_INFORMATION process = {};
  std::wstring mutableLine = commandLine;
  if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process)) {
    return std::nullopt;
  }
  const common::UniqueKernelHandle processHandle(process.hProcess);
  const common::UniqueKernelHandle threadHandle(process.hThread);
  if (::WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    return std::nullopt;
  }
  CommandResult result;
  ::GetExitCodeProcess(process.hProcess, &result.exitCode);
  result.output = ReadAll(capture.get());
  return result;
}

std::optional<std::string> QueryRegString(const std::wstring& key, const std::wstring& name) {
  const std::wstring selector = name.empty() ? L" /ve" : L" /v \"" + name + L"\"";
  const auto result = RunCommand(L"reg query \"" + key + L"\"" + selector);
  if (!result || result->exitCode != 0) return std::nullopt;
  // "    <name>    REG_SZ    <data>"
  const std::string label = name.empty() ? "(Default)" : Narrow(name);
  const std::string marker = "    " + label + "    REG_SZ    ";
  for (const std::string& line : Lines(result->output)) {
    if (line.compare(0, marker.size(), marker) == 0) return line.substr(marker.size());
  }
  return std::nullopt;
}

bool RegKeyExists(const std::wstring& key) {
  const auto result = RunCommand(L"reg query \"" + key + L"\"");
  return result && result->exitCode == 0;
}

std::string DumpRegTree(const std::wstring& key) {
  const auto result = RunCommand(L"reg query \"" + key + L"\" /s");
  return result && result->exitCode == 0 ? result->output : std::string();
}

RegTree ReadRegTree(const std::wstring& key) {
  RegTree tree;
  std::string current;
  bool inTree = false;
  for (const std::string& line : Lines(DumpRegTree(key))) {
    if (line.rfind("HKEY_", 0) == 0) {
      // "HKEY_CLASSES_ROOT\<key>\<sub>": the part after the queried key.
      const std::size_t rootEnd = line.find('\\');
      const std::size_t queriedLength = key.size() - key.find('\\');
      current = rootEnd == std::string::npos ? std::string() : line.substr(rootEnd);
      current = current.size() > queriedLength ? current.substr(queriedLength + 1) : std::string();
      tree[current];
      inTree = true;
    } else if (inTree && line.rfind("    ", 0) == 0) {
      // "    <name>    <type>    <data>"
      const std::size_t typeStart = line.find("    ", 4);
      if (typeStart == std::string::npos) continue;
      std::string name = line.substr(4, typeStart - 4);
      if (name == "(Default)") name.clear();
      const std::size_t dataStart = line.find("    ", typeStart + 4);
      tree[current][name] = dataStart == std::string::npos ? std::string() : line.substr(dataStart + 4);
    }
  }
  return tree;
}

}  // namespace registration_tests
