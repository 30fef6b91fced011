#include "platform/win32/common_dialogs.h"

#include "platform/win32/handles.h"

namespace win32 {
namespace {

const Library& comdlg32() {
  static const Library library(L"comdlg32.dll");
  return library;
}

template <class F>
F entry(const char* name) {
  return comdlg32().function<F>(name);
}

}  // namespace

BOOL showOpenFileDialog(OPENFILENAMEW* ofn) {
  auto f = entry<BOOL(WINAPI*)(OPENFILENAMEW*)>("GetOpenFileNameW");
  return f ? f(ofn) : FALSE;
}

BOOL showSaveFileDialog(OPENFILENAMEW* ofn) {
  auto f = entry<BOOL(WINAPI*)(OPENFILENAMEW*)>("GetSaveFileNameW");
  return f ? f(ofn) : FALSE;
}

BOOL showPrintDialog(PRINTDLGW* pd) {
  auto f = entry<BOOL(WINAPI*)(PRINTDLGW*)>("PrintDlgW");
  return f ? f(pd) : FALSE;
}

DWORD commonDialogError() {
  auto f = entry<DWORD(WINAPI*)()>("CommDlgExtendedError");
  return f ? f() : CDERR_INITIALIZATION;
}

}  // namespace win32
