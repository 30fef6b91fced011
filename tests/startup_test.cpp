#include "app/settings.h"
#include "app_fixture.h"
#include "camera/camera_box.h"
#include "dialogs/about_box.h"
#include "dialogs/help_window.h"
#include "dialogs/options_dialog.h"
#include "sheet/negative_sheet.h"
#include "shell/palette.h"
#include "shell/program.h"
#include "shell/startup_window.h"

namespace {

using Value = sys::Registry::Value;
const std::string kKey = "\\Software\\Olvane\\Mirune36枚撮り";

class StartUpTest : public AppTest {
 protected:
  void startUp() { forms = shell::startUp(app, services, settings); }
};

TEST_F(StartUpTest, GaugeShowsItsStepsAtEachSynchronousRepaint) {
  std::vector<int> seen;
  std::vector<std::string> formsAtPaint;
  platform.backend.onPaint = [&](ui::Form& f) {
    if (auto* s = dynamic_cast<shell::StartUpWindow*>(&f)) {
      seen.push_back(s->progressBar.progress());
      formsAtPaint.push_back(std::to_string(app.forms().size()));
    }
  };
  startUp();
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 6, 7, 8}));
  // One more window exists at each step: start-up window, then the six.
  EXPECT_EQ(formsAtPaint, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
}

TEST_F(StartUpTest, WindowsAreMadeInOrderAndTheStartUpWindowGoesWithTheLoop) {
  startUp();
  ASSERT_EQ(app.forms().size(), 7u);
  auto* startUpWindow = dynamic_cast<shell::StartUpWindow*>(app.forms()[0].get());
  ASSERT_NE(startUpWindow, nullptr);
  EXPECT_EQ(startUpWindow->caption(), "Mirune\u3000起動中");
  EXPECT_EQ(startUpWindow->clientWidth(), 232);
  EXPECT_EQ(startUpWindow->clientHeight(), 36);
  EXPECT_EQ(startUpWindow->left() + startUpWindow->width() / 2, 1024 / 2);
  EXPECT_EQ(startUpWindow->progressBar.bounds(), (ui::Rect{16, 8, 201, 19}));
  EXPECT_EQ(startUpWindow->progressBar.maxValue(), 10);
  EXPECT_EQ(startUpWindow->progressBar.percent(), 80);
  EXPECT_EQ(app.forms()[1].get(), forms.palette);
  EXPECT_EQ(app.forms()[2].get(), forms.cameraBox);
  EXPECT_EQ(app.forms()[3].get(), forms.optionsDialog);
  EXPECT_EQ(app.forms()[4].get(), forms.negativeSheet);
  EXPECT_EQ(app.forms()[5].get(), forms.helpWindow);
  EXPECT_EQ(app.forms()[6].get(), forms.aboutBox);
  EXPECT_EQ(app.mainForm(), forms.palette);
  EXPECT_EQ(platform.backend.title(), "Mirune 36 枚撮り");

  app.processMessages();  // the loop begins: the posted release runs
  EXPECT_EQ(app.forms().size(), 6u);
  app.run();  // headless: shows the main form, returns with nothing to wait for
  for (auto& f : app.forms()) EXPECT_EQ(f->visible(), f.get() == forms.palette) << f->name();
  EXPECT_TRUE(forms.cameraBox->keepHidden());
  EXPECT_FALSE(forms.palette->clipboardButton.down());
}

TEST_F(StartUpTest, PaletteOnFirstStart) {
  startUp();
  app.run();
  EXPECT_FALSE(platform.registry.exists(kKey));
  EXPECT_EQ(forms.palette->left(), 0);
  EXPECT_EQ(forms.palette->top(), 0);
  EXPECT_EQ(forms.palette->clientWidth(), 30);
  EXPECT_EQ(forms.palette->clientHeight(), 130);
  EXPECT_EQ(forms.palette->caption(), "Mirune");
  EXPECT_EQ(app.hintColor(), ui::rgb(0, 255, 255));
  struct Expect {
    ui::SpeedButton& b;
    int top, glyphWidth;
    const char* hint;
  } expect[] = {{forms.palette->cameraBoxButton, 0, 27, "カメラボックスを表示します"},
                {forms.palette->negativeSheetButton, 26, 27, "ネガシートを表示します"},
                {forms.palette->clipboardButton, 52, 26, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの画像を横取りします"},
                {forms.palette->helpButton, 78, 27, "ヘルプを表示します"},
                {forms.palette->endButton, 104, 27, "Miruneを終了します"}};
  for (auto& e : expect) {
    EXPECT_EQ(e.b.bounds(), (ui::Rect{0, e.top, 30, 26})) << e.hint;
    EXPECT_EQ(e.b.hint(), e.hint);
    EXPECT_TRUE(e.b.showHint());
    EXPECT_EQ(e.b.glyph().width(), e.glyphWidth);
    EXPECT_EQ(e.b.glyph().height(), 23);
    EXPECT_TRUE(e.b.caption().empty());
  }
  // The palette was painted, glyphs and all: the end glyph's black shows.
  const picture::Canvas* c = platform.backend.canvas(*forms.palette);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->pixel(15, 104 + 3), 0x000000u);
  EXPECT_EQ(c->pixel(15, 26 + 3), 0xFF00FFu);  // sheet glyph background
}

TEST_F(StartUpTest, StoredPositionsAreApplied) {
  platform.registry.put(kKey, "Main.Top", headless::Registry::dword(200));
  platform.registry.put(kKey, "Main.Left", headless::Registry::dword(-5));
  platform.registry.put(kKey, "Top", headless::Registry::dword(33));
  platform.registry.put(kKey, "Left", headless::Registry::dword(44));
  startUp();
  app.run();
  EXPECT_EQ(forms.palette->top(), 200);
  EXPECT_EQ(forms.palette->left(), -5);
  EXPECT_EQ(forms.cameraBox->top(), 33);
  EXPECT_EQ(forms.cameraBox->left(), 44);
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(StartUpTest, CameraBoxCreationUsesDefaultsThenTheFile) {
  writeIni("[Option]\nyoko=320\ntate=240\nrenzoku=6\n");
  startUp();
  EXPECT_EQ(forms.cameraBox->bounds(), (ui::Rect{300, 0, 180, 145}));
  EXPECT_EQ(forms.cameraBox->photoBounds(), (ui::Rect{2, 2, 156, 116}));
  EXPECT_EQ(forms.cameraBox->photoPicture().width(), 156);
  EXPECT_EQ(forms.cameraBox->photoPicture().bitmap().bitsPerPixel(), 8);
  EXPECT_EQ(settings.defaultViewfinderWidth, 320);
  EXPECT_EQ(settings.defaultViewfinderHeight, 240);
  EXPECT_EQ(settings.strobeCount, 6);
}

TEST_F(StartUpTest, ABadMainPositionIsReportedAndTheWindowStays) {
  platform.registry.put(kKey, "Top", headless::Registry::dword(1));
  platform.registry.put(kKey, "Left", headless::Registry::dword(2));
  platform.registry.put(kKey, "Main.Top", Value{sys::Registry::Type::String, {'7', 0}});
  startUp();
  app.run();
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "'Main.Top' のﾃﾞｰﾀ型が不正です");
  EXPECT_EQ(platform.messages.shown[0].icon, sys::MsgIcon::Error);
  EXPECT_EQ(forms.palette->top(), 0);
  EXPECT_EQ(forms.palette->left(), 0);
  EXPECT_TRUE(forms.palette->visible());
}

TEST_F(StartUpTest, AMissingCameraPositionSkipsTheSettingsFile) {
  platform.registry.put(kKey, "Top", headless::Registry::dword(70));
  platform.registry.put(kKey, "Main.Top", headless::Registry::dword(0));
  platform.registry.put(kKey, "Main.Left", headless::Registry::dword(0));
  writeIni("[Option]\nrenzoku=9\n");
  startUp();
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "'Left' の取得に失敗しました");
  EXPECT_EQ(forms.cameraBox->top(), 70);
  EXPECT_EQ(settings.strobeCount, 4);  // not loaded in this run
  EXPECT_EQ(app.forms().size(), 7u);   // the start-up went on
}

}  // namespace
