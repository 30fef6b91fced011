#include <new>
#include <stdexcept>

#include "app_fixture.h"
#include "base/error.h"
#include "ui/controls.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace {

class Window : public ui::Form {
 public:
  explicit Window(ui::Application& app) : ui::Form(app, "Window") {
    setBorderStyle(ui::BorderStyle::None);
    setBounds({10, 10, 100, 80});
    panel.setBounds({10, 10, 40, 30});
    panel.setBevelInner(ui::BevelCut::None);
    panel.setBevelOuter(ui::BevelCut::Raised);
    panel.setColor(0x00FF00);
    a.setBounds({60, 0, 20, 20});
    b.setBounds({60, 20, 20, 20});
    image.setBounds({0, 50, 20, 10});
  }
  ui::Panel panel{this, "panel"};
  ui::Label inPanel{&panel, "inPanel"};
  ui::SpeedButton a{this, "a"};
  ui::SpeedButton b{this, "b"};
  ui::Image image{this, "image"};
};

class ToolkitTest : public AppTest {
 protected:
  ToolkitTest() : w(app.createForm<Window>()) {
    w->show();
    app.processMessages();
  }
  int paints() { return platform.backend.paintCount(*w); }
  Window* w;
};

TEST_F(ToolkitTest, UnchangedPropertiesRepaintNothing) {
  int before = paints();
  ASSERT_GT(before, 0);
  w->panel.setBounds(w->panel.bounds());
  w->panel.setColor(0x00FF00);
  w->panel.setCaption("");
  w->setBounds({10, 10, 100, 80});
  w->a.setDown(false);
  app.processMessages();
  EXPECT_EQ(paints(), before);
  w->panel.setCaption("x");
  app.processMessages();
  EXPECT_EQ(paints(), before + 1);
  // A timer whose handler sets what is already there costs no paint.
  ui::Timer t(app, "t", 55);
  t.onTimer = [&] { w->panel.setLeft(10); };
  platform.backend.advance(1000);
  EXPECT_EQ(paints(), before + 1);
}

TEST_F(ToolkitTest, RendererDrawsBevelsColoursAndStretchedPictures) {
  auto pic = picture::Bitmap::create(2, 1, 24);
  pic.setPixel(0, 0, 0xFF0000);
  pic.setPixel(1, 0, 0x0000FF);
  w->image.setPicture(picture::Picture(pic));
  app.processMessages();
  const picture::Canvas* c = platform.backend.canvas(*w);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->pixel(10, 10), ui::clBtnHighlight);  // raised: light top-left
  EXPECT_EQ(c->pixel(49, 39), ui::clBtnShadow);     // dark bottom-right
  EXPECT_EQ(c->pixel(30, 25), 0x00FF00u);           // panel colour inside
  EXPECT_EQ(c->pixel(0, 55), 0xFF0000u);            // left half of the stretched picture
  EXPECT_EQ(c->pixel(19, 59), 0x0000FFu);           // right half
}

TEST_F(ToolkitTest, GaugeFillsItsShareOfTheRange) {
  ui::Gauge g(w, "g");
  g.setBounds({0, 0, 102, 10});
  g.setRange(0, 10);
  g.setProgress(3);
  g.setShowText(false);
  EXPECT_EQ(g.percent(), 30);
  app.processMessages();
  const picture::Canvas* c = platform.backend.canvas(*w);
  EXPECT_EQ(c->pixel(1 + 29, 5), ui::clNavy);
  EXPECT_EQ(c->pixel(1 + 30, 5), ui::clWhite);
  g.setProgress(99);
  EXPECT_EQ(g.progress(), 10);  // kept in range
}

TEST_F(ToolkitTest, SpeedButtonGroupsAndClicks) {
  int clicks = 0;
  w->a.onClick = [&] { ++clicks; };
  w->a.setGroupIndex(1);
  w->b.setGroupIndex(1);
  w->a.click();
  EXPECT_TRUE(w->a.down());
  w->a.click();  // without all-up the down button stays down
  EXPECT_TRUE(w->a.down());
  w->b.click();
  EXPECT_TRUE(w->b.down());
  EXPECT_FALSE(w->a.down());
  EXPECT_EQ(clicks, 2);

  w->b.setAllowAllUp(true);
  w->b.click();
  EXPECT_FALSE(w->b.down());

  // Pressed, dragged off and released outside: no click.
  w->dispatchMouseDown(ui::MouseButton::Left, ui::ssLeft, 65, 5);
  EXPECT_TRUE(w->a.pressed());
  w->dispatchMouseMove(ui::ssLeft, 5, 75);
  EXPECT_FALSE(w->a.pressed());
  w->dispatchMouseUp(ui::MouseButton::Left, 0, 5, 75);
  EXPECT_EQ(clicks, 2);
  // A right click is no click either.
  w->dispatchMouseDown(ui::MouseButton::Right, ui::ssRight, 65, 5);
  w->dispatchMouseUp(ui::MouseButton::Right, 0, 65, 5);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ToolkitTest, MouseGoesToTheDeepestControlAndStaysWhileHeld) {
  w->inPanel.setBounds({5, 5, 10, 10});
  std::vector<std::string> log;
  w->inPanel.onMouseDown = [&](ui::MouseButton, unsigned, int x, int y) {
    log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  };
  w->inPanel.onMouseMove = [&](unsigned, int x, int y) {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  w->panel.onMouseMove = [&](unsigned, int, int) { log.push_back("panel move"); };
  w->dispatchMouseDown(ui::MouseButton::Left, ui::ssLeft, 17, 18);
  w->dispatchMouseMove(ui::ssLeft, 95, 75);  // far outside: still the label's
  w->dispatchMouseUp(ui::MouseButton::Left, 0, 95, 75);
  w->dispatchMouseMove(0, 12, 12);  // released: the panel under the pointer
  EXPECT_EQ(log, (std::vector<std::string>{"down 2,3", "move 80,60", "panel move"}));
}

TEST_F(ToolkitTest, APopupMenuOpenedOnAPressTakesTheMouseAway) {
  // Right press on a: its handler opens a menu, which swallows the release.
  std::vector<std::string> log;
  ui::PopupMenu menu(app, "menu");
  w->a.onMouseDown = [&](ui::MouseButton, unsigned, int, int) {
    log.push_back("a down");
    menu.popup(0, 0);
  };
  w->b.onMouseDown = [&](ui::MouseButton, unsigned, int, int) { log.push_back("b down"); };
  platform.backend.menuScript = [](ui::PopupMenu&) { return nullptr; };  // Escape
  w->dispatchMouseDown(ui::MouseButton::Right, ui::ssRight, 65, 5);
  EXPECT_EQ(w->mouseTarget(), nullptr);
  // The next left press lands where the pointer is.
  w->dispatchMouseDown(ui::MouseButton::Left, ui::ssLeft, 65, 25);
  EXPECT_EQ(log, (std::vector<std::string>{"a down", "b down"}));
  EXPECT_EQ(w->mouseTarget(), &w->b);
  // So does one after an error box.
  app.showError("x");
  EXPECT_EQ(w->mouseTarget(), nullptr);
}

TEST_F(ToolkitTest, TheShowHandlerRunsBeforeTheWindowAppears) {
  auto* other = app.createForm<Window>();
  std::vector<std::string> log;
  platform.backend.onPaint = [&](ui::Form& f) {
    if (&f == other) log.push_back("painted at " + std::to_string(f.left()));
  };
  other->onShow = [&] {
    log.push_back(std::string("show handler, visible ") + (other->visible() ? "yes" : "no"));
    other->setLeft(300);
  };
  other->show();
  app.processMessages();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "show handler, visible no");
  EXPECT_EQ(log[1], "painted at 300");  // never seen at its old place

  // A failing show handler is reported; the window still shows, where it was.
  other->hide();
  other->onShow = [&] {
    other->setLeft(50);
    throw base::Error("'Main.Left' の取得に失敗しました");
  };
  bool nextStep = false;
  app.dispatch([&] {
    other->show();
    nextStep = true;
  });
  EXPECT_TRUE(nextStep);
  EXPECT_TRUE(other->visible());
  EXPECT_EQ(other->left(), 50);
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "'Main.Left' の取得に失敗しました");
}

TEST_F(ToolkitTest, HandlerErrorsEndInTheDefaultErrorBox) {
  app.setTitle("T");
  bool after = false;
  auto open = [](const std::string& name) {
    if (name == "a.bmp") throw base::Error(base::format("ﾌｧｲﾙ %s は開けません", name));
  };
  app.dispatch([&] {
    open("a.bmp");
    after = true;
  });
  EXPECT_FALSE(after);  // the handler ended at the failing step
  app.dispatch([&] {
    open("b.bmp");
    after = true;
  });
  EXPECT_TRUE(after);
  ASSERT_EQ(platform.messages.shown.size(), 1u);  // one box, for the failure only
  EXPECT_EQ(platform.messages.shown[0].text, "ﾌｧｲﾙ a.bmp は開けません");
  EXPECT_EQ(platform.messages.shown[0].caption, "T");
  EXPECT_EQ(platform.messages.shown[0].icon, sys::MsgIcon::Error);
  // The standard library's failures end the handler too, in the program's
  // words rather than the library's English.
  app.dispatch([] { throw std::bad_alloc(); });
  app.dispatch([] { throw std::length_error("vector::_M_realloc_insert"); });
  app.dispatch([] { throw std::invalid_argument("Bitmap: too large"); });
  ASSERT_EQ(platform.messages.shown.size(), 4u);
  EXPECT_EQ(platform.messages.shown[1].text, "ｼｽﾃﾑ ﾘｿｰｽが不足しています");
  EXPECT_EQ(platform.messages.shown[2].text, base::kUnexpectedError);
  EXPECT_EQ(platform.messages.shown[3].text, base::kUnexpectedError);
  EXPECT_EQ(platform.messages.shown[3].icon, sys::MsgIcon::Error);
}

// A second window that follows a notice does not take it from the first,
// nor does the failure of one keep it from the next.
TEST_F(ToolkitTest, EveryWindowThatFollowsANoticeHearsIt) {
  std::string heard;
  app.onRestore.subscribe([&] {
    heard += "box ";
    throw base::Error("x");
  });
  app.onRestore.subscribe([&] { heard += "palette"; });
  app.restored();
  EXPECT_EQ(heard, "box palette");
  EXPECT_EQ(platform.messages.shown.size(), 1u);
}

// The error box's own loop runs the timers while it is up.
TEST_F(ToolkitTest, OneErrorBoxAtATimeAndAFailingTimerRestsWhileItIsUp) {
  ui::Timer failing(app, "failing", 1), other(app, "other", 1);
  int failingRuns = 0, otherRuns = 0, failingWhileUp = -1, otherWhileUp = -1, up = 0;
  failing.onTimer = [&] {
    ++failingRuns;
    throw std::bad_alloc();
  };
  other.onTimer = [&] {
    ++otherRuns;
    if (up > 0) throw base::Error("ﾌｧｲﾙ a.bmp は開けません");
  };
  platform.messages.onShow = [&](const headless::MessageBoxes::Shown&) {
    if (up++ == 0) {
      int f = failingRuns, o = otherRuns;
      platform.backend.advance(200);
      failingWhileUp = failingRuns - f;
      otherWhileUp = otherRuns - o;
    }
    --up;
  };
  platform.backend.advance(1);
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, base::kOutOfResources);
  EXPECT_EQ(failingWhileUp, 0);
  EXPECT_GE(otherWhileUp, 200);  // failing too, without a box of its own
  // Once the box is closed the program goes on as before.
  platform.backend.advance(1);
  EXPECT_EQ(failingRuns, 2);
  EXPECT_EQ(platform.messages.shown.size(), 2u);
}

TEST_F(ToolkitTest, TimersRunOnTheVirtualClock) {
  int ticks = 0;
  ui::Timer t(app, "t", 55);
  t.onTimer = [&] { ++ticks; };
  platform.backend.advance(1000);
  EXPECT_EQ(ticks, 18);
  // A sleeping thread lets no timer run; afterwards a due timer fires once.
  platform.backend.sleep(5000);
  EXPECT_EQ(ticks, 18);
  app.processMessages();
  EXPECT_EQ(ticks, 19);
  t.setEnabled(false);
  platform.backend.advance(1000);
  EXPECT_EQ(ticks, 19);
  t.setInterval(1);
  t.setEnabled(true);
  platform.backend.advance(10);
  EXPECT_EQ(ticks, 29);
}

TEST_F(ToolkitTest, ClosingHidesAndReleaseWaitsForTheLoop) {
  bool asked = false;
  w->onCloseQuery = [&](bool& ok) {
    asked = true;
    ok = true;
  };
  auto* other = app.createForm<Window>();
  other->show();
  other->close();
  EXPECT_FALSE(other->visible());
  EXPECT_FALSE(app.terminated());
  w->close();  // the main form ends the application
  EXPECT_TRUE(asked);
  EXPECT_TRUE(app.terminated());

  app.release(*other);
  EXPECT_EQ(app.forms().size(), 2u);
  app.processMessages();
  EXPECT_EQ(app.forms().size(), 1u);
}

TEST_F(ToolkitTest, PopupMenusRunTheChosenItem) {
  ui::PopupMenu menu(app, "commandMenu");
  std::vector<std::string> log;
  auto& sub = menu.add("size", "サイズ");
  sub.onClick = [&] { log.push_back("submenu opened"); };
  auto& item = sub.add("zoom200", "2倍");
  item.onClick = [&] { log.push_back("zoom200"); };
  menu.onPopup = [&] { log.push_back("popup"); };
  platform.backend.menuScript = [&](ui::PopupMenu& m) {
    m.find("size")->click();
    return m.find("zoom200");
  };
  menu.popup(40, 50);
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "submenu opened", "zoom200"}));
  ASSERT_EQ(platform.backend.menusShown.size(), 1u);
  EXPECT_EQ(platform.backend.menusShown[0].x, 40);
  item.setEnabled(false);
  item.click();
  EXPECT_EQ(log.size(), 3u);
}

}  // namespace
