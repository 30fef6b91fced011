// The toolkit's scroll box and push button over the headless backend.
#include "app_fixture.h"
#include "ui/controls.h"
#include "ui/menu.h"
#include "ui/push_button.h"
#include "ui/scroll_box.h"

namespace {

using ui::Axis;
using ui::ScrollCode;

// A 400 x 120 client area: a 300 x 100 box over a 1000 x 80 area, and a button.
class StripWindow : public ui::Form {
 public:
  explicit StripWindow(ui::Application& app) : ui::Form(app, "StripWindow") {
    setBorderStyle(ui::BorderStyle::None);
    setBounds({50, 60, 400, 120});
    box.setBounds({100, 0, 300, 100});
    box.setRange(Axis::Horizontal, 1000);
    box.setIncrement(Axis::Horizontal, 25);
    box.setRange(Axis::Vertical, 80);
    far.setBounds({700, 10, 50, 50});
    button.setBounds({4, 5, 83, 21});
    button.setCaption("OK");
  }
  ui::ScrollBox box{this, "box"};
  ui::Panel far{&box.content(), "far"};
  ui::PushButton button{this, "button"};
};

class ScrollBoxTest : public AppTest {
 protected:
  ScrollBoxTest() : w(app.createForm<StripWindow>()) {
    w->show();
    app.processMessages();
  }
  int position() const { return w->box.position(Axis::Horizontal); }
  int paints() { return platform.backend.paintCount(*w); }
  StripWindow* w;
};

TEST_F(ScrollBoxTest, BarsShowWhereTheRangeIsLargerThanTheBox) {
  ui::ScrollBox& box = w->box;
  EXPECT_TRUE(box.barShown(Axis::Horizontal));
  EXPECT_FALSE(box.barShown(Axis::Vertical));  // 80 fits in 100 - 16
  EXPECT_EQ(box.viewport(), (ui::Rect{0, 0, 300, 84}));
  EXPECT_EQ(box.barRect(Axis::Horizontal), (ui::Rect{0, 84, 300, 16}));
  EXPECT_EQ(box.maxPosition(Axis::Horizontal), 700);
  // 90 no longer fits beside the horizontal bar: both bars.
  box.setRange(Axis::Vertical, 90);
  EXPECT_TRUE(box.barShown(Axis::Vertical));
  EXPECT_EQ(box.viewport(), (ui::Rect{0, 0, 284, 84}));
  EXPECT_EQ(box.maxPosition(Axis::Horizontal), 716);
  EXPECT_EQ(box.maxPosition(Axis::Vertical), 6);
  // A range that fits: no bar, nothing to scroll.
  box.setRange(Axis::Vertical, 80);
  box.setRange(Axis::Horizontal, 250);
  EXPECT_FALSE(box.barShown(Axis::Horizontal));
  EXPECT_EQ(box.viewport(), (ui::Rect{0, 0, 300, 100}));
  box.setPosition(Axis::Horizontal, 50);
  EXPECT_EQ(position(), 0);
}

TEST_F(ScrollBoxTest, PositionStaysInItsRangeAndMovesTheContent) {
  ui::ScrollBox& box = w->box;
  box.setPosition(Axis::Horizontal, -5);
  EXPECT_EQ(position(), 0);
  box.setPosition(Axis::Horizontal, 5000);
  EXPECT_EQ(position(), 700);
  EXPECT_EQ(box.content().left(), -700);
  // What lies on the content is found, and placed, where it shows.
  EXPECT_EQ(w->far.formLeft(), 100 + 700 - 700);
  EXPECT_EQ(w->childAt(110, 20), &w->far);
  // A smaller box keeps the position inside the new range.
  box.setBounds({100, 0, 600, 100});
  EXPECT_EQ(position(), 400);
  box.setRange(Axis::Horizontal, 500);
  EXPECT_EQ(position(), 0);
  EXPECT_FALSE(box.barShown(Axis::Horizontal));
}

TEST_F(ScrollBoxTest, ScrollStepsByLinePageAndThumb) {
  ui::ScrollBox& box = w->box;
  box.scroll(Axis::Horizontal, ScrollCode::LineForward);
  EXPECT_EQ(position(), 25);
  box.scroll(Axis::Horizontal, ScrollCode::PageForward);
  EXPECT_EQ(position(), 325);
  box.scroll(Axis::Horizontal, ScrollCode::LineBack);
  EXPECT_EQ(position(), 300);
  box.scroll(Axis::Horizontal, ScrollCode::PageBack);
  box.scroll(Axis::Horizontal, ScrollCode::PageBack);
  EXPECT_EQ(position(), 0);
  box.scroll(Axis::Horizontal, ScrollCode::Thumb, 420);
  EXPECT_EQ(position(), 420);
  box.scroll(Axis::Horizontal, ScrollCode::End);
  EXPECT_EQ(position(), 700);
  box.scroll(Axis::Horizontal, ScrollCode::LineForward);
  EXPECT_EQ(position(), 700);
  box.scroll(Axis::Horizontal, ScrollCode::Start);
  EXPECT_EQ(position(), 0);
}

TEST_F(ScrollBoxTest, DrawnBarAnswersTheMouse) {
  ui::ScrollBox::BarParts parts = w->box.barParts(Axis::Horizontal);
  EXPECT_EQ(parts.back, (ui::Rect{0, 84, 16, 16}));
  EXPECT_EQ(parts.forward, (ui::Rect{284, 84, 16, 16}));
  EXPECT_EQ(parts.thumb.width, 268 * 300 / 1000);
  int y = 100 - 8;  // the bar's middle, in the form
  auto clickAt = [&](int x) {
    w->dispatchMouseDown(ui::MouseButton::Left, ui::ssLeft, 100 + x, y);
    w->dispatchMouseUp(ui::MouseButton::Left, 0, 100 + x, y);
  };
  clickAt(290);
  EXPECT_EQ(position(), 25);
  clickAt(5);
  EXPECT_EQ(position(), 0);
  clickAt(250);  // the track after the thumb
  EXPECT_EQ(position(), 300);
  // Dragging the thumb to the far end of the track.
  parts = w->box.barParts(Axis::Horizontal);
  int grab = 100 + parts.thumb.left + 3;
  w->dispatchMouseDown(ui::MouseButton::Left, ui::ssLeft, grab, y);
  w->dispatchMouseMove(ui::ssLeft, grab + 1000, y);
  EXPECT_EQ(position(), 700);
  w->dispatchMouseMove(ui::ssLeft, grab - 1000, y);
  EXPECT_EQ(position(), 0);
  w->dispatchMouseUp(ui::MouseButton::Left, 0, grab - 1000, y);
  w->dispatchMouseMove(0, grab + 1000, y);
  EXPECT_EQ(position(), 0);
}

TEST_F(ScrollBoxTest, ScrollingRepaintsAndTheSamePositionDoesNot) {
  int before = paints();
  w->box.setPosition(Axis::Horizontal, 0);
  w->box.setRange(Axis::Horizontal, 1000);
  app.processMessages();
  EXPECT_EQ(paints(), before);
  w->far.setColor(0x0000FF);
  w->box.setPosition(Axis::Horizontal, 650);
  app.processMessages();
  EXPECT_EQ(paints(), before + 1);
  // The panel now shows at x = 100 + 700 - 650 of the client area.
  const picture::Canvas* c = platform.backend.canvas(*w);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->pixel(100 + 50 + 25, 35), 0x0000FFu);
  EXPECT_NE(c->pixel(100 + 49, 35), 0x0000FFu);
  // The content is clipped to the viewport: nothing of it on the bar.
  w->far.setBounds({650, 0, 100, 100});
  app.processMessages();
  EXPECT_NE(c->pixel(100 + 10, 90), 0x0000FFu);
}

TEST_F(ScrollBoxTest, PushButtonClicksOnARelease) {
  int clicks = 0;
  w->button.onClick = [&] { ++clicks; };
  w->button.click();
  EXPECT_EQ(clicks, 1);
  // Pressed, dragged off and released elsewhere: no click.
  w->dispatchMouseDown(ui::MouseButton::Left, ui::ssLeft, 10, 10);
  EXPECT_TRUE(w->button.pressed());
  w->dispatchMouseMove(ui::ssLeft, 200, 10);
  EXPECT_FALSE(w->button.pressed());
  w->dispatchMouseUp(ui::MouseButton::Left, 0, 200, 10);
  EXPECT_EQ(clicks, 1);
  // The right button never clicks.
  w->dispatchMouseDown(ui::MouseButton::Right, ui::ssRight, 10, 10);
  w->dispatchMouseUp(ui::MouseButton::Right, 0, 10, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(platform.backend.menusShown.empty());
}

TEST_F(ScrollBoxTest, PushButtonOpensItsOwnMenuOnARightClick) {
  ui::PopupMenu menu(app, "buttonMenu");
  int chosen = 0, clicks = 0;
  menu.add("only", "自動連続表示").onClick = [&] { ++chosen; };
  w->button.setPopupMenu(&menu);
  w->button.onClick = [&] { ++clicks; };
  platform.backend.menuScript = [](ui::PopupMenu& m) { return m.items()[0].get(); };
  w->dispatchMouseDown(ui::MouseButton::Right, ui::ssRight, 10, 12);
  w->dispatchMouseUp(ui::MouseButton::Right, 0, 10, 12);
  ASSERT_EQ(platform.backend.menusShown.size(), 1u);
  EXPECT_EQ(platform.backend.menusShown[0].name, "buttonMenu");
  // Where it was released, on the screen: the borderless form is at (50, 60).
  EXPECT_EQ(platform.backend.menusShown[0].x, 50 + 10);
  EXPECT_EQ(platform.backend.menusShown[0].y, 60 + 12);
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(clicks, 0);
  // The menu took the mouse: the button is not left held.
  EXPECT_EQ(w->mouseTarget(), nullptr);
}

}  // namespace
