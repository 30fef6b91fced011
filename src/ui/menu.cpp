#include "ui/menu.h"

#include "ui/application.h"

namespace ui {

MenuItem::MenuItem(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

MenuItem& MenuItem::add(std::string name, std::string caption) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
  return *items_.back();
}

MenuItem* MenuItem::find(const std::string& name) {
  for (auto& i : items_) {
    if (i->name_ == name) return i.get();
    if (MenuItem* deeper = i->find(name)) return deeper;
  }
  return nullptr;
}

void MenuItem::click() {
  if (enabled_ && onClick) onClick();
}

PopupMenu::PopupMenu(Application& app, std::string name)
    : app_(app), name_(std::move(name)), root_(name_, "") {}

MenuItem& PopupMenu::add(std::string name, std::string caption) {
  return root_.add(std::move(name), std::move(caption));
}

void PopupMenu::choose(MenuItem& item) {
  app_.dispatch([&item] { item.click(); });
}

void PopupMenu::popup(int x, int y) {
  if (onPopup) onPopup();
  // The menu takes the mouse; a button held down now is released there.
  app_.releaseMouse();
  app_.backend().popupMenu(*this, x, y);
}

}  // namespace ui
