#pragma once
#include <windows.h>

#include <functional>
#include <set>

#include "platform/win32/common_dialogs.h"
#include "platform/win32/handles.h"
#include "system/services.h"

struct IWICImagingFactory;

namespace win32 {

// HKEY_CURRENT_USER through the W API. A leading backslash in a path means
// "from the root", as the class library reads it.
class Registry : public sys::Registry {
 public:
  Registry() = default;
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;
  ~Registry() override;
  Key open(const std::string& path, bool create) override;
  void close(Key k) override;
  std::optional<Value> query(Key k, const std::string& name) override;
  bool set(Key k, const std::string& name, const Value& v) override;

 private:
  std::set<HKEY> open_;
};

// The system's private-profile functions.
class Profile : public sys::Profile {
 public:
  std::string readString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& def, std::size_t maxChars) override;
  bool writeString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

// The clipboard's bitmap. It is read as a packed DIB where offered, since the
// system then converts a CF_BITMAP with its palette; it is written as CF_DIB
// (plus CF_PALETTE), so every reader finds CF_BITMAP as well.
class Clipboard : public sys::Clipboard {
 public:
  // owner: the window that will own what we put there (a window is needed
  // for SetClipboardData to succeed).
  explicit Clipboard(std::function<HWND()> owner) : owner_(std::move(owner)) {}
  bool hasBitmap() override;
  std::uint32_t changeCount() override;
  std::optional<picture::Bitmap> takeBitmap() override;
  picture::Bitmap bitmap() override;
  void setBitmap(const picture::Bitmap& b) override;
  void clear() override;

 private:
  HWND owner() const { return owner_ ? owner_() : nullptr; }
  std::function<HWND()> owner_;
};

// The pixels of r on a device context (the screen's, for a shot).
picture::Bitmap copyDeviceContext(HDC source, picture::Rect r);

// GetDC(NULL) + BitBlt, after the compositor has caught up.
class Screen : public sys::Screen {
 public:
  Screen();
  int width() override;
  int height() override;
  std::vector<sys::Monitor> monitors() override;
  picture::Bitmap copy(picture::Rect r) override;
  picture::Bitmap copyWithoutSettling(picture::Rect r) override;

 private:
  void waitForCompositor();
  Library dwm_;
};

// MessageBoxW, modal over every window of ours as the class library's is.
class MessageBoxes : public sys::MessageBoxes {
 public:
  explicit MessageBoxes(std::function<HWND()> fallbackOwner) : fallback_(std::move(fallbackOwner)) {}
  sys::MsgResult show(const std::string& text, const std::string& caption, sys::MsgIcon icon,
                      sys::MsgButtons buttons) override;

 private:
  std::function<HWND()> fallback_;
};

// The common open and save dialogs, modal over every window of ours. The
// chosen file's folder is made current here, since the dialogs do not move it
// everywhere.
class FileDialogs : public sys::FileDialogs {
 public:
  explicit FileDialogs(std::function<HWND()> fallbackOwner) : fallback_(std::move(fallbackOwner)) {}
  std::optional<std::string> openFile(const sys::FileDialogOptions& options) override;
  std::optional<std::string> saveFile(const sys::FileDialogOptions& options) override;

 private:
  std::optional<std::string> run(bool save, const sys::FileDialogOptions& options);
  std::function<HWND()> fallback_;
};

// Printing through PrintDlgW. An owner off every monitor gives way to the
// application window, because a dialog is placed by its owner and the negative
// sheet prints from below the screen.
class Printer : public sys::Printer {
 public:
  // The print dialog itself: the system's, or a test's stand-in.
  using Dialog = BOOL (*)(PRINTDLGW*);
  explicit Printer(std::function<HWND()> applicationWindow, Dialog dialog = showPrintDialog)
      : applicationWindow_(std::move(applicationWindow)), dialog_(dialog) {}
  std::optional<sys::PrinterPage> choose() override;
  void print(const picture::Canvas& image, picture::Rect dest) override;
  void release() override { dc_.reset(); }
  int displayPixelsPerInchX() override;
  int displayPixelsPerInchY() override;

 private:
  std::function<HWND()> applicationWindow_;
  Dialog dialog_;
  UniqueMemoryDc dc_;
  // The printer and its settings as last chosen.
  UniqueGlobal devMode_, devNames_;
};

// ShellExecuteW "open" and CreateProcessW. A file opens owned by the
// window the owner function gives (the negative sheet's), if any.
class Shell : public sys::Shell {
 public:
  explicit Shell(std::function<HWND()> owner) : owner_(std::move(owner)) {}
  void openFile(const std::string& path) override;
  bool startProgram(const std::string& commandLine) override;

 private:
  std::function<HWND()> owner_;
};

class Clock : public sys::Clock {
 public:
  std::int64_t nowMs() override;
  void sleep(int ms) override;
  std::string timeOfDay() override;
  std::string plainTimeOfDay() override;
};

class Files : public sys::Files {
 public:
  std::string executablePath() override;
  std::string currentDirectory() override;
  std::string temporaryDirectory() override;
};

// PNG through the Windows Imaging Component (windowscodecs, a part of the
// system). COM is started on the thread of the first call, which must be
// the user-interface thread, and stopped when this object goes.
class PngCodec : public sys::PngCodec {
 public:
  PngCodec() = default;
  PngCodec(const PngCodec&) = delete;
  PngCodec& operator=(const PngCodec&) = delete;
  ~PngCodec() override;
  picture::Bitmap decode(const std::vector<std::uint8_t>& bytes) override;
  std::vector<std::uint8_t> encode(const picture::Bitmap& b) override;

 private:
  IWICImagingFactory* factory();
  IWICImagingFactory* factory_ = nullptr;
  bool comTried_ = false, comStarted_ = false;
};

}  // namespace win32
