#pragma once
#include <array>
#include <string>

#include "app_fixture.h"
#include "camera/camera_box.h"
#include "shell/program.h"

// The program started, with its camera box at hand.
class CameraBoxFixture : public AppTest {
 protected:
  void start() {
    forms = shell::startUp(app, services, settings);
    app.run();
    box = forms.cameraBox;
  }
  // The user picks an item of a menu; the photo's menu unless told.
  void choose(ui::MenuItem& item) { choose(box->menus().command, item); }
  void choose(ui::PopupMenu& menu, ui::MenuItem& item) {
    platform.backend.menuScript = [&item](ui::PopupMenu&) { return &item; };
    menu.popup(0, 0);
    platform.backend.menuScript = nullptr;
  }
  // Which handles (left, top, right, bottom) and corner marks (top left,
  // top right, bottom left, bottom right) are out, as "1111|0000".
  std::string shown() const {
    std::string s;
    for (const auto& h : box->look().handles.items) s += h.shown ? '1' : '0';
    s += '|';
    for (const auto& m : box->look().marks.items) s += m.shown ? '1' : '0';
    return s;
  }
  // The handles' and the marks' bounds, in the same orders.
  using Rects = std::array<ui::Rect, 4>;
  template <class Looks>
  static Rects boundsOf(const Looks& looks) {
    Rects r;
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = looks.items[i].bounds;
    return r;
  }
  Rects handleBounds() const { return boundsOf(box->look().handles); }
  Rects markBounds() const { return boundsOf(box->look().marks); }
  camera::CameraBox* box = nullptr;
};
