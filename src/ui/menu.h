#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class Application;

// A menu item; one with items of its own is a submenu, whose handler runs
// when the submenu opens.
class MenuItem {
 public:
  MenuItem(std::string name, std::string caption);
  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& c) { caption_ = c; }
  bool checked() const { return checked_; }
  void setChecked(bool v) { checked_ = v; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool v) { enabled_ = v; }
  bool visible() const { return visible_; }
  void setVisible(bool v) { visible_ = v; }
  bool isSeparator() const { return caption_ == "-"; }

  MenuItem& add(std::string name, std::string caption);
  const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
  bool hasSubmenu() const { return !items_.empty(); }
  MenuItem* find(const std::string& name);

  std::function<void()> onClick;
  // Chosen by the user (or its submenu opened): runs onClick.
  void click();

 private:
  std::string name_, caption_;
  bool checked_ = false, enabled_ = true, visible_ = true;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

class PopupMenu {
 public:
  PopupMenu(Application& app, std::string name);
  const std::string& name() const { return name_; }
  MenuItem& add(std::string name, std::string caption);
  const std::vector<std::unique_ptr<MenuItem>>& items() const { return root_.items(); }
  MenuItem* find(const std::string& name) { return root_.find(name); }
  std::function<void()> onPopup;
  // Opens at screen coordinates; returns when the menu has closed.
  void popup(int x, int y);
  // The user chose item (or opened its submenu): its handler runs as every
  // handler does, a failure ending in the error box.
  void choose(MenuItem& item);

 private:
  Application& app_;
  std::string name_;
  MenuItem root_;
};

}  // namespace ui
