#pragma once
#include <windows.h>

#include <commdlg.h>

namespace win32 {

// The common dialogs (comdlg32), loaded when one is first shown rather than
// at start: the library brings in the shell and COM, which the palette
// does not need to appear. Each call answers as the system's function does;
// a library or function that cannot be had is a failure of the program
// (base::Error with the unexpected-error text), never a cancel.
BOOL showOpenFileDialog(OPENFILENAMEW* ofn);
BOOL showSaveFileDialog(OPENFILENAMEW* ofn);
BOOL showPrintDialog(PRINTDLGW* pd);
DWORD commonDialogError();

}  // namespace win32
