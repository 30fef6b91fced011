#include "platform/win32/common_dialogs.h"

#include "base/error.h"
#include "platform/win32/handles.h"

namespace win32 {
namespace {

const Library& comdlg32() {
  static const Library library(L"comdlg32.dll");
  return library;
}

template <class F>
F entry(const char* name) {
  F f = comdlg32().function<F>(name);
  if (!f) throw base::Error(base::kUnexpectedError);
  return f;
}

}  // namespace

BOOL showOpenFileDialog(OPENFILENAMEW* ofn) {
  return entry<BOOL(WINAPI*)(OPENFILENAMEW*)>("GetOpenFileNameW")(ofn);
}

BOOL showSaveFileDialog(OPENFILENAMEW* ofn) {
  return entry<BOOL(WINAPI*)(OPENFILENAMEW*)>("GetSaveFileNameW")(ofn);
}

BOOL showPrintDialog(PRINTDLGW* pd) { return entry<BOOL(WINAPI*)(PRINTDLGW*)>("PrintDlgW")(pd); }

DWORD commonDialogError() { return entry<DWORD(WINAPI*)()>("CommDlgExtendedError")(); }

}  // namespace win32
