#include "ui/radio_group.h"

#include <algorithm>

#include "ui/draw.h"
#include "ui/painter.h"

namespace ui {

namespace {
// The frame's caption band on top and the margins inside the frame.
constexpr int kTopBand = 12, kMargin = 8, kBottom = 4;
}  // namespace

RadioGroup::RadioGroup(Control* parent, std::string name) : Control(parent, std::move(name)) {}

RadioGroup::~RadioGroup() {
  // The buttons leave the tree before the group does.
  buttons_.clear();
}

void RadioGroup::setItems(const std::vector<std::string>& items) {
  int keep = itemIndex();
  buttons_.clear();
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto b = std::make_unique<RadioButton>(this, name() + "Item" + std::to_string(i));
    b->setCaption(items[i]);
    buttons_.push_back(std::move(b));
  }
  layOut();
  setItemIndex(keep);
  changed(Change::Appearance);
}

void RadioGroup::setColumns(int n) {
  n = std::max(1, n);
  if (n == columns_) return;
  columns_ = n;
  layOut();
}

int RadioGroup::itemIndex() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->checked()) return static_cast<int>(i);
  return -1;
}

void RadioGroup::setItemIndex(int i) {
  if (i >= 0 && i < itemCount()) {
    buttons_[i]->setChecked(true);
    return;
  }
  for (auto& b : buttons_) b->setChecked(false);
}

void RadioGroup::setBounds(Rect r) {
  Control::setBounds(r);
  layOut();
}

void RadioGroup::layOut() {
  if (buttons_.empty()) return;
  int rows = (itemCount() + columns_ - 1) / columns_;
  int innerWidth = std::max(0, width() - 2 * kMargin);
  int innerHeight = std::max(0, height() - kTopBand - kBottom);
  int columnWidth = innerWidth / columns_;
  int rowHeight = std::max(1, innerHeight / rows);
  for (int i = 0; i < itemCount(); ++i) {
    int column = i / rows, row = i % rows;
    buttons_[i]->setBounds({kMargin + column * columnWidth, kTopBand + row * rowHeight - 2, columnWidth,
                            std::min(rowHeight, 17)});
  }
}

void RadioGroup::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (color() != clNone) c.fillRect(r, color());
  int band = painter.scaled(6);
  draw::etchedFrame(c, {r.left, r.top + band, r.width, r.height - band}, painter.scaled(1));
  if (caption().empty()) return;
  auto size = painter.measureText(font(), caption());
  c.fillRect({r.left + painter.scaled(8), r.top, size.width + painter.scaled(4), size.height},
             color() != clNone ? color() : clBtnFace);
  painter.drawText(c, font(), caption(), r.left + painter.scaled(10), r.top, font().color);
}

}  // namespace ui
