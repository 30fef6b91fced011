#pragma once
// Owners for the Win32 handles the backend holds, so that a failing step
// (an exception from a handler, an early return) never leaks one.
#include <windows.h>

#include <string>
#include <utility>

namespace win32 {

// The kinds of handle the program holds. Every one it makes lives in one of
// the owners below, which count them: Wine answers GetGuiResources with 0,
// so these counts are how a test sees a leak.
enum class HandleKind { Window, GdiObject, MemoryDc, WindowDc, Menu, EnhMetafile, Global, Key, Count };

inline int liveHandles[static_cast<int>(HandleKind::Count)] = {};
inline int& liveCount(HandleKind k) { return liveHandles[static_cast<int>(k)]; }
// All GDI objects and device contexts, and all USER objects (windows, menus).
inline int liveGdiHandles() {
  return liveCount(HandleKind::GdiObject) + liveCount(HandleKind::MemoryDc) +
         liveCount(HandleKind::WindowDc) + liveCount(HandleKind::EnhMetafile);
}
inline int liveUserHandles() { return liveCount(HandleKind::Window) + liveCount(HandleKind::Menu); }

// A handle with one way of giving it back. Move-only.
template <class H, class Traits>
class Unique {
 public:
  Unique() = default;
  explicit Unique(H h) : h_(h) {
    if (h_ != H{}) ++liveCount(Traits::kind);
  }
  Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  Unique& operator=(Unique&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, H{});  // still counted once: it only changes owner
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }
  // The handle leaves the owner (the system took it, as the clipboard does).
  H release() {
    if (h_ != H{}) --liveCount(Traits::kind);
    return std::exchange(h_, H{});
  }
  void reset(H h = H{}) {
    if (h_ != H{}) {
      Traits::close(h_);
      --liveCount(Traits::kind);
    }
    h_ = h;
    if (h_ != H{}) ++liveCount(Traits::kind);
  }

 private:
  H h_{};
};

struct WindowTraits {
  static constexpr HandleKind kind = HandleKind::Window;
  static void close(HWND h) { DestroyWindow(h); }
};
struct GdiTraits {
  static constexpr HandleKind kind = HandleKind::GdiObject;
  static void close(HGDIOBJ h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  static constexpr HandleKind kind = HandleKind::MemoryDc;
  static void close(HDC h) { DeleteDC(h); }
};
struct MenuTraits {
  static constexpr HandleKind kind = HandleKind::Menu;
  static void close(HMENU h) { DestroyMenu(h); }
};
struct EnhMetafileTraits {
  static constexpr HandleKind kind = HandleKind::EnhMetafile;
  static void close(HENHMETAFILE h) { DeleteEnhMetaFile(h); }
};
struct GlobalTraits {
  static constexpr HandleKind kind = HandleKind::Global;
  static void close(HGLOBAL h) { GlobalFree(h); }
};
struct KeyTraits {
  static constexpr HandleKind kind = HandleKind::Key;
  static void close(HKEY h) { RegCloseKey(h); }
};

using UniqueWindow = Unique<HWND, WindowTraits>;
using UniqueMemoryDc = Unique<HDC, MemoryDcTraits>;
using UniqueMenu = Unique<HMENU, MenuTraits>;
using UniqueEnhMetafile = Unique<HENHMETAFILE, EnhMetafileTraits>;
using UniqueGlobal = Unique<HGLOBAL, GlobalTraits>;
using UniqueKey = Unique<HKEY, KeyTraits>;

// A GDI object of a given type (HBITMAP, HFONT, HPALETTE, HRGN ...).
template <class T>
using UniqueGdi = Unique<T, GdiTraits>;

// A window's (or, with nullptr, the screen's) device context.
class WindowDc {
 public:
  explicit WindowDc(HWND w) : w_(w), dc_(GetDC(w)) {
    if (dc_) ++liveCount(HandleKind::WindowDc);
  }
  ~WindowDc() {
    if (!dc_) return;
    ReleaseDC(w_, dc_);
    --liveCount(HandleKind::WindowDc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND w_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND w) : w_(w) { dc_ = BeginPaint(w, &ps_); }
  ~PaintScope() { EndPaint(w_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& rect() const { return ps_.rcPaint; }

 private:
  HWND w_;
  HDC dc_;
  PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~Selection() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  // Whether the object was selected.
  explicit operator bool() const { return old_ && old_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The clipboard, open for as long as this lives.
class ClipboardOpen {
 public:
  // Another program may hold it for a moment; by default a few short waits
  // cover that. With attempts 1 a held clipboard fails at once.
  explicit ClipboardOpen(HWND owner, int attempts = 10) {
    for (int i = 0; i < attempts && !open_; ++i) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_ && i + 1 < attempts) Sleep(10);
    }
  }
  ~ClipboardOpen() {
    if (open_) CloseClipboard();
  }
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;
  bool ok() const { return open_; }

 private:
  bool open_ = false;
};

// GlobalLock / GlobalUnlock.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL h) : h_(h), p_(h ? GlobalLock(h) : nullptr) {}
  ~GlobalLockScope() {
    if (p_) GlobalUnlock(h_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* get() const { return p_; }
  SIZE_T size() const { return p_ ? GlobalSize(h_) : 0; }

 private:
  HGLOBAL h_;
  void* p_;
};

// A library of the system's, loaded when first needed: from the system
// folder only, never from the program's own folder, where a file of the
// same name may lie (a portable program sits in Downloads). It stays
// loaded until the process ends: a library let go while a thread it
// started still runs can bring the process down as it ends.
class Library {
 public:
  explicit Library(const wchar_t* name) : m_(load(name)) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  template <class F>
  F function(const char* name) const {
    return m_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_, name))) : nullptr;
  }

 private:
  static HMODULE load(const wchar_t* name) {
    if (HMODULE m = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return m;
    // Windows 7 before its 2011 update does not know the flag: the full
    // path into the system folder then, its own libraries found beside it.
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    wchar_t folder[MAX_PATH];
    UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    std::wstring path(folder, n);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  HMODULE m_;
};

// The object a window was created for (its CreateWindowEx parameter),
// remembered at WM_NCCREATE; null before that and after it is cleared.
template <class T>
T* windowObject(HWND w, UINT msg, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(w, GWLP_USERDATA));
}

}  // namespace win32
