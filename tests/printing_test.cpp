#include <stdexcept>

#include "sheet_fixture.h"

namespace {

using camera::PrintSize;
using Step = headless::Printer::Step;

class PrintingTest : public SheetTest {
 protected:
  headless::Printer& printer() { return platform.printer; }
  // The photo at w x h, the viewfinder and the window around it.
  void photoSize(int w, int h) {
    box->resizePhoto({w, h});
    box->fitAroundPhoto();
    box->fitAroundPhoto();
  }
  void printPhoto() {
    app.dispatch([&] { box->printPhoto(); });
  }
  void printSheet() {
    app.dispatch([&] { sheet->printContactSheet(); });
  }
  ui::Rect printedAt() {
    EXPECT_EQ(printer().jobs.size(), 1u);
    return printer().jobs.empty() ? ui::Rect{} : printer().jobs.back().dest;
  }
  static picture::Bitmap solid(int w, int h, std::uint32_t colour) {
    picture::Bitmap b = picture::Bitmap::create(w, h, 24);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b.setPixel(x, y, colour);
    return b;
  }
  int errorBoxes() const { return static_cast<int>(platform.messages.shown.size()); }
};

TEST_F(PrintingTest, ExactlyOnePrintSizeIsCheckedAndScreenSizeComesFirst) {
  EXPECT_EQ(box->printSize(), PrintSize::Screen);
  EXPECT_TRUE(box->menus().file.printScreenSize.checked());
  EXPECT_FALSE(box->menus().file.printPaperSize.checked());
  box->menus().file.printPaperSize.click();
  EXPECT_EQ(box->printSize(), PrintSize::Paper);
  EXPECT_FALSE(box->menus().file.printScreenSize.checked());
  EXPECT_TRUE(box->menus().file.printPaperSize.checked());
  box->menus().file.printScreenSize.click();
  EXPECT_EQ(box->printSize(), PrintSize::Screen);
  EXPECT_TRUE(box->menus().file.printScreenSize.checked());
  EXPECT_FALSE(box->menus().file.printPaperSize.checked());
}

// Each axis scaled by the printer's over the display's pixels per inch,
// rounded to nearest, in 64 bits.
TEST_F(PrintingTest, ScreenSizeScalesEachAxisByTheResolutions) {
  photoSize(156, 116);
  ASSERT_EQ(box->clientWidth(), 180);
  ASSERT_EQ(box->clientHeight(), 145);
  printer().page = {2479, 3508, 300, 300};
  printPhoto();
  EXPECT_EQ(printedAt(), (ui::Rect{0, 0, 563, 453}));  // 562.5 and 453.125

  printer().jobs.clear();
  printer().page = {6600, 4800, 600, 1200};
  printer().displayDpiX = printer().displayDpiY = 120;
  printPhoto();
  EXPECT_EQ(printedAt(), (ui::Rect{0, 0, 900, 1450}));

  // A display whose pixels are not square: each axis by its own.
  printer().jobs.clear();
  printer().displayDpiY = 240;
  printPhoto();
  EXPECT_EQ(printedAt(), (ui::Rect{0, 0, 900, 725}));

  // Products beyond 32 bits.
  printer().jobs.clear();
  printer().page = {4800, 6600, 2400000, 2400000};
  printer().displayDpiX = printer().displayDpiY = 96;
  photoSize(1024, 768);
  ASSERT_EQ(box->clientWidth(), 1048);
  printPhoto();
  EXPECT_EQ(printedAt(), (ui::Rect{0, 0, 26200000, 19925000}));
  EXPECT_EQ(errorBoxes(), 0);
}

TEST_F(PrintingTest, PaperSizeFillsThePageInOneDirection) {
  box->setPrintSize(PrintSize::Paper);
  struct Case {
    int photoW, photoH;
    sys::PrinterPage page;
    ui::Rect printed;
  } cases[] = {
      // Wide box (180 x 145) on a portrait page: the width fills it.
      {156, 116, {4800, 6600, 600, 600}, {0, 0, 4800, 3867}},  // 3866.67
      // Tall box (124 x 429) on a portrait page: the height fills it.
      {100, 400, {4800, 6600, 600, 600}, {0, 0, 1908, 6600}},  // 1907.69
      // Wide box on a landscape page: the height fills it.
      {156, 116, {6600, 4800, 600, 600}, {0, 0, 5959, 4800}},  // 5958.62
      // Tall box on a landscape page.
      {100, 400, {6600, 4800, 600, 600}, {0, 0, 1387, 4800}},  // 1387.41
      // Exactly the page's proportions: the width reaches it, so it fills the width.
      {96, 116, {2400, 2900, 300, 300}, {0, 0, 2400, 2900}},
      // The width that the full height gives (124 x 1001 / 429 = 289.33)
      // is the page's exactly: it fills the width, and the height that
      // gives (429 x 289 / 124 = 999.85) is one less than the page's.
      {100, 400, {289, 1001, 300, 300}, {0, 0, 289, 1000}},
  };
  for (const Case& c : cases) {
    printer().jobs.clear();
    photoSize(c.photoW, c.photoH);
    printer().page = c.page;
    printPhoto();
    EXPECT_EQ(printedAt(), c.printed) << c.photoW << "x" << c.photoH << " on " << c.page.width;
  }
  EXPECT_EQ(errorBoxes(), 0);
}

TEST_F(PrintingTest, ThePrintedImageIsTheCameraBoxAsDrawn) {
  box->showForm();
  box->setTimeStamp("12:34:56");
  box->showPicture(picture::Picture(solid(40, 30, 0x2060A0)), box->timeStamp(), app::PhotoSize::Kept);
  photoSize(80, 60);
  platform.backend.processMessages();
  const picture::Canvas* drawn = platform.backend.canvas(*box);
  ASSERT_NE(drawn, nullptr);
  printPhoto();
  ASSERT_EQ(printer().jobs.size(), 1u);
  const auto& job = printer().jobs[0];
  EXPECT_TRUE(job.printed);
  ASSERT_EQ(job.image.width(), drawn->width());
  ASSERT_EQ(job.image.height(), drawn->height());
  EXPECT_EQ(job.image.width(), 104);
  EXPECT_EQ(job.image.height(), 89);
  int differing = 0;
  for (int y = 0; y < drawn->height(); ++y)
    for (int x = 0; x < drawn->width(); ++x) differing += job.image.pixel(x, y) != drawn->pixel(x, y);
  EXPECT_EQ(differing, 0);
  // The photo at its displayed size inside the bevel; the stamp's text over the margin.
  EXPECT_EQ(job.image.pixel(12, 17), 0x2060A0u);
  EXPECT_EQ(job.image.pixel(12 + 79, 17 + 59), 0x2060A0u);
  EXPECT_NE(job.image.pixel(12 + 80, 17 + 60), 0x2060A0u);
  int stampPixels = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 10; x < 80; ++x) stampPixels += job.image.pixel(x, y) != 0;
  EXPECT_GT(stampPixels, 20);
  EXPECT_FALSE(printer().held);
}

TEST_F(PrintingTest, ACancelledOrFailingPrintOfThePhotoEndsTheJobAndSaysSoOnce) {
  printer().confirm = false;
  printPhoto();
  EXPECT_EQ(printer().dialogsShown, 1);
  EXPECT_TRUE(printer().jobs.empty());
  EXPECT_EQ(errorBoxes(), 0);
  printer().confirm = true;
  for (Step step : {Step::Dialog, Step::StartDoc, Step::StartPage, Step::Draw, Step::EndPage, Step::EndDoc}) {
    printer().jobs.clear();
    platform.messages.shown.clear();
    printer().failAt = step;
    printPhoto();
    ASSERT_EQ(errorBoxes(), 1) << static_cast<int>(step);
    EXPECT_EQ(platform.messages.shown[0].text, sys::kCannotPrint);
    EXPECT_FALSE(printer().held);
    for (const auto& job : printer().jobs) EXPECT_FALSE(job.printed);
  }
}

// Below every monitor: here one more stands left of the screen and lower.
TEST_F(PrintingTest, ContactSheetGridOnAWideScreen) {
  platform.screen.monitorList = {{{0, 0, 1024, 768}, 96}, {{-1280, 0, 1280, 1024}, 96}};
  bool seen = false;
  printer().onDialog = [&] {
    seen = true;
    EXPECT_EQ(sheet->top(), 1024 + 10);
    EXPECT_FALSE(sheet->look().columnShown);
    EXPECT_EQ(sheet->clientWidth(), 682);
    EXPECT_EQ(sheet->clientHeight(), 425);
    EXPECT_EQ(sheet->look().strip.bounds, (ui::Rect{0, 0, 682, 425}));
    EXPECT_EQ(sheet->look().strip.position, 0);
    const sheet::NegativeSheet::SheetLook look = sheet->look();
    for (int i = 0; i < sheet::kFilmFrames; ++i) {
      const sheet::NegativeSheet::FrameLook& f = look.frames[i];
      EXPECT_EQ(f.bevel, ui::BevelCut::None);
      EXPECT_EQ(f.panel.left, 75 * (i % 9)) << i;
      EXPECT_EQ(f.panel.top, 100 * (i / 9)) << i;
      EXPECT_EQ(f.captionBounds.top, f.panel.top + 76) << i;
      if (i >= 9) {
        EXPECT_EQ(f.captionBounds.left, f.panel.left + 3) << i;
      }
    }
    EXPECT_FALSE(sheet->look().frames[sheet::kOverflow].shown);
  };
  printer().confirm = false;
  sheet->showForm();
  printSheet();
  EXPECT_TRUE(seen);
}

TEST_F(PrintingTest, ContactSheetGridOnA640PixelScreen) {
  // A second program, on a 640 x 480 screen, in the same folder.
  headless::Platform small(640, 480);
  small.files = platform.files;
  sys::Services smallServices = small.services();
  app::Settings smallSettings;
  ui::Application smallApp{small.backend, small.messages, small.screen};
  small.backend.setApplication(&smallApp);
  sheet::NegativeSheet* s = shell::startUp(smallApp, smallServices, smallSettings).negativeSheet;
  bool seen = false;
  small.printer.onDialog = [&] {
    seen = true;
    EXPECT_EQ(s->top(), 490);
    EXPECT_EQ(s->clientWidth(), 604);
    EXPECT_EQ(s->clientHeight(), 454);
    const sheet::NegativeSheet::SheetLook look = s->look();
    for (int i = 0; i < sheet::kFilmFrames; ++i) {
      const sheet::NegativeSheet::FrameLook& f = look.frames[i];
      EXPECT_EQ(f.panel.left, 75 * (i % 8)) << i;
      EXPECT_EQ(f.panel.top, 90 * (i / 8)) << i;
      EXPECT_EQ(f.captionBounds.top, f.panel.top + 76) << i;
    }
    // Frame 33 starts the fifth row, frame 36 ends it in the fourth column.
    EXPECT_EQ(s->look().frames[32].panel, (ui::Rect{0, 360, 75, 75}));
    EXPECT_EQ(s->look().frames[35].panel, (ui::Rect{225, 360, 75, 75}));
  };
  smallApp.dispatch([&] { s->printContactSheet(); });
  EXPECT_TRUE(seen);
  ASSERT_EQ(small.printer.jobs.size(), 1u);
  EXPECT_EQ(small.printer.jobs[0].imageWidth, 604);
  EXPECT_EQ(small.printer.jobs[0].imageHeight, 454);
  EXPECT_EQ(s->bounds(), (ui::Rect{0, 480 - 136, 640, 136}));
}

TEST_F(PrintingTest, TheSheetFillsThePageWidthAtTheTopAndShowsTheFilm) {
  box->showPicture(picture::Picture(solid(40, 30, 0xFF0000)), "1", app::PhotoSize::Kept);
  box->storePhotoInFilm();
  idle();
  printer().page = {4800, 6600, 600, 600};
  printSheet();
  ASSERT_EQ(printer().jobs.size(), 1u);
  const auto& job = printer().jobs[0];
  EXPECT_TRUE(job.printed);
  EXPECT_EQ(job.dest, (ui::Rect{0, 0, 4800, 2991}));
  ASSERT_EQ(job.image.width(), 682);
  ASSERT_EQ(job.image.height(), 425);
  // The picture in frame 1, the placeholder's frame 28 at the start of the fourth row.
  EXPECT_EQ(job.image.pixel(37, 37), 0xFF0000u);
  EXPECT_NE(job.image.pixel(37, 337), 0xFF0000u);
  int dark = 0;
  for (int y = 300; y < 375; ++y)
    for (int x = 0; x < 75; ++x) dark += (job.image.pixel(x, y) & 0xFF) < 0x40;
  EXPECT_GT(dark, 10);  // the placeholder's text
  EXPECT_EQ(errorBoxes(), 0);
}

// Whatever happens after the grid is laid out, the sheet ends at the
// bottom of the screen in its strip, scrolled to frame 1, playing from 1,
// frames raised; the selected caption stays red.
TEST_F(PrintingTest, TheSheetIsPutBackAfterACancelAFailureAtEachStepOrAnException) {
  fill(3);
  sheet->showForm();
  auto disturb = [&] {
    sheet->setBounds({40, 100, 500, 200});
    sheet->scrollStrip(300);
    sheet->film().playStep();  // past frame 1
    sheet->toggleFrame(1);
    platform.messages.shown.clear();
    printer().jobs.clear();
  };
  auto expectPutBack = [&](const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(sheet->bounds(), (ui::Rect{0, 768 - 136, 1024, 136}));
    EXPECT_TRUE(sheet->look().columnShown);
    EXPECT_EQ(sheet->look().strip.bounds.left, 89);
    EXPECT_EQ(sheet->look().strip.position, 0);
    EXPECT_EQ(sheet->film().playPosition(), 0);
    const sheet::NegativeSheet::SheetLook look = sheet->look();
    for (int i = 0; i < sheet::kFilmFrames; ++i) {
      const sheet::NegativeSheet::FrameLook& f = look.frames[i];
      EXPECT_EQ(f.bevel, ui::BevelCut::Raised) << i;
      EXPECT_EQ(f.panel, (ui::Rect{75 * i, 0, 75, 75})) << i;
      EXPECT_EQ(f.captionBounds.top, 76) << i;
      if (i >= 8) {
        EXPECT_EQ(f.captionBounds.left, 75 * i + 3) << i;
      }
    }
    EXPECT_TRUE(sheet->film().redFrame() == 1);
    EXPECT_FALSE(printer().held);
  };

  disturb();
  printer().confirm = false;
  printSheet();
  expectPutBack("cancelled");
  EXPECT_EQ(errorBoxes(), 0);
  EXPECT_TRUE(printer().jobs.empty());
  printer().confirm = true;

  for (Step step : {Step::Dialog, Step::StartDoc, Step::StartPage, Step::Draw, Step::EndPage, Step::EndDoc}) {
    disturb();
    printer().failAt = step;
    printSheet();
    expectPutBack(("failing step " + std::to_string(static_cast<int>(step))).c_str());
    ASSERT_EQ(errorBoxes(), 1);
    EXPECT_EQ(platform.messages.shown[0].text, sys::kCannotPrint);
    for (const auto& job : printer().jobs) EXPECT_FALSE(job.printed);
  }
  printer().failAt = Step::None;

  disturb();
  printer().onDialog = [] { throw std::logic_error("broken"); };
  EXPECT_THROW(sheet->printContactSheet(), std::logic_error);
  expectPutBack("exception");
}

}  // namespace
