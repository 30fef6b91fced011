#include "app_fixture.h"
#include "camera/form1.h"
#include "dialogs/about_dlg.h"
#include "dialogs/help_dlg.h"
#include "dialogs/option_dlg.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/settings.h"
#include "shell/startup_window.h"
#include "shell/window_refs.h"
#include "sheet/image_list_dlg.h"

namespace {

using Value = sys::Registry::Value;
const std::string kKey = "\\Software\\Olvane\\Mirune36枚撮り";

class StartUpTest : public AppTest {
 protected:
  void startUp() { shell::startUp(app, services); }
};

TEST_F(StartUpTest, GaugeShowsItsStepsAtEachSynchronousRepaint) {
  std::vector<int> seen;
  std::vector<std::string> formsAtPaint;
  platform.backend.onPaint = [&](ui::Form& f) {
    if (auto* s = dynamic_cast<TStartUpDlg*>(&f)) {
      seen.push_back(s->Gauge1.progress());
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
  auto* startUpDlg = dynamic_cast<TStartUpDlg*>(app.forms()[0].get());
  ASSERT_NE(startUpDlg, nullptr);
  EXPECT_EQ(startUpDlg->caption(), "Mirune\u3000起動中");
  EXPECT_EQ(startUpDlg->clientWidth(), 232);
  EXPECT_EQ(startUpDlg->clientHeight(), 36);
  EXPECT_EQ(startUpDlg->left() + startUpDlg->width() / 2, 1024 / 2);
  EXPECT_EQ(startUpDlg->Gauge1.bounds(), (ui::Rect{16, 8, 201, 19}));
  EXPECT_EQ(startUpDlg->Gauge1.maxValue(), 10);
  EXPECT_EQ(startUpDlg->Gauge1.percent(), 80);
  EXPECT_EQ(app.forms()[1].get(), static_cast<ui::Form*>(Main));
  EXPECT_EQ(app.forms()[2].get(), static_cast<ui::Form*>(Form1));
  EXPECT_EQ(app.forms()[3].get(), static_cast<ui::Form*>(OptionDlg));
  EXPECT_EQ(app.forms()[4].get(), static_cast<ui::Form*>(ImageListDlg));
  EXPECT_EQ(app.forms()[5].get(), static_cast<ui::Form*>(HelpDlg));
  EXPECT_EQ(app.forms()[6].get(), static_cast<ui::Form*>(AboutDlg));
  EXPECT_EQ(app.mainForm(), Main);
  EXPECT_EQ(platform.backend.title(), "Mirune 36 枚撮り");

  app.processMessages();  // the loop begins: the posted release runs
  EXPECT_EQ(app.forms().size(), 6u);
  app.run();  // headless: shows the main form, returns with nothing to wait for
  for (auto& f : app.forms()) EXPECT_EQ(f->visible(), f.get() == Main) << f->name();
  EXPECT_TRUE(Form1->hold);
  EXPECT_FALSE(Main->SpeedButton5.down());
}

TEST_F(StartUpTest, PaletteOnFirstStart) {
  startUp();
  app.run();
  EXPECT_FALSE(platform.registry.exists(kKey));
  EXPECT_EQ(Main->left(), 0);
  EXPECT_EQ(Main->top(), 0);
  EXPECT_EQ(Main->clientWidth(), 30);
  EXPECT_EQ(Main->clientHeight(), 130);
  EXPECT_EQ(Main->caption(), "Mirune");
  EXPECT_EQ(platform.backend.hintColor(), ui::rgb(0, 255, 255));
  struct Expect {
    ui::SpeedButton& b;
    int top, glyphWidth;
    const char* hint;
  } expect[] = {{Main->SpeedButton1, 0, 27, "カメラボックスを表示します"},
                {Main->SpeedButton4, 26, 27, "ネガシートを表示します"},
                {Main->SpeedButton5, 52, 26, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの画像を横取りします"},
                {Main->SpeedButton2, 78, 27, "ヘルプを表示します"},
                {Main->SpeedButton3, 104, 27, "Miruneを終了します"}};
  for (auto& e : expect) {
    EXPECT_EQ(e.b.bounds(), (ui::Rect{0, e.top, 30, 26})) << e.hint;
    EXPECT_EQ(e.b.hint(), e.hint);
    EXPECT_TRUE(e.b.showHint());
    EXPECT_EQ(e.b.glyph().width(), e.glyphWidth);
    EXPECT_EQ(e.b.glyph().height(), 23);
    EXPECT_TRUE(e.b.caption().empty());
  }
  // The palette was painted, glyphs and all: the end glyph's black shows.
  const picture::Canvas* c = platform.backend.canvas(*Main);
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
  EXPECT_EQ(Main->top(), 200);
  EXPECT_EQ(Main->left(), -5);
  EXPECT_EQ(Form1->top(), 33);
  EXPECT_EQ(Form1->left(), 44);
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(StartUpTest, CameraBoxCreationUsesDefaultsThenTheFile) {
  writeIni("[Option]\nyoko=320\ntate=240\nrenzoku=6\n");
  startUp();
  EXPECT_EQ(Form1->bounds(), (ui::Rect{300, 0, 180, 145}));
  EXPECT_EQ(Form1->Image1.bounds(), (ui::Rect{2, 2, 156, 116}));
  EXPECT_EQ(Form1->Image1.picture().width(), 156);
  EXPECT_EQ(Form1->Image1.picture().bitmap().bitsPerPixel(), 8);
  EXPECT_EQ(yoko, 320);
  EXPECT_EQ(tate, 240);
  EXPECT_EQ(renzoku, 6);
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
  EXPECT_EQ(Main->top(), 0);
  EXPECT_EQ(Main->left(), 0);
  EXPECT_TRUE(Main->visible());
}

TEST_F(StartUpTest, AMissingCameraPositionSkipsTheSettingsFile) {
  platform.registry.put(kKey, "Top", headless::Registry::dword(70));
  platform.registry.put(kKey, "Main.Top", headless::Registry::dword(0));
  platform.registry.put(kKey, "Main.Left", headless::Registry::dword(0));
  writeIni("[Option]\nrenzoku=9\n");
  startUp();
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "'Left' の取得に失敗しました");
  EXPECT_EQ(Form1->top(), 70);
  EXPECT_EQ(renzoku, 4);  // not loaded in this run
  EXPECT_EQ(app.forms().size(), 7u);  // the start-up went on
}

}  // namespace
