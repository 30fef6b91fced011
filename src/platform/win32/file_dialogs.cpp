#include <windows.h>

#include <vector>

#include "base/error.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/modal_scope.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"

namespace win32 {

namespace {

// "desc|pattern|desc|pattern" as the dialog wants it: each part ended by a
// null, the list by a second one.
std::wstring filterList(const std::string& filter) {
  std::wstring list = widen(filter);
  for (wchar_t& c : list)
    if (c == L'|') c = L'\0';
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

// The folder part of a full path, without its last separator.
std::wstring folderOf(const std::wstring& path) {
  auto at = path.find_last_of(L"\\/");
  if (at == std::wstring::npos) return {};
  // "C:\" keeps its separator: "C:" alone is that drive's current folder.
  if (at == 2 && path.size() > 1 && path[1] == L':') return path.substr(0, 3);
  return path.substr(0, at);
}

}  // namespace

std::optional<std::string> FileDialogs::openFile(const sys::FileDialogOptions& options) {
  return run(false, options);
}

std::optional<std::string> FileDialogs::saveFile(const sys::FileDialogOptions& options) {
  return run(true, options);
}

std::optional<std::string> FileDialogs::run(bool save, const sys::FileDialogOptions& options) {
  // Long enough for any path the system takes.
  constexpr DWORD kPathChars = 32768;
  std::vector<wchar_t> name(kPathChars, L'\0');
  std::wstring title = widen(options.title), filter = filterList(options.filter);
  std::wstring extension = widen(options.defaultExtension);

  HWND owner = GetActiveWindow();
  if (!owner && fallback_) owner = fallback_();
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = kPathChars;
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_PATHMUSTEXIST;
  if (save && options.confirmOverwrite) ofn.Flags |= OFN_OVERWRITEPROMPT;

  BOOL chosen;
  {
    ModalScope modal(owner);
    chosen = save ? showSaveFileDialog(&ofn) : showOpenFileDialog(&ofn);
  }
  if (!chosen) {
    // Only a dialog closed by the user is a cancel; one the system could
    // not show is a failure the user must hear of.
    if (commonDialogError() != 0) throw base::Error(base::kUnexpectedError);
    return std::nullopt;
  }
  std::wstring path(name.data());
  std::wstring folder = folderOf(path);
  if (!folder.empty()) SetCurrentDirectoryW(folder.c_str());
  return narrow(path);
}

}  // namespace win32
