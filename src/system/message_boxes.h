#pragma once
#include <string>

namespace sys {

enum class MsgIcon { None, Information, Warning, Error, Confirmation };
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgResult { None, OK, Cancel, Yes, No };

// Modal message boxes.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MsgResult show(const std::string& text, const std::string& caption, MsgIcon icon,
                         MsgButtons buttons) = 0;
};

}  // namespace sys
