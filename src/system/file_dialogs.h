#pragma once
#include <optional>
#include <string>

namespace sys {

// What a file dialog shows: its title, its filters as the pairs of a
// description and a pattern joined by '|' ("Bitmapﾌｧｲﾙ（ .bmp）|*.bmp"),
// and the extension added to a name typed without one (no dot).
struct FileDialogOptions {
  std::string title;
  std::string filter;
  std::string defaultExtension;
  // Save only: ask before replacing a file that exists.
  bool confirmOverwrite = false;
};

// The system's open and save dialogs, modal. A chosen file also becomes
// where the process's current folder is: a bare file name used later is
// found in that file's folder.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The full path of the file chosen, or nothing when the user cancels; a
  // dialog the system cannot show fails with base::Error.
  virtual std::optional<std::string> openFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> saveFile(const FileDialogOptions& options) = 0;
};

}  // namespace sys
