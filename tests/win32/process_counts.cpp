// What a running program holds, counted from outside it under Wine, where
// GetGuiResources answers 0: for scripts/soak.sh.
//
//   mirune_counts IMAGE       -> "pid P kernel K mru M gdi G windows W" for
//                                the first process whose image name is
//                                IMAGE, or "none"
//   mirune_counts IMAGE list  -> then one line per kernel handle: its value,
//                                type number, access and object name
//
// kernel   the process's open handles in the Wine server: the entries of the
//          system's handle list (SystemHandleInformation) that it owns, but
//          for the mru ones (the process list's HandleCount is the size of
//          the table, which grows by doubling)
// mru      of those, the handles to the file dialogs' LastVisitedMRU key:
//          Wine 8's comdlg32 opens it at every confirmed file dialog and
//          never closes it
// gdi      the used entries of the process's GDI handle table: Wine keeps it
//          in the process's own memory, where its PEB points
//          (GdiSharedHandleTable); read with ReadProcessMemory, stock
//          objects included
// windows  the windows of the process's threads: top-level ones, hidden or
//          not, with every child, and message-only ones
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/text.h"

namespace {

// One entry of Wine's GDI handle table (a UINT64 object, the owner, the
// unique word, the type byte, flags, a UINT64 user pointer): the same 24
// bytes in 32- and 64-bit processes. A free entry has type 0.
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiTypeOffset = 14;
constexpr std::size_t kGdiEntries = 0x10000;
// Where the PEB keeps the table's address.
constexpr std::size_t kPebGdiTable = sizeof(void*) == 4 ? 0x94 : 0xF8;

constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr auto kObjectNameInformation = static_cast<OBJECT_INFORMATION_CLASS>(1);
constexpr wchar_t kMruKey[] =
    L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU";

// An entry of the system's handle list.
struct HandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};
struct HandleList {
  ULONG count;
  HandleEntry entries[1];
};

using QuerySystem = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);

template <class F>
F ntdll(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

// Closes a kernel handle of this process at the end of its scope.
struct Owned {
  HANDLE h;
  explicit Owned(HANDLE handle) : h(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() {
    if (h) CloseHandle(h);
  }
};

// The system's answer for CLASS, in a buffer grown until it fits, to a
// bound; empty if there is none.
std::vector<unsigned char> systemInformation(SYSTEM_INFORMATION_CLASS cls) {
  auto query = ntdll<QuerySystem>("NtQuerySystemInformation");
  if (!query) return {};
  for (std::size_t size = std::size_t(1) << 16; size <= (std::size_t(1) << 26); size *= 2) {
    std::vector<unsigned char> buffer(size);
    ULONG needed = 0;
    if (query(cls, buffer.data(), static_cast<ULONG>(size), &needed) >= 0) return buffer;
  }
  return {};
}

DWORD findProcess(const std::wstring& image) {
  std::vector<unsigned char> list = systemInformation(SystemProcessInformation);
  std::size_t at = 0;
  for (;;) {
    SYSTEM_PROCESS_INFORMATION info;
    if (at + sizeof info > list.size()) return 0;
    std::memcpy(&info, list.data() + at, sizeof info);
    std::wstring name(info.ImageName.Buffer ? info.ImageName.Buffer : L"",
                      info.ImageName.Length / sizeof(wchar_t));
    if (lstrcmpiW(name.c_str(), image.c_str()) == 0)
      return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(info.UniqueProcessId));
    if (info.NextEntryOffset == 0) return 0;
    at += info.NextEntryOffset;
  }
}

// The name of the object behind another process's handle, through a copy
// of the handle; empty when it has none.
std::wstring objectName(HANDLE process, USHORT value) {
  HANDLE copy = nullptr;
  if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value)), GetCurrentProcess(),
                       &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return {};
  Owned owned(copy);
  auto query = ntdll<QueryObject>("NtQueryObject");
  std::vector<unsigned char> buffer(4096);
  ULONG got = 0;
  if (!query ||
      query(copy, kObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &got) < 0)
    return {};
  UNICODE_STRING name;
  std::memcpy(&name, buffer.data(), sizeof name);
  if (!name.Buffer) return {};
  return std::wstring(name.Buffer, std::min<std::size_t>(name.Length / sizeof(wchar_t), 2048));
}

bool endsWith(const std::wstring& s, const wchar_t* tail) {
  std::size_t n = std::wcslen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

struct KernelCount {
  long handles = -1;
  long mru = 0;
};

KernelCount kernelHandles(DWORD pid, HANDLE process, bool list) {
  std::vector<unsigned char> info = systemInformation(kSystemHandleInformation);
  ULONG n = 0;
  const std::size_t first = offsetof(HandleList, entries);
  if (info.size() < first) return {};
  std::memcpy(&n, info.data(), sizeof n);
  if (n > (info.size() - first) / sizeof(HandleEntry)) return {};
  KernelCount count;
  count.handles = 0;
  for (ULONG i = 0; i < n; ++i) {
    HandleEntry e;
    std::memcpy(&e, info.data() + first + i * sizeof e, sizeof e);
    if (e.ownerPid != pid) continue;
    std::wstring name = objectName(process, e.value);
    if (endsWith(name, kMruKey))
      ++count.mru;
    else
      ++count.handles;
    if (list)
      std::printf("handle %04x type %u access %08lx %s\n", e.value, e.objectType, e.access,
                  win32::narrow(name.data(), name.size()).c_str());
  }
  return count;
}

// Used GDI table entries of the process, or -1 when the table cannot be read.
long gdiObjects(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  auto query = ntdll<QueryProcess>("NtQueryInformationProcess");
  ULONG_PTR table = 0;
  SIZE_T got = 0;
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) < 0 ||
      !ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTable, &table,
                         sizeof table, &got) ||
      got != sizeof table || table == 0)
    return -1;
  std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(),
                         &got) ||
      got != entries.size())
    return -1;
  long count = 0;
  for (std::size_t i = 0; i < kGdiEntries; ++i)
    if (entries[i * kGdiEntrySize + kGdiTypeOffset] != 0) ++count;
  return count;
}

struct WindowCount {
  DWORD pid;
  long count;
};

BOOL CALLBACK countChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->count;
  return TRUE;
}

void countTree(HWND w, WindowCount& c) {
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner != c.pid) return;
  ++c.count;
  EnumChildWindows(w, countChild, reinterpret_cast<LPARAM>(&c));
}

BOOL CALLBACK countTopLevel(HWND w, LPARAM data) {
  countTree(w, *reinterpret_cast<WindowCount*>(data));
  return TRUE;
}

long windows(DWORD pid) {
  WindowCount c{pid, 0};
  EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&c));
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
    countTree(w, c);
  return c.count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  bool list = argc == 3 && std::wcscmp(argv[2], L"list") == 0;
  if (argc != 2 && !list) {
    std::puts("usage: mirune_counts IMAGE_NAME [list]");
    return 2;
  }
  DWORD pid = findProcess(argv[1]);
  Owned process(
      pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE, FALSE, pid)
          : nullptr);
  if (!process.h) {
    std::puts("none");
    return 1;
  }
  long gdi = gdiObjects(process.h);
  long windowCount = windows(pid);
  KernelCount kernel = kernelHandles(pid, process.h, false);
  std::printf("pid %lu kernel %ld mru %ld gdi %ld windows %ld\n", static_cast<unsigned long>(pid),
              kernel.handles, kernel.mru, gdi, windowCount);
  if (list) kernelHandles(pid, process.h, true);
  return kernel.handles < 0 || gdi < 0 ? 1 : 0;
}
