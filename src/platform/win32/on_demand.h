#pragma once
#include <windows.h>

#include <objidl.h>

namespace win32 {

// The shell (shell32), COM (ole32) and the common controls (comctl32),
// loaded when first used rather than at start, as the common dialogs are:
// the palette needs none of them to appear. Each call answers as the
// system's function does; if its library cannot be loaded, it fails
// (FALSE, or E_FAIL).
BOOL openWithShell(HWND owner, const wchar_t* file);
// The common controls' window classes (tooltips, track bars, and the
// buttons and edits of the manifest's version), registered once before the
// first of them is made; false when they cannot be.
bool loadCommonControls();
HRESULT startCom();
void stopCom();
HRESULT createComObject(REFCLSID clsid, REFIID iid, void** object);
// A stream over memory of its own (CreateStreamOnHGlobal), and that memory.
HRESULT createMemoryStream(IStream** stream);
HRESULT memoryOfStream(IStream* stream, HGLOBAL* memory);

}  // namespace win32
