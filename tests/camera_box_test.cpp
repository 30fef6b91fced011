#include "base/error.h"
#include "camera_box_fixture.h"
#include "dialogs/about_box.h"
#include "dialogs/options_dialog.h"
#include "shell/palette.h"

namespace {

using camera::Corner;
using camera::Edge;

class CameraBoxTest : public CameraBoxFixture {
 protected:
  // The program started, the box at a place in its designed size, in reshape mode.
  void startReshaping(int left = 300, int top = 0) {
    start();
    box->setBounds({left, top, 180, 145});
    app.dispatch([&] { box->toggleReshape(); });
  }
  // Layout ticks.
  void tick(int n = 1) {
    for (int i = 0; i < n; ++i) platform.backend.advance(box->layoutInterval());
  }
  // The user's mouse on the box, at form coordinates.
  void press(ui::MouseButton b, int x, int y) {
    app.dispatch([&] { box->dispatchMouseDown(b, 0, x, y); });
  }
  void moveTo(int x, int y) {
    app.dispatch([&] { box->dispatchMouseMove(ui::ssLeft, x, y); });
  }
  void release(ui::MouseButton b, int x, int y) {
    app.dispatch([&] { box->dispatchMouseUp(b, 0, x, y); });
  }
  // A handle's bounds, in form coordinates.
  ui::Rect handle(Edge e) { return box->look().handles[e].bounds; }
  // A left drag of a handle by (dx, dy); the press thins the handles, so
  // the offsets count from where it is then.
  void drag(Edge e, int dx, int dy) {
    press(ui::MouseButton::Left, handle(e).left, handle(e).top);
    const ui::Rect h = handle(e);
    moveTo(h.left + dx, h.top + dy);
    release(ui::MouseButton::Left, h.left + dx, h.top + dy);
  }
  void setPicture(int w, int h) {
    box->showPicture(picture::Picture(picture::Bitmap::create(w, h, 24)), box->timeStamp(),
                     app::PhotoSize::Kept);
  }
};

TEST_F(CameraBoxTest, CreatedHiddenAtItsDefaultPlaceWithTheTitlePicture) {
  start();
  EXPECT_FALSE(box->visible());
  EXPECT_TRUE(box->keepHidden());
  EXPECT_FALSE(box->resizing());
  EXPECT_FALSE(box->reshapeMode());
  EXPECT_EQ(box->borderStyle(), ui::BorderStyle::None);
  EXPECT_TRUE(box->stayOnTop());
  EXPECT_TRUE(box->seeThrough());
  EXPECT_TRUE(box->movableBySurface());
  EXPECT_EQ(box->bounds(), (ui::Rect{300, 0, 180, 145}));
  EXPECT_EQ(box->look().viewfinder.bounds, (ui::Rect{10, 15, 160, 120}));
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116}));
  EXPECT_EQ(box->photoPicture().width(), 156);
  EXPECT_EQ(box->photoPicture().height(), 116);
  EXPECT_EQ(box->photoPicture().bitmap().bitsPerPixel(), 8);
  EXPECT_EQ(box->look().photoMenu, &box->menus().command);
  EXPECT_FALSE(box->look().titleShown);
  EXPECT_EQ(box->look().viewfinder.bevelInner, ui::BevelCut::Lowered);
  EXPECT_EQ(box->look().viewfinder.bevelOuter, ui::BevelCut::None);
  EXPECT_EQ(shown(), "0000|0000");
  for (const auto& h : box->look().handles.items) EXPECT_EQ(h.bevelInner, ui::BevelCut::Raised);
  for (const auto& m : box->look().marks.items) {
    EXPECT_EQ(m.color, ui::rgb(255, 128, 128));
    EXPECT_EQ(m.bounds.width, 10);
  }
  EXPECT_EQ(box->look().handles[Edge::Left].cursor, ui::Cursor::SizeWE);
  EXPECT_EQ(box->look().handles[Edge::Bottom].cursor, ui::Cursor::SizeNS);
  EXPECT_EQ(box->look().marks[Corner::BottomRight].cursor, ui::Cursor::SizeNWSE);
  EXPECT_EQ(box->look().marks[Corner::TopRight].cursor, ui::Cursor::SizeNESW);
  EXPECT_EQ(box->layoutInterval(), 55);
  EXPECT_TRUE(box->menus().file.printScreenSize.checked());
  EXPECT_FALSE(box->menus().file.printPaperSize.checked());

  // A tick at the start changes nothing: the designed sizes already fit.
  ui::Rect before = box->bounds();
  tick();
  EXPECT_EQ(box->bounds(), before);
  EXPECT_EQ(box->look().viewfinder.bounds, (ui::Rect{10, 15, 160, 120}));
}

TEST_F(CameraBoxTest, StoredSettingsTakeEffectOnlyThroughTheDefaultSize) {
  writeIni("[Option]\nyoko=320\ntate=240\n");
  start();
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116}));
  choose(box->menus().size.defaultSize);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 316, 236}));
}

TEST_F(CameraBoxTest, TheWindowFollowsThePanelOneTickAfterThePanelFollowsThePhoto) {
  start();
  box->setBounds({40, 30, 180, 145});
  choose(box->menus().size.zoom200);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 312, 232}));
  EXPECT_EQ(box->look().viewfinder.bounds, (ui::Rect{10, 15, 160, 120}));
  tick();
  EXPECT_EQ(box->look().viewfinder.bounds, (ui::Rect{10, 15, 316, 236}));
  EXPECT_EQ(box->bounds(), (ui::Rect{40, 30, 180, 145}));
  tick();
  EXPECT_EQ(box->bounds(), (ui::Rect{40, 30, 336, 261}));
  // Handles and marks at the panel's edges; thickness stays 5.
  EXPECT_EQ(handleBounds(),
            (Rects{{{5, 15, 5, 236}, {10, 10, 316, 5}, {326, 15, 5, 236}, {10, 251, 316, 5}}}));
  EXPECT_EQ(markBounds(), (Rects{{{0, 5, 10, 10}, {326, 5, 10, 10}, {0, 251, 10, 10}, {326, 251, 10, 10}}}));
  // The photo stays at (2, 2) inside the panel.
  tick();
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 312, 232}));
}

TEST_F(CameraBoxTest, AnIdleTickNeitherRepaintsNorRefreshesTheBackdrop) {
  start();
  forms.palette->cameraBoxButton.click();
  ASSERT_TRUE(box->visible());
  // The box's paints and backdrop copies so far.
  auto counts = [&] {
    return std::pair(platform.backend.paintCount(*box), platform.backend.backdropRefreshes(*box));
  };
  tick();
  auto before = counts();
  EXPECT_GE(before.second, 1);  // it took a copy when it appeared
  platform.backend.advance(55 * 20);
  EXPECT_EQ(counts(), before);

  // A size change: the window changes once, so one more copy.
  choose(box->menus().size.zoom50);
  platform.backend.advance(55 * 3);
  EXPECT_EQ(box->bounds().width, 78 + 4 + 20);
  EXPECT_EQ(counts().second, before.second + 1);

  // During a drag the timer ticks every millisecond; after it, nothing changes.
  app.dispatch([&] { box->toggleReshape(); });
  ui::Rect r = handle(Edge::Right);
  press(ui::MouseButton::Left, r.left + 2, r.top + 2);
  moveTo(r.left + 12, r.top + 2);
  EXPECT_EQ(box->layoutInterval(), 1);
  release(ui::MouseButton::Left, r.left + 12, r.top + 2);
  EXPECT_EQ(box->layoutInterval(), 55);  // the quick pace ends with the drag
  platform.backend.advance(120);
  before = counts();
  platform.backend.advance(1000);
  EXPECT_EQ(counts(), before);
}

TEST_F(CameraBoxTest, DragMovesTheEdgeByHalfThePointerOffsetRoundedTowardZero) {
  startReshaping(100, 100);
  auto right = [&] { return handle(Edge::Right); };
  ui::Rect r = right();
  press(ui::MouseButton::Left, r.left + 2, r.top + 50);
  EXPECT_TRUE(box->resizing());
  // During a drag: one-pixel handles, no time stamp.
  EXPECT_EQ(right().width, 1);
  EXPECT_EQ(handle(Edge::Left).left, 9);
  EXPECT_EQ(handle(Edge::Top).top, 14);
  EXPECT_FALSE(box->look().stamp.shown);
  EXPECT_FALSE(box->look().stampShadow.shown);

  int left0 = right().left;
  moveTo(right().left + 40, r.top + 50);  // 40 right of the handle: 20
  EXPECT_EQ(right().left, left0 + 20);
  EXPECT_EQ(box->photoBounds().width, 176);
  EXPECT_EQ(box->layoutInterval(), 1);
  moveTo(right().left + 41, r.top + 50);  // 41: still 20
  EXPECT_EQ(box->photoBounds().width, 196);
  moveTo(right().left - 41, r.top + 50);  // -41: -20
  EXPECT_EQ(box->photoBounds().width, 176);
  // Further moves to one point close the gap by halves.
  int target = right().left + 16;
  for (int i = 0; i < 6; ++i) moveTo(target, r.top + 50);
  EXPECT_EQ(box->photoBounds().width, 176 + 8 + 4 + 2 + 1);
  EXPECT_EQ(box->bounds().left, 100);  // the window does not move
  EXPECT_EQ(box->photoBounds().height, 116);

  release(ui::MouseButton::Left, 0, 0);
  EXPECT_FALSE(box->resizing());
  EXPECT_EQ(right().width, 5);
  EXPECT_EQ(handle(Edge::Left).left, 5);
  EXPECT_EQ(handle(Edge::Top).top, 10);
  EXPECT_TRUE(box->look().stamp.shown);
  EXPECT_EQ(shown(), "1111|0000");  // normal view: no marks
  // Moves after the release do nothing.
  moveTo(right().left + 40, r.top + 50);
  EXPECT_EQ(box->photoBounds().width, 191);
}

TEST_F(CameraBoxTest, EachHandleMovesWhatItsTableSays) {
  startReshaping();
  struct Case {
    Edge edge;
    int dx, dy;       // pointer offset from the press point
    ui::Rect window;  // after the move and two ticks
    int photoWidth, photoHeight;
  } cases[] = {
      {Edge::Right, 30, 0, {300, 0, 195, 145}, 171, 116},
      {Edge::Bottom, 0, -30, {300, 0, 180, 130}, 156, 101},
      {Edge::Top, 0, -30, {300, -15, 180, 160}, 156, 131},
      {Edge::Left, 30, 0, {315, 0, 165, 145}, 141, 116},
  };
  for (const Case& c : cases) {
    box->setBounds({300, 0, 180, 145});
    box->resizePhoto({156, 116});
    tick(2);
    drag(c.edge, c.dx, c.dy);
    tick(2);
    EXPECT_EQ(box->bounds(), c.window) << int(c.edge);
    EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, c.photoWidth, c.photoHeight})) << int(c.edge);
    // The opposite edge stays where it was on the screen.
    EXPECT_EQ(box->left() + box->width(), c.edge == Edge::Right ? 495 : 480) << int(c.edge);
    EXPECT_EQ(box->top() + box->height(), c.edge == Edge::Bottom ? 130 : 145) << int(c.edge);
  }
}

TEST_F(CameraBoxTest, ADragStopsThePhotoAtZeroSize) {
  startReshaping();
  ui::Rect r = handle(Edge::Right);
  press(ui::MouseButton::Left, r.left, r.top);
  moveTo(r.left - 1000, r.top);
  EXPECT_EQ(box->photoBounds().width, 0);
  moveTo(r.left - 1000, r.top);
  EXPECT_EQ(box->photoBounds().width, 0);
  release(ui::MouseButton::Left, 0, 0);

  // The left handle pushed far right: the window's left edge goes only as
  // far as the photo's right edge.
  box->resizePhoto({156, 116});
  tick(2);
  ui::Rect l = handle(Edge::Left);
  press(ui::MouseButton::Left, l.left, l.top);
  moveTo(l.left + 1000, l.top);
  EXPECT_EQ(box->photoBounds().width, 0);
  EXPECT_EQ(box->left(), 300 + 156);
  release(ui::MouseButton::Left, 0, 0);
  tick(2);
  EXPECT_EQ(box->bounds(), (ui::Rect{456, 0, 24, 145}));

  ui::Rect u = handle(Edge::Top);
  press(ui::MouseButton::Left, u.left, u.top);
  moveTo(u.left, u.top + 1000);
  EXPECT_EQ(box->photoBounds().height, 0);
  EXPECT_EQ(box->top(), 116);
  release(ui::MouseButton::Left, 0, 0);
}

TEST_F(CameraBoxTest, ResizeStateShowsMarksOnlyWithoutTheViewfinder) {
  startReshaping();
  // The options dialog may have hidden the time stamp; a drag's end shows it.
  app.dispatch([&] {
    box->setTimeStampShown(false);
    box->menus().command.area.click();  // the framing view
  });
  ui::Rect b = handle(Edge::Bottom);
  press(ui::MouseButton::Middle, b.left + 1, b.top + 1);
  EXPECT_TRUE(box->resizing());
  EXPECT_EQ(shown(), "1111|0000");
  release(ui::MouseButton::Middle, b.left + 1, b.top + 1);
  EXPECT_EQ(shown(), "1111|1111");
  EXPECT_TRUE(box->look().stamp.shown);
  EXPECT_TRUE(box->look().stampShadow.shown);
  // A second press during a drag does not start it again.
  press(ui::MouseButton::Middle, b.left + 1, b.top + 1);
  app.dispatch([&] { box->pressEdgeHandle(Edge::Left, ui::MouseButton::Left, 0, 0); });
  EXPECT_TRUE(box->resizing());
  EXPECT_EQ(handle(Edge::Left).width, 1);
}

// A right press on a handle opens the shot menu; the menu is dismissed and
// takes the button's release with it, so a left drag on another handle
// after it uses that handle.
TEST_F(CameraBoxTest, RightPressOpensTheShotMenuBesideTheBoxAndALeftDragAfterItUsesItsHandle) {
  startReshaping(200, 100);
  const ui::Rect r = handle(Edge::Right);
  struct Case {
    Edge edge;
    int x, y, menuLeft, menuTop;
  } cases[] = {
      {Edge::Right, 3, 40, 200 + 180 + 3, 100 + 40},
      {Edge::Bottom, 50, 2, 200 + 50, 100 + 145 + 2},
      {Edge::Top, 50, 2, 200 + 50, 100 + 2},
      {Edge::Left, 3, 40, 200 + 3, 100 + 40},
  };
  for (const Case& c : cases) {
    ui::Rect h = handle(c.edge);
    press(ui::MouseButton::Right, h.left + c.x, h.top + c.y);
    ASSERT_FALSE(platform.backend.menusShown.empty());
    auto shown = platform.backend.menusShown.back();
    EXPECT_EQ(shown.name, "shotMenu");
    EXPECT_EQ(shown.x, c.menuLeft) << int(c.edge);
    EXPECT_EQ(shown.y, c.menuTop) << int(c.edge);
    EXPECT_FALSE(box->resizing());
    EXPECT_EQ(box->mouseTarget(), nullptr);
  }
  EXPECT_EQ(platform.backend.menusShown.size(), 4u);
  ui::Rect b = handle(Edge::Bottom);
  press(ui::MouseButton::Left, b.left + 60, b.top + 2);
  moveTo(b.left + 60, b.top + 42);
  moveTo(b.left + 60, b.top + 42);
  release(ui::MouseButton::Left, b.left + 60, b.top + 42);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116 + 21 + 10}));  // 42 below its top, then 21
  EXPECT_EQ(handle(Edge::Right).left, r.left);
}

// A right press during a left drag opens the shot menu, which takes the
// mouse: the drag ends whether the menu is dismissed or a shot is taken.
TEST_F(CameraBoxTest, ARightPressDuringADragEndsTheDrag) {
  startReshaping();
  ui::Rect r = handle(Edge::Right);
  press(ui::MouseButton::Left, r.left, r.top + 30);
  ASSERT_TRUE(box->resizing());
  // The right button joins in: the shot menu opens and takes the mouse, so
  // the left button's release never reaches the handle.
  app.dispatch([&] { box->pressEdgeHandle(Edge::Right, ui::MouseButton::Right, 0, 30); });
  ASSERT_EQ(platform.backend.menusShown.size(), 1u);
  ui::Rect b = handle(Edge::Bottom);
  app.dispatch([&] { box->dispatchMouseMove(0, b.left + 50, b.top); });  // over the (thin) handle
  EXPECT_FALSE(box->resizing());
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116}));
  EXPECT_EQ(handle(Edge::Right).width, 5);
  EXPECT_TRUE(box->look().stamp.shown);

  // In the framing view, with "シャッター" picked from the menu: the drag
  // ends before the shot.
  forms.palette->cameraBoxButton.click();
  app.dispatch([&] { box->menus().command.area.click(); });
  r = handle(Edge::Right);
  press(ui::MouseButton::Left, r.left, r.top + 30);
  moveTo(r.left + 20, r.top + 30);
  ASSERT_EQ(box->layoutInterval(), 1);
  platform.backend.menuScript = [this](ui::PopupMenu& m) -> ui::MenuItem* {
    return &m == &box->menus().shot ? &box->menus().shot.shoot : nullptr;
  };
  app.dispatch([&] { box->pressEdgeHandle(Edge::Right, ui::MouseButton::Right, 0, 30); });
  platform.backend.menuScript = nullptr;
  ASSERT_EQ(platform.screen.copies.size(), 1u);
  EXPECT_FALSE(box->resizing());
  EXPECT_TRUE(box->look().stamp.shown);
  EXPECT_TRUE(box->look().stampShadow.shown);
  EXPECT_EQ(box->timeStamp(), "12:00:01");
  EXPECT_EQ(handle(Edge::Left).width, 5);
  EXPECT_EQ(handle(Edge::Top).height, 5);
  EXPECT_EQ(box->layoutInterval(), 55);
  // Back in the framing view, a press shows the marks again when released.
  app.dispatch([&] { box->menus().command.area.click(); });
  for (const auto& h : box->look().handles.items) EXPECT_EQ(std::min(h.bounds.width, h.bounds.height), 5);
}

TEST_F(CameraBoxTest, ALargePhotoPaintsOnlyWhatLiesOnTheScreen) {
  // A 2560 x 1440 screen and a picture of its size at 500 %.
  platform.screen.image = picture::Bitmap::create(2560, 1440, 32);
  start();
  forms.palette->cameraBoxButton.click();
  box->showPicture(picture::Picture(picture::Bitmap::create(2560, 1440, 8)), "", app::PhotoSize::Kept);
  choose(box->menus().size.zoom500);
  tick(2);
  app.processMessages();
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_EQ(box->bounds(), (ui::Rect{300, 0, 12800 + 24, 7200 + 29}));
  EXPECT_TRUE(box->visible());
  EXPECT_EQ(platform.backend.canvasArea(*box), (ui::Rect{0, 0, 2260, 1440}));
  const picture::Canvas* c = platform.backend.canvas(*box);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->width(), 2260);
  EXPECT_EQ(c->height(), 1440);
  // The photo (black) lies inside the lowered bevel's dark rim.
  EXPECT_EQ(c->pixel(500, 500), 0u);

  // Moved up and left off the screen, the part shown is the lower right.
  box->setBounds({-12000, -7000, box->width(), box->height()});
  app.processMessages();
  EXPECT_EQ(platform.backend.canvasArea(*box), (ui::Rect{12000, 7000, 824, 229}));
  EXPECT_TRUE(platform.messages.shown.empty());
  // The box still answers: a smaller size reaches the window.
  choose(box->menus().size.actualSize);
  tick(2);
  EXPECT_EQ(box->width(), 2560 + 24);
}

// An enhanced metafile that claims 0x7FFFFFFF x 0x7FFFFFFF pixels.
picture::Picture hugeMetafile() {
  std::vector<std::uint8_t> b(108, 0);
  auto put = [&b](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
  };
  put(0, 1);  // the header record
  put(4, 88);
  put(16, 0x7FFFFFFE);  // bounds: right, bottom
  put(20, 0x7FFFFFFE);
  put(40, 0x464D4520);  // " EMF"
  put(44, 0x10000);
  put(48, 108);
  put(88, 14);  // end of file
  put(92, 20);
  put(100, 16);
  put(104, 20);
  return picture::Picture::fromMetafileBytes(b);
}

TEST_F(CameraBoxTest, SizesStopAtWhatAWindowCanBe) {
  start();
  forms.palette->cameraBoxButton.click();
  box->showPicture(hugeMetafile(), "", app::PhotoSize::Kept);
  ASSERT_EQ(box->photoPicture().width(), 0x7FFFFFFF);
  for (ui::MenuItem* item :
       {&box->menus().size.zoom500, &box->menus().size.actualSize, &box->menus().size.zoom10}) {
    choose(*item);
    EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 32767, 32767})) << item->caption();
  }
  tick(2);
  EXPECT_EQ(box->look().viewfinder.bounds.width, 32767);
  EXPECT_EQ(box->bounds(), (ui::Rect{300, 0, 32767, 32767}));

  // A photo made larger by another way is kept to the limit by the tick.
  box->resizePhoto({40000, 50000});
  tick();
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 32767, 32767}));

  // A drag cannot take it beyond either.
  box->resizePhoto({32000, 100});
  tick(2);
  app.dispatch([&] { box->toggleReshape(); });
  drag(Edge::Right, 3000, 0);
  EXPECT_EQ(box->photoBounds().width, 32767);
  tick(2);
  drag(Edge::Left, -3000, 0);
  EXPECT_EQ(box->photoBounds().width, 32767);
  EXPECT_EQ(box->left(), 300);

  // The default size from a hand-edited file, beyond a window.
  settings.defaultViewfinderWidth = 65535;
  settings.defaultViewfinderHeight = 40000;
  choose(box->menus().size.defaultSize);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 32767, 32767}));
}

TEST_F(CameraBoxTest, SizeCommandsScaleThePicturesOwnSize) {
  start();
  struct Case {
    ui::MenuItem* item;
    int width, height;
  } cases[] = {
      {&box->menus().size.zoom200, 312, 232},    {&box->menus().size.zoom300, 468, 348},
      {&box->menus().size.zoom400, 624, 464},    {&box->menus().size.zoom500, 780, 580},
      {&box->menus().size.zoom50, 78, 58},       {&box->menus().size.zoom25, 39, 29},
      {&box->menus().size.zoom20, 31, 23},       {&box->menus().size.zoom10, 15, 11},
      {&box->menus().size.actualSize, 156, 116},
  };
  for (const Case& c : cases) {
    choose(*c.item);
    EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, c.width, c.height})) << c.item->caption();
  }
  choose(box->menus().size.zoom200);
  choose(box->menus().size.zoom200);  // twice is still 200 %
  EXPECT_EQ(box->photoBounds().width, 312);
  EXPECT_EQ(box->photoPicture().width(), 156);  // the picture itself is untouched

  setPicture(7, 3);
  choose(box->menus().size.zoom50);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 3, 1}));
  choose(box->menus().size.zoom10);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 0, 0}));
  choose(box->menus().size.defaultSize);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116}));

  // No picture: the photo is 0 x 0 and the window shrinks to its margins.
  box->setBounds({300, 0, 180, 145});
  box->showPicture(picture::Picture(), box->timeStamp(), app::PhotoSize::Kept);
  choose(box->menus().size.zoom400);
  tick(2);
  EXPECT_EQ(box->bounds(), (ui::Rect{300, 0, 24, 29}));

  // A side under 16 pixels (the options take 5000 x 0) gives a viewfinder
  // of 16 there; the settings keep what was typed.
  settings.defaultViewfinderWidth = 5000;
  settings.defaultViewfinderHeight = 0;
  choose(box->menus().size.defaultSize);
  tick(2);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 4996, 12}));
  EXPECT_EQ(box->look().viewfinder.bounds.height, 16);
  EXPECT_EQ(settings.defaultViewfinderHeight, 0);
}

TEST_F(CameraBoxTest, ReshapeModeShowsTheHandlesAndChecksItsItem) {
  start();
  choose(box->menus().size.reshape);
  EXPECT_TRUE(box->reshapeMode());
  EXPECT_TRUE(box->menus().size.reshape.checked());
  EXPECT_EQ(shown(), "1111|0000");
  EXPECT_EQ(handle(Edge::Left).left, 5);
  EXPECT_EQ(handle(Edge::Top).top, 10);

  // Another command (the about box) hid the handles; the mode stays on, so
  // the next choice turns it off, and the one after shows them again.
  choose(box->menus().command.about);
  ASSERT_EQ(shown(), "0000|0000");
  choose(box->menus().size.reshape);
  EXPECT_FALSE(box->reshapeMode());
  EXPECT_FALSE(box->menus().size.reshape.checked());
  EXPECT_EQ(shown(), "0000|0000");
  choose(box->menus().size.reshape);
  EXPECT_EQ(shown(), "1111|0000");
}

TEST_F(CameraBoxTest, HoldFlagDecidesWhetherDeactivationBringsTheBoxBack) {
  start();
  app.deactivated();
  EXPECT_FALSE(box->visible());  // held since creation
  forms.palette->cameraBoxButton.click();
  EXPECT_TRUE(box->visible());
  EXPECT_EQ(box->bounds(), (ui::Rect{300, 0, 180, 145}));
  forms.palette->cameraBoxButton.click();
  app.deactivated();
  EXPECT_FALSE(box->visible());
  forms.palette->cameraBoxButton.click();
  box->close();  // closing only hides; the flag stays clear
  EXPECT_FALSE(box->visible());
  EXPECT_FALSE(box->keepHidden());
  app.deactivated();
  EXPECT_TRUE(box->visible());
  box->setKeepHidden(true);
  box->hide();
  app.restored();  // restore shows it whatever the flag
  EXPECT_TRUE(box->visible());
}

TEST_F(CameraBoxTest, ActivationAppliesTheFrameStyle) {
  start();
  struct Case {
    int bevel;
    ui::BevelCut cut;
  } cases[] = {{2, ui::BevelCut::Raised},
               {0, ui::BevelCut::Raised},
               {3, ui::BevelCut::None},
               {7, ui::BevelCut::None},
               {1, ui::BevelCut::Lowered}};
  for (const Case& c : cases) {
    settings.viewfinderBevel = std::uint8_t(c.bevel);
    box->activated();
    EXPECT_EQ(box->look().viewfinder.bevelInner, c.cut) << c.bevel;
    EXPECT_EQ(box->look().viewfinder.bevelWidth, 2);
  }
}

TEST_F(CameraBoxTest, TimeStampLabelsAreSizedToTheirTextAndDrawn) {
  start();
  forms.palette->cameraBoxButton.click();
  box->setTimeStamp("12:34:56");
  EXPECT_EQ(box->timeStamp(), "12:34:56");
  EXPECT_EQ(box->look().stampShadow.text, "12:34:56");
  EXPECT_TRUE(box->look().stamp.font.bold);
  EXPECT_EQ(box->look().stamp.font.height, 12);
  EXPECT_EQ(box->look().stamp.font.color, ui::clBlack);
  EXPECT_EQ(box->look().stampShadow.font.color, 0xC0C0C0u);
  EXPECT_TRUE(box->look().stamp.transparent);
  EXPECT_GT(box->look().stamp.bounds.width, 30);
  EXPECT_GT(box->look().stamp.bounds.height, 0);
  EXPECT_EQ(box->look().stamp.bounds.width, box->look().stampShadow.bounds.width);
  EXPECT_EQ(box->look().stamp.bounds.left, 10);
  EXPECT_EQ(box->look().stampShadow.bounds.top, 2);
  app.processMessages();
  const picture::Canvas* c = platform.backend.canvas(*box);
  ASSERT_NE(c, nullptr);
  int silver = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 10; x < 10 + box->look().stamp.bounds.width; ++x) silver += c->pixel(x, y) == 0xC0C0C0u;
  EXPECT_GT(silver, 5);  // the shadow shows below and right of the text
  box->setTimeStamp("");
  EXPECT_EQ(box->look().stamp.bounds.width, 0);
}

TEST_F(CameraBoxTest, MenusHoldEveryItemWithItsCaptionAndTheSizeAndShotItemsAct) {
  start();
  using Names = std::vector<std::string>;
  auto captions = [](const auto& m) {
    Names v;
    for (auto& i : m.items()) v.push_back(i->caption());
    return v;
  };
  EXPECT_EQ(captions(box->menus().command), (Names{"ﾌｧｲﾙ(&F)", "編集(&E)", "選択画面 撮影", "全画面 撮影",
                                                   "サイズ", "ｵﾌﾟｼｮﾝ", "ヘルプ(&H)", "ﾊﾞｰｼﾞｮﾝ情報"}));
  EXPECT_EQ(captions(box->menus().command.file), (Names{"ﾌｧｲﾙを開く", "-", "閉じる", "-", "上書保存",
                                                        "名前をつけて保存", "-", "印刷", "印刷サイズ"}));
  EXPECT_EQ(captions(box->menus().file.printSize), (Names{"画面サイズ", "用紙サイズ"}));
  EXPECT_EQ(captions(box->menus().command.edit),
            (Names{"クリア", "コピー", "貼りつけ", "切り取り", "ﾈｶﾞｼｰﾄに送る"}));
  EXPECT_EQ(captions(box->menus().command.area), (Names{"シャッター", "ストロボシャッター"}));
  EXPECT_EQ(captions(box->menus().command.screen), (Names{"シャッター", "ストロボシャッター"}));
  EXPECT_EQ(captions(box->menus().command.size), (Names{"ﾃﾞﾌｫﾙﾄサイズ", "拡大", "縮小", "原寸", "変形"}));
  EXPECT_EQ(captions(box->menus().size.zoomIn), (Names{"200%", "300%", "400%", "500%"}));
  EXPECT_EQ(captions(box->menus().size.zoomOut), (Names{"50%", "25%", "20%", "10%"}));
  EXPECT_EQ(captions(box->menus().shot), (Names{"シャッター", "ストロボシャッター", "キャンセル"}));

  // Every command acts, and so do the submenus that restore or change the
  // view as they open; separators and the other submenus do nothing.
  auto actsAsItOpens = [&](const ui::MenuItem* i) {
    return i == &box->menus().command.file || i == &box->menus().command.edit ||
           i == &box->menus().command.area || i == &box->menus().command.screen;
  };
  using Items = std::vector<std::unique_ptr<ui::MenuItem>>;
  std::function<void(const Items&)> walk = [&](const Items& items) {
    for (auto& i : items) {
      EXPECT_EQ(bool(i->onClick), i->hasSubmenu() ? actsAsItOpens(i.get()) : !i->isSeparator()) << i->name();
      walk(i->items());
    }
  };
  walk(box->menus().command.items());
  for (auto& i : box->menus().shot.items()) EXPECT_TRUE(i->onClick) << i->name();
}

TEST_F(CameraBoxTest, TheOptionsCommandPutsTheHandlesAwayAndOpensTheDialog) {
  start();
  forms.palette->cameraBoxButton.click();
  choose(box->menus().size.reshape);                         // handles out
  app.dispatch([&] { box->menus().command.area.click(); });  // the framing view: marks out
  choose(box->menus().command.options);
  EXPECT_EQ(shown(), "0000|0000");
  EXPECT_TRUE(box->look().viewfinder.shown);
  EXPECT_FALSE(box->visible());
  EXPECT_TRUE(forms.optionsDialog->visible());
  EXPECT_TRUE(box->menus().size.reshape.checked());  // the mode itself stays on
}

TEST_F(CameraBoxTest, ADialogThatCannotAppearLeavesTheBoxOnTheScreen) {
  start();
  forms.palette->cameraBoxButton.click();
  struct Failing : app::Dialog {
    void open() override { throw base::Error(base::kUnexpectedError); }
  } failing;
  box->setDialogs({&failing, &failing, forms.aboutBox});
  choose(box->menus().command.options);
  EXPECT_TRUE(box->visible());
  choose(box->menus().command.help);
  EXPECT_TRUE(box->visible());
  ASSERT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_EQ(platform.messages.shown[1].text, base::kUnexpectedError);
}

}  // namespace
