#include "shell/palette.h"
#include "app_fixture.h"
#include "camera/camera_box.h"
#include "dialogs/help_window.h"
#include "dialogs/options_dialog.h"
#include "sheet/negative_sheet.h"
#include "shell/program.h"

namespace {

const std::string kKey = "\\Software\\Olvane\\Mirune36枚撮り";

class PaletteTest : public AppTest {
 protected:
  PaletteTest() {
    forms = shell::startUp(app, services, settings);
    app.run();
  }
  std::int32_t stored(const std::string& name) {
    auto v = platform.registry.value(kKey, name);
    EXPECT_TRUE(v.has_value()) << name;
    if (!v || v->type != sys::Registry::Type::Dword || v->data.size() != 4) return INT32_MIN;
    std::uint32_t u = v->data[0] | v->data[1] << 8 | v->data[2] << 16 | std::uint32_t(v->data[3]) << 24;
    return static_cast<std::int32_t>(u);
  }
  void endButton() {
    app.dispatch([&] { forms.palette->endButton.click(); });
  }
};

TEST_F(PaletteTest, CameraButtonShowsAndHidesWithTheHoldFlag) {
  forms.cameraBox->setBounds({123, 45, 180, 145});
  forms.palette->cameraBoxButton.click();
  EXPECT_TRUE(forms.cameraBox->visible());
  EXPECT_FALSE(forms.cameraBox->keepHidden());
  forms.palette->cameraBoxButton.click();
  EXPECT_FALSE(forms.cameraBox->visible());
  EXPECT_TRUE(forms.cameraBox->keepHidden());
  forms.palette->cameraBoxButton.click();
  EXPECT_TRUE(forms.cameraBox->visible());
  EXPECT_EQ(forms.cameraBox->bounds(), (ui::Rect{123, 45, 180, 145}));
}

TEST_F(PaletteTest, DeactivationBringsTheCameraBoxBackOnlyWithoutHold) {
  app.deactivated();
  EXPECT_FALSE(forms.cameraBox->visible());  // held since creation
  forms.palette->cameraBoxButton.click();
  forms.palette->cameraBoxButton.click();  // hidden by the button: held
  app.deactivated();
  EXPECT_FALSE(forms.cameraBox->visible());
  app.restored();  // restore shows it whatever the flag says
  EXPECT_TRUE(forms.cameraBox->visible());
}

TEST_F(PaletteTest, SheetHelpAndClipboardButtons) {
  forms.palette->negativeSheetButton.click();
  EXPECT_TRUE(forms.negativeSheet->visible());
  forms.palette->negativeSheetButton.click();
  EXPECT_FALSE(forms.negativeSheet->visible());

  forms.palette->cameraBoxButton.click();
  bool holdBefore = forms.cameraBox->keepHidden();
  forms.palette->helpButton.click();
  EXPECT_FALSE(forms.cameraBox->visible());
  EXPECT_EQ(forms.cameraBox->keepHidden(), holdBefore);
  EXPECT_TRUE(forms.helpWindow->visible());

  EXPECT_FALSE(forms.palette->clipboardButton.down());
  forms.palette->clipboardButton.click();
  EXPECT_TRUE(forms.palette->clipboardButton.down());
  forms.palette->clipboardButton.click();
  EXPECT_FALSE(forms.palette->clipboardButton.down());
}

TEST_F(PaletteTest, CancelKeepsEverythingButClearsHoldAndStillWritesPositions) {
  forms.palette->setBounds({40, 50, forms.palette->width(), forms.palette->height()});
  forms.cameraBox->setBounds({300, 10, 180, 145});
  platform.messages.answers = {sys::MsgResult::Cancel};
  endButton();
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  const auto& box = platform.messages.shown[0];
  EXPECT_EQ(box.text, "Miruneを終了しますか？");
  EXPECT_EQ(box.icon, sys::MsgIcon::Confirmation);
  EXPECT_EQ(box.buttons, sys::MsgButtons::OKCancel);
  EXPECT_FALSE(app.terminated());
  EXPECT_TRUE(forms.palette->visible());
  EXPECT_FALSE(forms.cameraBox->keepHidden());
  EXPECT_EQ(platform.registry.writeLog,
            (std::vector<std::string>{"Top", "Left", "Image.Top", "Main.Top", "Main.Left"}));
  EXPECT_EQ(stored("Top"), 10);
  EXPECT_EQ(stored("Left"), 300);
  EXPECT_EQ(stored("Image.Top"), forms.negativeSheet->top());
  EXPECT_EQ(stored("Main.Top"), 50);
  EXPECT_EQ(stored("Main.Left"), 40);
  EXPECT_EQ(platform.registry.openKeys(), 0);
  // With the hold flag clear, losing activation brings the camera box back.
  app.deactivated();
  EXPECT_TRUE(forms.cameraBox->visible());
}

TEST_F(PaletteTest, OkClosesTheWindowsInOrderAndEndsTheApplication) {
  // Every window the end closes is open, so each close shows.
  forms.palette->cameraBoxButton.click();
  forms.palette->negativeSheetButton.click();
  forms.helpWindow->showForm();
  forms.optionsDialog->showForm();
  std::vector<std::string> closed;
  for (ui::Form* f : std::initializer_list<ui::Form*>{forms.cameraBox, forms.negativeSheet, forms.helpWindow,
                                                      forms.optionsDialog})
    f->onHide = [&closed, f] { closed.push_back(f->name()); };
  platform.messages.answers = {sys::MsgResult::OK};
  endButton();
  EXPECT_TRUE(app.terminated());
  EXPECT_TRUE(forms.cameraBox->keepHidden());
  EXPECT_EQ(closed, (std::vector<std::string>{"cameraBox", "negativeSheet", "helpWindow", "optionsDialog"}));
  EXPECT_EQ(platform.registry.writeLog.size(), 5u);
  EXPECT_EQ(stored("Main.Left"), 0);
}

TEST_F(PaletteTest, ClosingTheMessageBoxCountsAsCancel) {
  platform.messages.answers = {sys::MsgResult::None};
  app.dispatch([&] { forms.palette->close(); });  // a close sent by the system
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
  EXPECT_TRUE(forms.palette->visible());
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

TEST_F(PaletteTest, EndingTheSessionWritesThePositionsWithoutAsking) {
  forms.palette->setBounds({70, 80, forms.palette->width(), forms.palette->height()});
  forms.cameraBox->setBounds({5, 6, 180, 145});
  app.sessionEnding();
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_EQ(stored("Top"), 6);
  EXPECT_EQ(stored("Left"), 5);
  EXPECT_EQ(stored("Main.Top"), 80);
  EXPECT_EQ(stored("Main.Left"), 70);
  EXPECT_EQ(stored("Image.Top"), forms.negativeSheet->top());
}

}  // namespace
