#pragma once
#include <cstdint>
#include <optional>

#include "picture/bitmap.h"

namespace sys {

// Failures of the clipboard, in the program's words.
inline constexpr const char* kCannotOpenClipboard = "クリップボードを開けません";
inline constexpr const char* kCannotWriteClipboard = "クリップボードに書き込めません";
inline constexpr const char* kCannotEmptyClipboard = "クリップボードを空にできません";

// The system clipboard's bitmap format (with its palette). Every failure
// but "another program holds the clipboard open" for a take throws
// base::Error in the words above (or the picture layer's, for a bitmap
// that cannot be read).
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Whether a bitmap is on the clipboard: a format query that does not
  // open the clipboard.
  virtual bool hasBitmap() = 0;
  // A number that changes whenever the clipboard's contents change; asking
  // does not open the clipboard.
  virtual std::uint32_t changeCount() = 0;
  // Takes the bitmap, with its palette, off the clipboard and empties the
  // clipboard (every format goes), in one opening. Nothing, with the
  // clipboard left as it is, while another program holds it open or when
  // it holds no bitmap. A bitmap that cannot be read stays on the clipboard
  // and throws.
  virtual std::optional<picture::Bitmap> takeBitmap() = 0;
  // A copy of the bitmap, left on the clipboard; an empty bitmap when
  // there is none.
  virtual picture::Bitmap bitmap() = 0;
  // Replaces what the clipboard holds with b (an empty b empties it).
  virtual void setBitmap(const picture::Bitmap& b) = 0;
  virtual void clear() = 0;
};

}  // namespace sys
