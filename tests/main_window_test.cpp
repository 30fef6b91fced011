#include "app_fixture.h"
#include "camera/form1.h"
#include "dialogs/help_dlg.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/window_refs.h"
#include "sheet/image_list_dlg.h"

namespace {

const std::string kKey = "\\Software\\Olvane\\Mirune36枚撮り";

class PaletteTest : public AppTest {
 protected:
  PaletteTest() {
    shell::startUp(app, services);
    app.run();
  }
  std::int32_t stored(const std::string& name) {
    auto v = platform.registry.value(kKey, name);
    EXPECT_TRUE(v.has_value()) << name;
    if (!v || v->type != sys::Registry::Type::Dword || v->data.size() != 4) return INT32_MIN;
    std::uint32_t u = v->data[0] | v->data[1] << 8 | v->data[2] << 16 | std::uint32_t(v->data[3]) << 24;
    return static_cast<std::int32_t>(u);
  }
  void endButton() { app.dispatch([&] { Main->SpeedButton3.click(); }); }
};

TEST_F(PaletteTest, CameraButtonShowsAndHidesWithTheHoldFlag) {
  Form1->setBounds({123, 45, 180, 145});
  Main->SpeedButton1.click();
  EXPECT_TRUE(Form1->visible());
  EXPECT_FALSE(Form1->hold);
  Main->SpeedButton1.click();
  EXPECT_FALSE(Form1->visible());
  EXPECT_TRUE(Form1->hold);
  Main->SpeedButton1.click();
  EXPECT_TRUE(Form1->visible());
  EXPECT_EQ(Form1->bounds(), (ui::Rect{123, 45, 180, 145}));
}

TEST_F(PaletteTest, DeactivationBringsTheCameraBoxBackOnlyWithoutHold) {
  app.deactivated();
  EXPECT_FALSE(Form1->visible());  // held since creation
  Main->SpeedButton1.click();
  Main->SpeedButton1.click();  // hidden by the button: held
  app.deactivated();
  EXPECT_FALSE(Form1->visible());
  app.restored();  // restore shows it whatever the flag says
  EXPECT_TRUE(Form1->visible());
}

TEST_F(PaletteTest, SheetHelpAndClipboardButtons) {
  Main->SpeedButton4.click();
  EXPECT_TRUE(ImageListDlg->visible());
  Main->SpeedButton4.click();
  EXPECT_FALSE(ImageListDlg->visible());

  Main->SpeedButton1.click();
  bool holdBefore = Form1->hold;
  Main->SpeedButton2.click();
  EXPECT_FALSE(Form1->visible());
  EXPECT_EQ(Form1->hold, holdBefore);
  EXPECT_TRUE(HelpDlg->visible());

  EXPECT_FALSE(Main->SpeedButton5.down());
  Main->SpeedButton5.click();
  EXPECT_TRUE(Main->SpeedButton5.down());
  Main->SpeedButton5.click();
  EXPECT_FALSE(Main->SpeedButton5.down());
}

TEST_F(PaletteTest, CancelKeepsEverythingButClearsHoldAndStillWritesPositions) {
  Main->setBounds({40, 50, Main->width(), Main->height()});
  Form1->setBounds({300, 10, 180, 145});
  platform.messages.answers = {sys::MsgResult::Cancel};
  endButton();
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  const auto& box = platform.messages.shown[0];
  EXPECT_EQ(box.text, "Miruneを終了しますか？");
  EXPECT_EQ(box.icon, sys::MsgIcon::Confirmation);
  EXPECT_EQ(box.buttons, sys::MsgButtons::OKCancel);
  EXPECT_FALSE(app.terminated());
  EXPECT_TRUE(Main->visible());
  EXPECT_FALSE(Form1->hold);
  EXPECT_EQ(platform.registry.writeLog,
            (std::vector<std::string>{"Top", "Left", "Image.Top", "Main.Top", "Main.Left"}));
  EXPECT_EQ(stored("Top"), 10);
  EXPECT_EQ(stored("Left"), 300);
  EXPECT_EQ(stored("Image.Top"), ImageListDlg->top());
  EXPECT_EQ(stored("Main.Top"), 50);
  EXPECT_EQ(stored("Main.Left"), 40);
  EXPECT_EQ(platform.registry.openKeys(), 0);
  // With the hold flag clear, losing activation brings the camera box back.
  app.deactivated();
  EXPECT_TRUE(Form1->visible());
}

TEST_F(PaletteTest, OkClosesTheWindowsAndEndsTheApplication) {
  Main->SpeedButton1.click();
  Main->SpeedButton4.click();
  Main->SpeedButton2.click();
  platform.messages.answers = {sys::MsgResult::OK};
  endButton();
  EXPECT_TRUE(app.terminated());
  EXPECT_TRUE(Form1->hold);
  EXPECT_FALSE(Form1->visible());
  EXPECT_FALSE(ImageListDlg->visible());
  EXPECT_FALSE(HelpDlg->visible());
  EXPECT_EQ(platform.registry.writeLog.size(), 5u);
  EXPECT_EQ(stored("Main.Left"), 0);
}

TEST_F(PaletteTest, ClosingTheMessageBoxCountsAsCancel) {
  platform.messages.answers = {sys::MsgResult::None};
  app.dispatch([&] { Main->close(); });  // a close sent by the system
  EXPECT_FALSE(app.terminated());
  EXPECT_EQ(platform.registry.writeLog.size(), 5u);
}

TEST_F(PaletteTest, AFailingPositionWriteKeepsTheProgramRunning) {
  platform.registry.failingWrites = {"Image.Top"};
  platform.messages.answers = {sys::MsgResult::OK};
  endButton();
  ASSERT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_EQ(platform.messages.shown[1].text, "'Image.Top' の設定に失敗しました");
  EXPECT_EQ(platform.messages.shown[1].icon, sys::MsgIcon::Error);
  EXPECT_EQ(platform.registry.writeLog, (std::vector<std::string>{"Top", "Left"}));
  EXPECT_FALSE(app.terminated());
  EXPECT_TRUE(Main->visible());
  EXPECT_EQ(platform.registry.openKeys(), 0);
}

TEST_F(PaletteTest, ABitmapFromAnotherProgramSurvivesTheEnd) {
  auto theirs = picture::Bitmap::create(8, 4, 24);
  theirs.setPixel(1, 1, 0x123456);
  platform.clipboard.putFromOtherProgram(theirs);
  platform.messages.answers = {sys::MsgResult::OK};
  endButton();
  ASSERT_TRUE(app.terminated());
  ASSERT_TRUE(platform.clipboard.hasBitmap());
  EXPECT_EQ(platform.clipboard.owner, "other");
  EXPECT_EQ(platform.clipboard.bitmap(), theirs);
}

}  // namespace
