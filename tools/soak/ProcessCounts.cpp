// Resource counts of another process. The system's calls are asked first:
// GetProcessHandleCount, GetGuiResources and GetProcessMemoryInfo's private
// usage. Wine 8 answers 0 to each of them (stubs), so where a call answers
// 0 for a running process a stand-in that Wine does keep is used:
// - handles: the process's entries in the system handle list
//   (NtQuerySystemInformation, SystemHandleInformation);
// - GDI objects: the used entries of the process's GDI handle table, which
//   its PEB publishes (GdiSharedHandleTable, 24-byte entries on x64);
// - USER objects: the process's windows, top-level and children (menus,
//   cursors and hooks are not counted);
// - private bytes: the commit charge (PagefileUsage), which on Windows is
//   the same number as the private usage.
#include "ProcessCounts.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cwchar>

#include "common/UniqueHandle.h"

namespace soak {
namespace {

// SystemHandleInformation (16): the system's open handles, one entry each.
struct SystemHandleEntry {
  ULONG processId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
struct SystemHandleList {
  ULONG count;
  SystemHandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryProcessInformation = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

template <typename Function>
Function NtFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), name)));
}

long HandlesInSystemList(DWORD processId) {
  static const auto query = NtFunction<QuerySystemInformation>("NtQuerySystemInformation");
  if (!query) return 0;
  std::vector<BYTE> buffer(1 << 20);
  NTSTATUS status;
  ULONG needed = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
         kInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return 0;
  const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
  long count = 0;
  for (ULONG i = 0; i < list->count; ++i) count += list->entries[i].processId == processId;
  return count;
}

#ifdef _WIN64
// One entry of the GDI handle table: object, owner, unique, type, flags, user.
struct GdiTableEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24, "the table's entry layout");
constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;

long GdiTableEntriesInUse(HANDLE process) {
  static const auto query = NtFunction<QueryProcessInformation>("NtQueryInformationProcess");
  PROCESS_BASIC_INFORMATION basic = {};
  ULONG length = 0;
  if (!query || query(process, 0 /* ProcessBasicInformation */, &basic, sizeof(basic), &length) != 0) return 0;
  std::uint64_t table = 0;
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process, static_cast<BYTE*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiTableOffset,
                           &table, sizeof(table), &read) ||
      table == 0) {
    return 0;
  }
  std::vector<GdiTableEntry> entries(kGdiTableEntries);
  if (!::ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(),
                           entries.size() * sizeof(GdiTableEntry), &read)) {
    return 0;
  }
  long used = 0;
  for (const GdiTableEntry& entry : entries) used += entry.type != 0;
  return used;
}
#else
long GdiTableEntriesInUse(HANDLE) { return 0; }
#endif

struct WindowCount {
  DWORD processId;
  long count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM context) {
  auto* count = reinterpret_cast<WindowCount*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == count->processId) ++count->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
  CountChild(window, context);
  ::EnumChildWindows(window, &CountChild, context);
  return TRUE;
}

long WindowsOf(DWORD processId) {
  WindowCount count{processId, 0};
  ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count.count;
}

}  // namespace

std::vector<DWORD> ProcessesNamed(const wchar_t* image) {
  std::vector<DWORD> ids;
  common::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, image) == 0) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

std::optional<ProcessCounts> ReadCounts(DWORD processId) {
  common::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return std::nullopt;
  ProcessCounts counts;
  counts.processId = processId;
  DWORD handles = 0;
  if (::GetProcessHandleCount(process.get(), &handles) && handles != 0) {
    counts.handles = static_cast<long>(handles);
  } else {
    counts.handles = HandlesInSystemList(processId);
    counts.standIns += 'h';
  }
  counts.gdiObjects = static_cast<long>(::GetGuiResources(process.get(), GR_GDIOBJECTS));
  if (counts.gdiObjects == 0) {
    counts.gdiObjects = GdiTableEntriesInUse(process.get());
    counts.standIns += 'g';
  }
  counts.userObjects = static_cast<long>(::GetGuiResources(process.get(), GR_USEROBJECTS));
  if (counts.userObjects == 0) {
    counts.userObjects = WindowsOf(processId);
    counts.standIns += 'u';
  }
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof(memory);
  if (::GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
    counts.privateBytes = memory.PrivateUsage;
    if (counts.privateBytes == 0) {
      counts.privateBytes = memory.PagefileUsage;
      counts.standIns += 'p';
    }
  }
  return counts;
}

}  // namespace soak
