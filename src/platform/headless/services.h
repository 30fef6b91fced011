#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/backend.h"
#include "platform/headless/ini_profile.h"
#include "system/services.h"

namespace headless {

// The registry's current-user tree in memory. Key paths are compared
// without case and without a leading backslash.
class Registry : public sys::Registry {
 public:
  Key open(const std::string& path, bool create) override;
  void close(Key k) override;
  std::optional<Value> query(Key k, const std::string& name) override;
  bool set(Key k, const std::string& name, const Value& v) override;

  // --- for tests ---
  bool exists(const std::string& path) const;
  std::optional<Value> value(const std::string& path, const std::string& name) const;
  void put(const std::string& path, const std::string& name, const Value& v);
  // Writing a value of this name fails.
  std::set<std::string> failingWrites;
  // The names written, in order.
  std::vector<std::string> writeLog;
  int openKeys() const { return static_cast<int>(open_.size()); }

 private:
  static std::string norm(const std::string& s);
  std::map<std::string, std::map<std::string, Value>> keys_;
  std::map<Key, std::string> open_;
  Key next_ = 1;
};

// The clipboard: a bitmap and a text, and who put them there.
class Clipboard : public sys::Clipboard {
 public:
  bool hasBitmap() override;
  std::uint32_t changeCount() override { return noChangeCount ? 0 : changes_; }
  std::optional<picture::Bitmap> takeBitmap() override;
  picture::Bitmap bitmap() override;
  void setBitmap(const picture::Bitmap& b) override;
  void clear() override;

  // --- for tests ---
  // Another program puts a bitmap (with a text, if one is given), or a
  // text, on the clipboard, replacing what was there.
  void putFromOtherProgram(const picture::Bitmap& b, const std::string& text = "");
  void putTextFromOtherProgram(const std::string& text);
  const std::string& text() const { return text_; }
  std::string owner;
  // Another program has the clipboard open: opening it fails.
  bool heldByOtherProgram = false;
  // The bitmap on the clipboard cannot be read; emptying fails.
  bool unreadableBitmap = false;
  // The bitmap on the clipboard is larger than a picture may be: taking it
  // or reading it fails as making so large a bitmap does.
  bool oversizedBitmap = false;
  bool failingEmpty = false;
  // Runs at every take of a bitmap that is there: a test may make it fail.
  std::function<void()> onTake;
  // The system tells no change count (0), as where the program may not
  // use the clipboard.
  bool noChangeCount = false;
  // What the program asked: format queries, and openings of the clipboard.
  int formatQueries = 0;
  int opens = 0;

 private:
  bool open();
  picture::Bitmap bitmap_;
  std::string text_;
  std::uint32_t changes_ = 0;
};

// A screen that is a bitmap the test paints. Every copy is recorded with
// what of the program was on the screen at that moment.
class Screen : public sys::Screen {
 public:
  Screen(int width, int height);
  int width() override;
  int height() override;
  std::vector<sys::Monitor> monitors() override;
  picture::Bitmap copy(picture::Rect r) override;
  picture::Bitmap copyWithoutSettling(picture::Rect r) override;
  picture::Bitmap image;  // 32 bpp: what the desktop shows
  // Where the image's top-left pixel lies on the screen: left of or above
  // the primary monitor when a monitor stands there.
  int imageLeft = 0, imageTop = 0;
  // The monitors, the primary one first; none stands for one monitor of
  // the image's size at 96 DPI.
  std::vector<sys::Monitor> monitorList;

  struct Copy {
    picture::Rect rect;
    std::vector<std::string> visibleForms;  // names of the program's forms shown
    bool applicationWindowVisible = false;
    std::int64_t atMs = 0;  // on the virtual clock
    bool settled = true;    // the screen was given time to settle first
  };
  std::vector<Copy> copies;
  // Runs at every copy, after it is recorded: a test may make it fail.
  std::function<void(const picture::Rect&)> onCopy;
  // The system cannot copy the screen (no bitmap, or the copy fails): a
  // copy fails as it then does on Windows.
  bool failing = false;
  // The windowing system whose windows the copies look for (the platform's).
  const Backend* windows = nullptr;
};

// Message boxes that answer from a script and record what they showed.
class MessageBoxes : public sys::MessageBoxes {
 public:
  struct Shown {
    std::string text, caption;
    sys::MsgIcon icon;
    sys::MsgButtons buttons;
  };
  sys::MsgResult show(const std::string& text, const std::string& caption, sys::MsgIcon icon,
                      sys::MsgButtons buttons) override;
  std::deque<sys::MsgResult> answers;  // an unscripted box answers None
  std::vector<Shown> shown;
  std::function<void(const Shown&)> onShow;
};

class Files : public sys::Files {
 public:
  std::string executablePath() override { return exePath; }
  std::string currentDirectory() override { return currentDir; }
  std::string temporaryDirectory() override { return tempDir; }
  std::string exePath = "/tmp/mirune/mirune.exe";
  std::string currentDir = "/tmp/mirune";
  // $TMPDIR, or /tmp, with its separator at the end.
  std::string tempDir = userTemporaryDirectory();
  static std::string userTemporaryDirectory();
};

// File dialogs that answer from a script and record what they were asked.
// A chosen file moves the current folder, as the system's dialogs do.
class FileDialogs : public sys::FileDialogs {
 public:
  explicit FileDialogs(Files& files) : files_(files) {}
  std::optional<std::string> openFile(const sys::FileDialogOptions& options) override;
  std::optional<std::string> saveFile(const sys::FileDialogOptions& options) override;

  // --- for tests ---
  // What the user does at each dialog in turn: the path typed, or nothing
  // to cancel.
  std::deque<std::optional<std::string>> answers;
  struct Asked {
    bool save = false;
    sys::FileDialogOptions options;
  };
  std::vector<Asked> asked;
  // A save dialog that asks before replacing: the files it asked about,
  // and whether the user agrees (if not, the dialog takes the next answer).
  std::vector<std::string> overwritePrompts;
  bool acceptOverwrite = true;

 private:
  std::optional<std::string> run(bool save, const sys::FileDialogOptions& options);
  Files& files_;
};

// A printer whose page the test sets; each job is recorded.
class Printer : public sys::Printer {
 public:
  std::optional<sys::PrinterPage> choose() override;
  void print(const picture::Canvas& image, picture::Rect dest) override;
  void release() override { held = false; }
  int displayPixelsPerInchX() override { return displayDpiX; }
  int displayPixelsPerInchY() override { return displayDpiY; }

  // --- for tests ---
  enum class Step { None, Dialog, StartDoc, StartPage, Draw, EndPage, EndDoc };
  sys::PrinterPage page{4800, 6600, 600, 600};
  // The display's logical pixels per inch, across and down.
  int displayDpiX = 96, displayDpiY = 96;
  // The user's answer to the print dialog.
  bool confirm = true;
  // This step fails (the dialog: it cannot be shown).
  Step failAt = Step::None;
  // Runs while the dialog is up.
  std::function<void()> onDialog;
  int dialogsShown = 0;
  // A printer chosen and not let go yet.
  bool held = false;
  struct Job {
    picture::Bitmap image;  // empty unless keepImages
    int imageWidth = 0, imageHeight = 0;
    picture::Rect dest;
    bool printed = false;  // ended with its page; otherwise aborted
  };
  std::vector<Job> jobs;
  bool keepImages = true;
};

// Opens and starts nothing: records what the program asked for.
class Shell : public sys::Shell {
 public:
  void openFile(const std::string& path) override { opened.push_back(path); }
  bool startProgram(const std::string& commandLine) override;

  // --- for tests ---
  std::vector<std::string> opened;
  // Every command line the program tried to start, whether it started or not.
  std::vector<std::string> commandLines;
  // Starting fails, as for a program that is not there. An empty command
  // line fails always, as it does on Windows.
  bool failingStarts = false;
};

// PNG through libpng.
class PngCodec : public sys::PngCodec {
 public:
  picture::Bitmap decode(const std::vector<std::uint8_t>& bytes) override;
  std::vector<std::uint8_t> encode(const picture::Bitmap& b) override;
};

// Everything of the headless platform in one place.
struct Platform {
  explicit Platform(int screenWidth = 1024, int screenHeight = 768);
  Backend backend;
  Screen screen;
  Clipboard clipboard;
  Registry registry;
  IniProfile profile;
  MessageBoxes messages;
  Files files;
  FileDialogs fileDialogs{files};
  Printer printer;
  Shell shell;
  PngCodec png;
  sys::Services services();
};

}  // namespace headless
