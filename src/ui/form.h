#pragma once
#include <functional>
#include <memory>

#include "ui/backend.h"
#include "ui/control.h"

namespace ui {

class Application;

enum class BorderStyle { None, ToolWindow, Dialog, Sizeable };
enum class CloseAction { None, Hide, Free };

// A top-level window. Forms are created once by the application and then
// only shown and hidden. Bounds are the outer window rectangle in screen
// coordinates; the client area is what the frame leaves.
class Form : public Control {
 public:
  Form(Application& app, std::string name);
  ~Form() override;

  Application& application() const { return app_; }

  BorderStyle borderStyle() const { return borderStyle_; }
  void setBorderStyle(BorderStyle s);
  bool stayOnTop() const { return stayOnTop_; }
  void setStayOnTop(bool v);
  // A caption bar without the system menu and caption buttons.
  bool systemMenu() const { return systemMenu_; }
  void setSystemMenu(bool v);
  // No surface of its own: where no control covers it, the window shows
  // what lay beneath it when it last appeared, moved or changed size.
  bool seeThrough() const { return seeThrough_; }
  void setSeeThrough(bool v);
  // The form's own surface (every point no windowed control covers) acts
  // as a caption bar: pressing there and dragging moves the window, and
  // the surface gets no mouse events of its own.
  bool movableBySurface() const { return movableBySurface_; }
  void setMovableBySurface(bool v);

  int clientWidth() const;
  int clientHeight() const;
  void setClientWidth(int w);
  void setClientHeight(int h);

  void setVisible(bool v) override;
  // Shows and brings to the front. onShow runs before the window appears.
  void showForm();
  // Shows the form and returns once it is closed; the other forms take no
  // input meanwhile.
  void showModal();
  // Closing: asks onCloseQuery, then onClose decides (hide by default; the
  // main form ends the application).
  void close();
  // The client area as it is drawn, for printing; one too large to hold
  // throws base::Error(sys::kCannotPrint).
  picture::Canvas clientImage();
  // Repaints the invalid parts at once.
  void update();
  void centerOnScreen();

  bool active() const { return active_; }

  std::function<void()> onCreate;
  std::function<void()> onShow;
  std::function<void()> onHide;
  std::function<void()> onActivate;
  std::function<void(bool& canClose)> onCloseQuery;
  std::function<void(CloseAction& action)> onClose;

  // --- backend side ---
  FormPeer* peer() const { return peer_.get(); }
  void attachPeer(std::unique_ptr<FormPeer> p) { peer_ = std::move(p); }
  void detachPeer() { peer_.reset(); }
  // The window was moved or sized by the system (a user drag).
  void boundsChangedBySystem(Rect r);
  void activated();
  void deactivated() { active_ = false; }

  // Mouse input in client coordinates: routed to the control under the
  // pointer, or to the control that holds the mouse while a button is down.
  void dispatchMouseDown(MouseButton b, unsigned shift, int x, int y);
  void dispatchMouseMove(unsigned shift, int x, int y);
  void dispatchMouseUp(MouseButton b, unsigned shift, int x, int y);
  Control* mouseTarget() const { return captured_; }
  // Forgets the control that holds the mouse: the system took the mouse
  // away (a popup menu, a modal box), so its release will not come here.
  void releaseMouse();

  // Called by Control when it or one of its descendants changed.
  void controlChanged(Control& c, Change what, Rect oldBounds);

 private:
  void formChanged(Change what);
  Application& app_;
  std::unique_ptr<FormPeer> peer_;
  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  bool stayOnTop_ = false;
  bool systemMenu_ = true;
  bool seeThrough_ = false;
  bool movableBySurface_ = false;
  bool active_ = false;
  Control* captured_ = nullptr;
};

}  // namespace ui
