#include "ui/edit.h"

#include <algorithm>

#include "ui/draw.h"
#include "ui/painter.h"

namespace ui {

Edit::Edit(Control* parent, std::string name) : Control(parent, std::move(name)) { setColor(clWhite); }

void Edit::setMaxLength(int n) { setProperty(maxLength_, std::max(0, n), Change::Appearance); }

void Edit::setInputMethodClosed(bool v) { setProperty(inputMethodClosed_, v, Change::Appearance); }

bool Edit::accepts(const std::string& text) const {
  if (maxLength_ == 0) return true;
  // Characters, not bytes: UTF-8 continuation bytes do not count.
  int chars = static_cast<int>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  return chars <= maxLength_;
}

bool Edit::type(const std::string& text) {
  if (!accepts(text)) return false;
  if (text == this->text()) return true;
  setText(text);
  if (onChange) onChange();
  return true;
}

void Edit::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  draw::sunkenBox(c, r, enabled() ? color() : clBtnFace, painter.scaled(1));
  if (text().empty()) return;
  auto size = painter.measureText(font(), text());
  painter.drawText(c, font(), text(), r.left + painter.scaled(4), r.top + (r.height - size.height) / 2,
                   font().color);
}

MaskedEdit::MaskedEdit(Control* parent, std::string name) : Edit(parent, std::move(name)) {
  setInputMethodClosed(true);
}

void MaskedEdit::setDigits(int required, int maximum) {
  required_ = std::clamp(required, 0, maximum);
  setMaxLength(maximum);
}

bool MaskedEdit::accepts(const std::string& text) const {
  if (static_cast<int>(text.size()) > maxDigits()) return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace ui
