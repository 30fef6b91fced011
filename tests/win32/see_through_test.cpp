// Windowed panels and see-through forms under a real message loop: the
// child windows, the hit test that makes the surface a caption, the mouse
// capture of a pressed panel, and the copy of what lies beneath.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "platform/win32/backend.h"
#include "platform/win32/form_window.h"
#include "platform/win32/services.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace {

using wintest::Fixture;

// A camera-box-like form: see-through, moved by its surface, one windowed
// panel with an image in it and one plain panel.
struct SeeThroughForm : ui::Form {
  ui::Panel handle{this, "handle"};
  ui::Image inner{&handle, "inner"};
  ui::Panel mark{this, "mark"};
  explicit SeeThroughForm(ui::Application& app) : ui::Form(app, "seeThrough") {
    setBorderStyle(ui::BorderStyle::None);
    setStayOnTop(true);
    setColor(ui::clNone);
    setSeeThrough(true);
    setMovableBySurface(true);
    setBounds({200, 200, 100, 80});
    handle.setWindowed(true);
    handle.setBounds({20, 20, 40, 30});
    handle.setColor(0x00FF00);
    handle.setBevelOuter(ui::BevelCut::None);
    inner.setBounds({5, 5, 10, 10});
    mark.setBounds({80, 0, 10, 10});
    mark.setColor(0xFF00FF);
    mark.setBevelOuter(ui::BevelCut::None);
  }
};

// A plain window of one colour to lie beneath.
struct Ground : ui::Form {
  explicit Ground(ui::Application& app, ui::Color colour = 0x3060C0) : ui::Form(app, "ground") {
    setBorderStyle(ui::BorderStyle::None);
    setColor(colour);
  }
};

win32::FormWindow& windowOf(ui::Form& f) { return *static_cast<win32::FormWindow*>(f.peer()); }

void settle(win32::Backend& b, int ms = 300) {
  for (int t = 0; t < ms; t += 20) {
    b.dispatchPending();
    Sleep(20);
  }
}

std::uint32_t screenPixel(int x, int y) {
  win32::Screen s;
  return s.copy({x, y, 1, 1}).pixel(0, 0);
}

// Runs the loop until the screen shows rgb at (x, y), for at most 3 s.
bool screenShows(win32::Backend& b, int x, int y, std::uint32_t rgb) {
  for (int t = 0; t < 3000 && screenPixel(x, y) != rgb; t += 20) settle(b, 20);
  return screenPixel(x, y) == rgb;
}

LRESULT hitTest(HWND w, int x, int y) { return SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)); }

}  // namespace

TEST(SeeThrough, WindowedPanelsAndHitTest) {
  Fixture fx;
  auto* form = fx.app->createSideForm<SeeThroughForm>();
  form->show();
  settle(fx.backend);
  HWND w = windowOf(*form).hwnd();
  HWND child = GetWindow(w, GW_CHILD);
  EXPECT_NE(child, nullptr) << "the windowed panel has a window of its own";
  EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), nullptr) << "only the windowed panel: the plain panel has none";
  RECT r{};
  GetWindowRect(child, &r);
  EXPECT_TRUE(r.left == 220 && r.top == 220 && r.right == 260 && r.bottom == 250) << "at the panel's place";
  EXPECT_EQ(hitTest(w, 205, 205), LRESULT(HTCAPTION)) << "the form's surface answers caption";
  EXPECT_EQ(hitTest(w, 285, 5 + 200), LRESULT(HTCAPTION)) << "so does a plain panel on it";
  EXPECT_EQ(hitTest(child, 230, 230), LRESULT(HTCLIENT)) << "the windowed panel keeps its client area";
  EXPECT_EQ(WindowFromPoint({230, 230}), child) << "the pointer over the panel finds its window";
  EXPECT_EQ(screenPixel(220 + 30, 220 + 2), 0x00FF00u) << "the panel paints its part of the form";
  EXPECT_EQ(screenPixel(280 + 2, 200 + 2), 0xFF00FFu) << "the form paints the plain panel";

  form->handle.setBounds({50, 40, 40, 30});
  settle(fx.backend);
  GetWindowRect(child, &r);
  EXPECT_TRUE(r.left == 250 && r.top == 240) << "the window follows the panel";
  form->handle.hide();
  EXPECT_TRUE(!IsWindowVisible(child)) << "and hides with it";
  form->handle.show();
  EXPECT_NE(IsWindowVisible(child), FALSE) << "and shows with it";

  // A press on the panel: the panel's window takes the mouse, and moves
  // and the release reach the panel wherever the pointer goes.
  std::vector<std::string> seen;
  form->handle.onMouseDown = [&](ui::MouseButton, unsigned, int x, int y) {
    seen.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  };
  form->handle.onMouseMove = [&](unsigned, int x, int y) {
    seen.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  form->handle.onMouseUp = [&](ui::MouseButton, unsigned, int x, int y) {
    seen.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  };
  SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  EXPECT_EQ(GetCapture(), child) << "the pressed panel's window holds the capture";
  SendMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 4));
  SendMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(200, 4));
  EXPECT_EQ(GetCapture(), nullptr) << "the release gives it back";
  EXPECT_EQ(seen.size(), size_t(3)) << "press, move and release reached the panel";
  if (seen.size() == 3) {
    EXPECT_EQ(seen[0], std::string("down 3,4")) << "in the panel's coordinates";
    EXPECT_EQ(seen[1], std::string("move 200,4")) << "also outside it";
    EXPECT_EQ(seen[2], std::string("up 200,4")) << "up to the release";
  }
}

TEST(SeeThrough, ShowsWhatLiesBeneath) {
  Fixture fx;
  auto* ground = fx.app->createSideForm<Ground>();
  ground->setBounds({150, 150, 300, 200});
  ground->show();
  settle(fx.backend);
  auto* form = fx.app->createSideForm<SeeThroughForm>();
  form->show();
  settle(fx.backend);
  EXPECT_EQ(screenPixel(205, 205), 0x3060C0u) << "the surface shows the window beneath";
  EXPECT_EQ(screenPixel(240, 225), 0x00FF00u) << "the panel over it";
  form->setBounds({100, 100, 100, 80});
  settle(fx.backend);
  EXPECT_EQ(screenPixel(105, 105), 0x000000u) << "after a move: the desktop where nothing lies beneath";
  EXPECT_EQ(screenPixel(195, 175), 0x3060C0u) << "and the window where it does";

  // The refresh: off the screen, the windows beneath repaint, the copy,
  // back on. Not a check: its time is printed for the performance note.
  win32::FormWindow& fw = windowOf(*form);
  std::vector<double> ms;
  for (int i = 0; i < 41; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    fw.backdrop().refresh();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf(
      "measure backdrop refresh of a 100 x 80 window over one window: median %.2f ms (min %.2f, max %.2f, "
      "41 runs)\n",
      ms[ms.size() / 2], ms.front(), ms.back());
  settle(fx.backend);
  EXPECT_NE(IsWindowVisible(fw.hwnd()), FALSE) << "after the refreshes the form is on the screen";
  EXPECT_EQ(screenPixel(195, 175), 0x3060C0u) << "and still shows the window beneath";
  EXPECT_EQ(screenPixel(140, 125), 0x00FF00u) << "with its panel over it";
}

// A window of ours beneath the form goes or moves away: the margins show
// what lies beneath it now, a moment later.
TEST(SeeThrough, MarginsFollowTheProgramsWindowsBeneath) {
  Fixture fx;
  auto* ground = fx.app->createSideForm<Ground>();
  ground->setBounds({150, 150, 300, 200});
  ground->show();
  constexpr ui::Color kCover = 0xC03030;
  auto* cover = fx.app->createSideForm<Ground>(kCover);
  cover->setBounds({190, 190, 30, 30});
  cover->show();
  settle(fx.backend);
  auto* form = fx.app->createSideForm<SeeThroughForm>();
  form->show();
  settle(fx.backend);
  ASSERT_EQ(screenPixel(205, 205), kCover) << "the margin shows the window beneath";
  cover->hide();
  EXPECT_TRUE(screenShows(fx.backend, 205, 205, 0x3060C0u)) << "once it is hidden, what lay under it";
  cover->show();
  ASSERT_TRUE(screenShows(fx.backend, 205, 205, kCover)) << "shown again beneath: the window";
  cover->setBounds({600, 400, 30, 30});
  EXPECT_TRUE(screenShows(fx.backend, 205, 205, 0x3060C0u)) << "moved away: what lay under it";
}

// Printed, a form standing partly off the screen shows what lies beneath
// where it lies, as the screen does; the part off the screen has nothing.
TEST(SeeThrough, ThePrintedImageShowsWhatLiesBeneathWhereItLies) {
  Fixture fx;
  auto* ground = fx.app->createSideForm<Ground>();
  ground->setBounds({0, 150, 20, 200});
  ground->show();
  settle(fx.backend);
  auto* form = fx.app->createSideForm<SeeThroughForm>();
  form->setBounds({-30, 200, 100, 80});
  form->show();
  settle(fx.backend);
  picture::Canvas image = form->clientImage();
  EXPECT_EQ(image.pixel(35, 60), 0x3060C0u) << "screen x 5: the window beneath";
  EXPECT_EQ(image.pixel(65, 60), screenPixel(35, 260)) << "screen x 35: the desktop";
  EXPECT_NE(image.pixel(5, 60), 0x3060C0u) << "off the screen: nothing of the window";
}
