// Scaled displays and several monitors: what a user reads or clicks takes
// the DPI of the monitor its window stands on; pictures keep their pixels.
#include "app_fixture.h"
#include "camera/camera_box.h"
#include "dialogs/options_dialog.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "ui/check_box.h"
#include "ui/painter.h"
#include "ui/scale.h"

namespace {

using camera::Edge;

TEST(ScaleRule, RoundsHalfAwayFromZeroAndComesBack) {
  EXPECT_EQ(ui::scaled(1, 120), 1);    // 1.25
  EXPECT_EQ(ui::scaled(1, 144), 2);    // 1.5
  EXPECT_EQ(ui::scaled(-1, 144), -2);  // as far from zero the other way
  EXPECT_EQ(ui::scaled(15, 144), 23);  // 22.5
  EXPECT_EQ(ui::scaled(10, 120), 13);  // 12.5
  EXPECT_EQ(ui::scaled(130, 144), 195);
  for (int dpi : {96, 120, 144, 168, 192, 288})
    for (int x = -400; x <= 400; ++x) ASSERT_EQ(ui::unscaled(ui::scaled(x, dpi), dpi), x) << dpi;
  // A pixel between two scaled coordinates belongs to the lower one.
  EXPECT_EQ(ui::unscaled(4, 144), 2);
}

// Every screen pixel tells where it is on the desktop.
std::uint32_t patternAt(int x, int y) { return std::uint32_t(x + 2000) << 12 | std::uint32_t(y); }

void paintPattern(headless::Screen& screen, ui::Rect desktop) {
  screen.image = picture::Bitmap::create(desktop.width, desktop.height, 32);
  screen.imageLeft = desktop.left;
  screen.imageTop = desktop.top;
  for (int y = 0; y < desktop.height; ++y)
    for (int x = 0; x < desktop.width; ++x)
      screen.image.setPixel(x, y, patternAt(desktop.left + x, desktop.top + y));
}

// One monitor of 1024 x 768 at a DPI, and what the windows measure there in
// device pixels.
struct Scale {
  int dpi;
  int paletteWidth, paletteHeight;  // client area
  int marginLeft, marginTop;        // the camera box's; right and bottom are as the left
  int handle;                       // an edge handle's thickness
  int sheetHeight;                  // client area
  int optionsWidth, optionsHeight;  // client area
};

class ScaledTest : public AppTest, public ::testing::WithParamInterface<Scale> {
 protected:
  ScaledTest() {
    platform.screen.monitorList = {{{0, 0, 1024, 768}, GetParam().dpi}};
    paintPattern(platform.screen, {0, 0, 1024, 768});
    forms = shell::startUp(app, services, settings);
    app.run();
  }
  // The width a control's caption takes at a DPI (a check box's or a radio
  // button's with its mark and the gap after it).
  int captionWidth(ui::Control& c, int dpi) {
    ui::ScaledPainter painter(platform.backend.painter(), dpi);
    int width = painter.measureText(c.font(), c.caption()).width;
    if (dynamic_cast<ui::CheckControl*>(&c)) width += painter.scaled(13 + 4);
    return width;
  }
};

TEST_P(ScaledTest, PaletteAndTheCameraBoxAroundAPhotoOfDevicePixels) {
  const Scale& s = GetParam();
  shell::Palette& palette = *forms.palette;
  EXPECT_EQ(palette.dpi(), s.dpi);
  EXPECT_EQ(palette.deviceClientWidth(), s.paletteWidth);
  EXPECT_EQ(palette.deviceClientHeight(), s.paletteHeight);
  EXPECT_EQ(palette.clientWidth(), 30) << "the layout keeps the design's numbers";
  EXPECT_EQ(palette.deviceBounds(palette.cameraBoxButton).top, 0);
  EXPECT_EQ(palette.deviceBounds(palette.endButton).bottom(), s.paletteHeight) << "the buttons fill it";

  camera::CameraBox& box = *forms.cameraBox;
  box.setKeepHidden(false);
  box.showForm();
  platform.backend.advance(200);
  EXPECT_EQ(box.look().viewfinder.bounds, (ui::Rect{s.marginLeft, s.marginTop, 160, 120}));
  EXPECT_EQ(box.photoBounds(), (ui::Rect{2, 2, 156, 116})) << "the default size is in device pixels";
  EXPECT_EQ(box.bounds(), (ui::Rect{300, 0, 160 + 2 * s.marginLeft, 120 + s.marginTop + s.marginLeft}));
  app.dispatch([&] { box.showAimingView(); });
  EXPECT_EQ(box.look().handles[Edge::Left].bounds,
            (ui::Rect{s.marginLeft - s.handle, s.marginTop, s.handle, 120}));
  EXPECT_EQ(box.look().handles[Edge::Bottom].bounds,
            (ui::Rect{s.marginLeft, s.marginTop + 120, 160, s.handle}));
  EXPECT_EQ(box.look().stamp.font, ui::Font({"ＭＳ Ｐゴシック", 12, ui::clBlack, true}))
      << "fonts keep their design size; the painter scales them";

  app.dispatch([&] { box.shots().shootArea(camera::ShotTiming::from(settings)); });
  ui::Rect under{300 + s.marginLeft + 2, s.marginTop + 2, 156, 116};
  EXPECT_EQ(platform.screen.copies.back().rect, under);
  const picture::Bitmap& shot = box.photoPicture().bitmap();
  ASSERT_EQ(shot.width(), 156);
  EXPECT_EQ(shot.pixel(0, 0), patternAt(under.left, under.top));
  EXPECT_EQ(shot.pixel(155, 115), patternAt(under.right() - 1, under.bottom() - 1));
}

TEST_P(ScaledTest, SheetAlongTheBottomOfThePrimaryMonitor) {
  const Scale& s = GetParam();
  sheet::NegativeSheet& sheet = *forms.negativeSheet;
  app.dispatch([&] { sheet.showForm(); });
  EXPECT_EQ(sheet.left(), 0);
  EXPECT_EQ(sheet.width(), 1024);
  EXPECT_EQ(sheet.bounds().bottom(), 768);
  EXPECT_EQ(sheet.deviceClientHeight(), s.sheetHeight);
  const sheet::NegativeSheet::SheetLook look = sheet.look();
  // On the strip's content, in device pixels.
  auto onContent = [&](ui::Rect r) {
    return sheet.toDevice(r.offset(look.strip.content.x, look.strip.content.y));
  };
  ui::Rect column = sheet.toDevice(look.column), strip = sheet.toDevice(look.strip.bounds);
  EXPECT_EQ(column.height, s.sheetHeight);
  EXPECT_EQ(strip.left, column.right()) << "the strip follows the column";
  ui::Rect first = onContent(look.frames[0].panel), second = onContent(look.frames[1].panel);
  EXPECT_EQ(second.left, first.right()) << "frames stand side by side";
  EXPECT_GT(onContent(look.frames[0].captionBounds).top, first.bottom() - 1) << "the caption below its frame";
}

TEST_P(ScaledTest, OptionsDialogCentredAndEveryCaptionWhole) {
  const Scale& s = GetParam();
  dialogs::OptionsDialog& options = *forms.optionsDialog;
  EXPECT_EQ(options.deviceClientWidth(), s.optionsWidth);
  EXPECT_EQ(options.deviceClientHeight(), s.optionsHeight);
  EXPECT_EQ(options.left(), (1024 - options.width()) / 2);
  EXPECT_EQ(options.top(), (768 - options.height()) / 2);
  // No caption of any window is cut that is whole at 96 DPI: each fits its
  // control as the form places it at this DPI.
  int whole = 0;
  for (const auto& form : app.forms()) {
    ui::forEachDescendant(*form, [&](ui::Control& c) {
      if (c.caption().empty() || captionWidth(c, ui::kDesignDpi) > c.width()) return;
      ++whole;
      EXPECT_LE(captionWidth(c, s.dpi), form->deviceBounds(c).width) << form->name() << " " << c.name();
    });
  }
  EXPECT_GT(whole, 50);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaledTest,
                         ::testing::Values(Scale{120, 38, 163, 13, 19, 6, 136, 496, 566},
                                           Scale{144, 45, 195, 15, 23, 8, 164, 596, 680},
                                           Scale{192, 60, 260, 20, 30, 10, 218, 794, 906}),
                         [](const ::testing::TestParamInfo<Scale>& info) {
                           return "dpi" + std::to_string(info.param.dpi);
                         });

// A desk of two monitors: the primary one of 1024 x 768 at 96 DPI, and a
// second one of 800 x 600 beside it.
class MonitorsTest : public AppTest {
 protected:
  void start(sys::Monitor second) {
    platform.screen.monitorList = {{{0, 0, 1024, 768}, 96}, second};
    ui::Rect a = platform.screen.monitorList[0].area, b = second.area;
    int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    paintPattern(platform.screen,
                 {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top});
    forms = shell::startUp(app, services, settings);
    app.run();
    box = forms.cameraBox;
    box->setKeepHidden(false);
    box->showForm();
  }
  void storePositions(int boxLeft, int boxTop, int sheetTop, int paletteLeft, int paletteTop) {
    for (auto [name, value] : {std::pair{"Left", boxLeft},
                               {"Top", boxTop},
                               {"Image.Top", sheetTop},
                               {"Main.Left", paletteLeft},
                               {"Main.Top", paletteTop}})
      platform.registry.put(app::kPositionKey, name, sys::Registry::dword(value));
  }
  camera::CameraBox* box = nullptr;
};

TEST_F(MonitorsTest, FullScreenShotTakesTheMonitorUnderTheBoxCentre) {
  start({{1024, 0, 800, 600}, 96});
  box->setBounds({1200, 100, 180, 145});
  app.dispatch([&] { box->shots().shootScreen(camera::ShotTiming::from(settings)); });
  EXPECT_EQ(platform.screen.copies.back().rect, (ui::Rect{1024, 0, 800, 600}));
  EXPECT_EQ(box->photoPicture().bitmap().pixel(0, 0), patternAt(1024, 0));
  EXPECT_EQ(box->photoBounds().width, 200) << "shown at a quarter";
  EXPECT_EQ(box->photoBounds().height, 150);
  // Smaller than the primary monitor, it is still shown at a quarter when
  // its frame is clicked in the sheet.
  box->resizePhoto({50, 40});
  forms.negativeSheet->toggleFrame(0);
  EXPECT_EQ(box->photoBounds().width, 200);
  EXPECT_EQ(box->photoBounds().height, 150);
  // Its centre below the second monitor stands on none: the primary one.
  box->setBounds({1100, 640, 180, 145});
  app.dispatch([&] { box->shots().shootScreen(camera::ShotTiming::from(settings)); });
  EXPECT_EQ(platform.screen.copies.back().rect, (ui::Rect{0, 0, 1024, 768}));
}

TEST_F(MonitorsTest, AreaShotOnAMonitorLeftOfThePrimary) {
  start({{-800, 0, 800, 600}, 96});
  box->setBounds({-700, 50, 180, 145});
  app.dispatch([&] { box->shots().shootArea(camera::ShotTiming::from(settings)); });
  const picture::Bitmap& shot = box->photoPicture().bitmap();
  ASSERT_EQ(shot.width(), 156);
  EXPECT_EQ(shot.pixel(0, 0), patternAt(-700 + 12, 50 + 17));
  EXPECT_EQ(shot.pixel(155, 115), patternAt(-700 + 12 + 155, 50 + 17 + 115));
}

TEST_F(MonitorsTest, PositionsOnARemovedMonitorComeBackOnThePrimary) {
  storePositions(1500, 100, 2000, 5000, -300);
  platform.screen.monitorList = {{{0, 0, 1024, 768}, 96}};
  forms = shell::startUp(app, services, settings);
  app.run();
  app.dispatch([&] { forms.negativeSheet->showForm(); });
  EXPECT_EQ(forms.cameraBox->bounds().left, 1024 - forms.cameraBox->width()) << "the nearest place";
  EXPECT_EQ(forms.cameraBox->bounds().top, 100);
  EXPECT_EQ(forms.palette->left(), 1024 - forms.palette->width());
  EXPECT_EQ(forms.palette->top(), 0);
  EXPECT_EQ(forms.negativeSheet->bounds().bottom(), 768);
}

TEST_F(MonitorsTest, PositionsOnAMonitorThatIsThereAreKept) {
  storePositions(1500, 100, 500, 1700, -300);
  start({{1024, -400, 800, 600}, 144});
  app.dispatch([&] { forms.negativeSheet->showForm(); });
  EXPECT_EQ(box->left(), 1500);
  EXPECT_EQ(box->top(), 100);
  EXPECT_EQ(forms.palette->left(), 1700);
  EXPECT_EQ(forms.palette->top(), -300);
  EXPECT_EQ(forms.palette->dpi(), 144) << "and each takes its monitor's DPI";
  EXPECT_EQ(forms.negativeSheet->top(), 500);
}

TEST_F(MonitorsTest, MoveToAMonitorOfAnotherDpiAndBack) {
  start({{1024, 0, 800, 600}, 144});
  shell::Palette& palette = *forms.palette;
  palette.setBounds({1100, 50, palette.width(), palette.height()});
  EXPECT_EQ(palette.dpi(), 144);
  EXPECT_EQ(palette.left(), 1100) << "the window keeps its corner";
  EXPECT_EQ(palette.deviceClientWidth(), 45);
  EXPECT_EQ(palette.deviceClientHeight(), 195);

  platform.backend.advance(200);
  app.dispatch([&] { box->setTimeStamp("12:34:56"); });
  box->setBounds({1200, 100, box->width(), box->height()});
  platform.backend.advance(200);
  EXPECT_EQ(box->dpi(), 144);
  EXPECT_EQ(box->photoBounds(), (ui::Rect{2, 2, 156, 116})) << "the photo keeps its pixels";
  EXPECT_EQ(box->look().viewfinder.bounds, (ui::Rect{15, 23, 160, 120}));
  EXPECT_EQ(box->bounds(), (ui::Rect{1200, 100, 190, 158}));
  ui::ScaledPainter painter(platform.backend.painter(), 144);
  auto textWidth = [&painter](const ui::Font& font, const std::string& text) {
    return painter.measureText(font, text).width;
  };
  const camera::CameraBox::StampLook stamp = box->look().stamp;
  EXPECT_EQ(stamp.bounds.width, textWidth(stamp.font, stamp.text))
      << "a label sized to its text is sized again";

  dialogs::OptionsDialog& options = *forms.optionsDialog;
  options.setBounds({1100, 0, options.width(), options.height()});
  EXPECT_GE(options.deviceBounds(options.pixelsLabel).width,
            textWidth(options.pixelsLabel.font(), options.pixelsLabel.caption()));

  palette.setBounds({10, 10, palette.width(), palette.height()});
  box->setBounds({300, 0, box->width(), box->height()});
  platform.backend.advance(200);
  EXPECT_EQ(palette.dpi(), 96);
  EXPECT_EQ(palette.deviceClientWidth(), 30);
  EXPECT_EQ(palette.deviceClientHeight(), 130);
  EXPECT_EQ(box->bounds(), (ui::Rect{300, 0, 180, 145}));
}

}  // namespace
