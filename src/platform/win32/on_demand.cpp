#include "platform/win32/on_demand.h"

#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/handles.h"

namespace win32 {
namespace {

const Library& shell32() {
  static const Library library(L"shell32.dll");
  return library;
}

const Library& ole32() {
  static const Library library(L"ole32.dll");
  return library;
}

const Library& comctl32() {
  static const Library library(L"comctl32.dll");
  return library;
}

}  // namespace

bool loadCommonControls() {
  static const bool loaded = [] {
    auto f = comctl32().function<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    return f && f(&icc) != FALSE;
  }();
  return loaded;
}

BOOL openWithShell(HWND owner, const wchar_t* file) {
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  auto f = shell32().function<ShellExecuteFn>("ShellExecuteW");
  if (!f) return FALSE;
  // The result is not examined: what the shell makes of the file is its own affair.
  f(owner, L"open", file, nullptr, nullptr, SW_SHOW);
  return TRUE;
}

HRESULT startCom() {
  auto f = ole32().function<HRESULT(WINAPI*)(LPVOID, DWORD)>("CoInitializeEx");
  return f ? f(nullptr, COINIT_APARTMENTTHREADED) : E_FAIL;
}

void stopCom() {
  auto f = ole32().function<void(WINAPI*)()>("CoUninitialize");
  if (f) f();
}

HRESULT createComObject(REFCLSID clsid, REFIID iid, void** object) {
  using CreateFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
  auto f = ole32().function<CreateFn>("CoCreateInstance");
  return f ? f(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object) : E_FAIL;
}

HRESULT createMemoryStream(IStream** stream) {
  auto f = ole32().function<HRESULT(WINAPI*)(HGLOBAL, BOOL, LPSTREAM*)>("CreateStreamOnHGlobal");
  return f ? f(nullptr, TRUE, stream) : E_FAIL;
}

HRESULT memoryOfStream(IStream* stream, HGLOBAL* memory) {
  auto f = ole32().function<HRESULT(WINAPI*)(LPSTREAM, HGLOBAL*)>("GetHGlobalFromStream");
  return f ? f(stream, memory) : E_FAIL;
}

}  // namespace win32
