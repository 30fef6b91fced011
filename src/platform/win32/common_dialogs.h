#pragma once
#include <windows.h>

#include <commdlg.h>

namespace win32 {

// The common dialogs (comdlg32), loaded when one is first shown rather than
// at start: the library brings in the shell and COM, which the palette
// does not need to appear. Each call answers as the system's function does;
// if the library cannot be loaded, the dialog calls fail and
// commonDialogError() says CDERR_INITIALIZATION.
BOOL showOpenFileDialog(OPENFILENAMEW* ofn);
BOOL showSaveFileDialog(OPENFILENAMEW* ofn);
BOOL showPrintDialog(PRINTDLGW* pd);
DWORD commonDialogError();

}  // namespace win32
