#pragma once
#include <functional>
#include <memory>

#include "ui/backend.h"
#include "ui/control.h"

namespace ui {

class Application;

enum class BorderStyle { None, ToolWindow, Dialog, Sizeable };
enum class CloseAction { None, Hide, Free };

// A top-level window, made once by the application and then only shown and
// hidden. Its bounds are in device pixels; its controls and client size are in
// the design's 96-DPI pixels unless it lays itself out in device pixels.
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
  // The form's own surface acts as a caption bar and gets no mouse events.
  bool movableBySurface() const { return movableBySurface_; }
  void setMovableBySurface(bool v);

  int clientWidth() const;
  int clientHeight() const;
  void setClientWidth(int w);
  void setClientHeight(int h);

  // The DPI of the monitor the window stands on.
  int dpi() const { return dpi_; }
  bool devicePixelLayout() const { return devicePixelLayout_; }
  void setDevicePixelLayout(bool v) { devicePixelLayout_ = v; }
  // A length of the design at this form's DPI.
  int scaled(int designLength) const;
  // A rectangle of the client area (form coordinates) in device pixels.
  Rect toDevice(Rect r) const;
  // The form coordinate whose pixels hold the device coordinate v.
  int fromDevice(int v) const;
  // Where a control lies in the client area, in device pixels.
  Rect deviceBounds(const Control& c) const;
  // The client area's size in device pixels.
  int deviceClientWidth() const;
  int deviceClientHeight() const;
  // A point of the client area (form coordinates) on the screen.
  Point clientToScreen(int x, int y) const;
  // The client area's size in device pixels on a monitor of another DPI,
  // with the same layout: the window's size there is this and its frame.
  virtual Rect clientAreaAtDpi(int dpi) const;
  // A window kept from a desk with another monitor may stand on none; it
  // comes back onto the primary monitor.
  void bringBackIfLost();

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
  // The window went to a monitor of another DPI (dpi() is the new one).
  std::function<void()> onDpiChange;

  // --- backend side ---
  FormPeer* peer() const { return peer_.get(); }
  void attachPeer(std::unique_ptr<FormPeer> p) { peer_ = std::move(p); }
  void detachPeer() { peer_.reset(); }
  // The window was moved or sized by the system (a user drag).
  void boundsChangedBySystem(Rect r);
  // The window stands on a monitor of another DPI now.
  void dpiChangedBySystem(int dpi, Rect suggested);
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
  bool devicePixelLayout_ = false;
  bool active_ = false;
  int dpi_;
  Control* captured_ = nullptr;
};

}  // namespace ui
