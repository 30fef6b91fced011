#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/types.h"

namespace picture {
class Canvas;
}

namespace ui {

class Form;
class Painter;
class PopupMenu;

// A control of the retained model: plain properties and event slots.
// Setting a property to the value it has does nothing; any real change is
// reported to the owning form, whose backend peer mirrors it on the screen.
class Control {
 public:
  Control(Control* parent, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  Control* parent() const { return parent_; }
  Form* form();
  const Form* form() const;
  const std::vector<Control*>& children() const { return children_; }

  int left() const { return bounds_.left; }
  int top() const { return bounds_.top; }
  int width() const { return bounds_.width; }
  int height() const { return bounds_.height; }
  Rect bounds() const { return bounds_; }
  void setLeft(int v) { setBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
  void setTop(int v) { setBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
  void setWidth(int v) { setBounds({bounds_.left, bounds_.top, v, bounds_.height}); }
  void setHeight(int v) { setBounds({bounds_.left, bounds_.top, bounds_.width, v}); }
  virtual void setBounds(Rect r);
  // Position of the control's top-left corner in its form's client area.
  int formLeft() const;
  int formTop() const;

  bool visible() const { return visible_; }
  virtual void setVisible(bool v);
  void show() { setVisible(true); }
  void hide() { setVisible(false); }
  // Visible itself and every parent up to (not including) the form.
  bool showing() const;

  bool enabled() const { return enabled_; }
  void setEnabled(bool v);
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& v);
  Color color() const { return color_; }
  void setColor(Color v);
  const Font& font() const { return font_; }
  void setFont(const Font& f);
  void setFontColor(Color c);
  const std::string& hint() const { return hint_; }
  void setHint(const std::string& v);
  bool showHint() const { return showHint_; }
  void setShowHint(bool v);
  Cursor cursor() const { return cursor_; }
  void setCursor(Cursor c);
  PopupMenu* popupMenu() const { return popupMenu_; }
  void setPopupMenu(PopupMenu* m) { popupMenu_ = m; }

  // Draws the control itself (not its children) into r of the canvas,
  // whose clip is already set to the visible part, clip.
  virtual void paint(picture::Canvas& canvas, Rect r, Rect clip, Painter& painter) {
    (void)canvas, (void)r, (void)clip, (void)painter;
  }

  std::function<void()> onClick;
  std::function<void(MouseButton, unsigned shift, int x, int y)> onMouseDown;
  std::function<void(unsigned shift, int x, int y)> onMouseMove;
  std::function<void(MouseButton, unsigned shift, int x, int y)> onMouseUp;

  // Input, as the backend (or a test acting as the user) delivers it;
  // coordinates are relative to this control.
  virtual void mouseDown(MouseButton b, unsigned shift, int x, int y);
  virtual void mouseMove(unsigned shift, int x, int y);
  virtual void mouseUp(MouseButton b, unsigned shift, int x, int y);
  // A complete left click: press and release inside the control.
  void click();

  // The deepest visible child at (x, y) in this control's coordinates.
  Control* childAt(int x, int y);

 protected:
  void changed(Change what, Rect oldBounds);
  void changed(Change what) { changed(what, bounds_); }
  // The setters' rule: a value the property already has changes nothing;
  // any other is stored and reported.
  template <class T>
  void setProperty(T& field, const T& value, Change what) {
    if (field == value) return;
    field = value;
    changed(what);
  }

 private:
  friend class Form;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  Rect bounds_{};
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  Color color_ = clBtnFace;
  Font font_;
  std::string hint_;
  bool showHint_ = false;
  Cursor cursor_ = Cursor::Default;
  PopupMenu* popupMenu_ = nullptr;
};

// Calls visit for every control below root, in the order they were made:
// a control before its own children, its children before its next sibling.
void forEachDescendant(Control& root, const std::function<void(Control&)>& visit);

}  // namespace ui
