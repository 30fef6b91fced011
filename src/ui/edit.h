#pragma once
#include <functional>
#include <string>

#include "ui/control.h"

namespace ui {

// A one-line text box whose text is its caption.
class Edit : public Control {
 public:
  Edit(Control* parent, std::string name);

  const std::string& text() const { return caption(); }
  void setText(const std::string& t) { setCaption(t); }
  // At most this many characters may be typed; 0 for no limit.
  int maxLength() const { return maxLength_; }
  void setMaxLength(int n);
  // The input method stays closed while the box has the focus.
  bool inputMethodClosed() const { return inputMethodClosed_; }
  void setInputMethodClosed(bool v);

  // Whether the user may leave text in the box.
  virtual bool accepts(const std::string& text) const;
  // The user changed the text to `text`: kept when accepted, else refused.
  bool type(const std::string& text);
  std::function<void()> onChange;

  void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) override;

 private:
  int maxLength_ = 0;
  bool inputMethodClosed_ = false;
};

// An edit for a number of a few digits. An incomplete number is left as
// typed; converting it is what fails.
class MaskedEdit : public Edit {
 public:
  MaskedEdit(Control* parent, std::string name);
  int maxDigits() const { return maxLength(); }
  void setDigits(int required, int maximum);
  bool accepts(const std::string& text) const override;
  bool complete() const { return static_cast<int>(text().size()) >= required_; }

 private:
  int required_ = 0;
};

}  // namespace ui
