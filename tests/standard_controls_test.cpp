#include <gtest/gtest.h>

#include "app_fixture.h"
#include "ui/check_box.h"
#include "ui/controls.h"
#include "ui/edit.h"
#include "ui/push_button.h"
#include "ui/radio_group.h"
#include "ui/rich_text.h"
#include "ui/timer.h"
#include "ui/track_bar.h"

namespace {

struct ControlsForm : ui::Form {
  ui::Panel back{this, "back"};
  ui::RadioButton left{&back, "left"};
  ui::RadioButton right{&back, "right"};
  ui::RadioGroup group{&back, "group"};
  ui::TrackBar bar{&back, "bar"};
  ui::RichText text{&back, "text"};
  ui::Edit edit{&back, "edit"};
  ui::PushButton ok{&back, "ok"};
  ui::PushButton cancel{&back, "cancel"};
  explicit ControlsForm(ui::Application& app) : ui::Form(app, "controlsForm") {
    setBounds({0, 0, 300, 300});
    back.setBounds({0, 0, 300, 300});
    left.setBounds({220, 10, 60, 17});
    right.setBounds({220, 30, 60, 17});
    group.setBounds({10, 10, 193, 31});
    group.setColumns(2);
    group.setItems({"標準", "反転"});
    bar.setBounds({10, 50, 150, 28});
    bar.setRange(1, 20);
    text.setBounds({10, 90, 200, 120});  // ten lines of 12 pixels
    edit.setBounds({10, 220, 60, 20});
    ok.setDefault(true);
    cancel.setCancel(true);
  }
};

class StandardControlsTest : public AppTest {
 protected:
  StandardControlsTest() : form(*app.createForm<ControlsForm>()) {}
  ControlsForm& form;
};

TEST_F(StandardControlsTest, RadioButtonsOfOneParentExcludeEachOther) {
  form.left.click();
  EXPECT_TRUE(form.left.checked());
  form.right.click();
  EXPECT_FALSE(form.left.checked());
  EXPECT_TRUE(form.right.checked());
  // The group's buttons are a family of their own.
  form.group.setItemIndex(1);
  EXPECT_TRUE(form.right.checked());
  EXPECT_EQ(form.group.itemIndex(), 1);
  form.group.button(0).click();
  EXPECT_EQ(form.group.itemIndex(), 0);
  EXPECT_FALSE(form.group.button(1).checked());
  form.group.setItemIndex(7);
  EXPECT_EQ(form.group.itemIndex(), -1);
  // Two columns side by side inside the frame.
  EXPECT_EQ(form.group.button(0).top(), form.group.button(1).top());
  EXPECT_GT(form.group.button(1).left(), form.group.button(0).left() + form.group.button(0).width() - 1);
  EXPECT_LE(form.group.button(1).left() + form.group.button(1).width(), form.group.width());
}

TEST_F(StandardControlsTest, TrackBarAndTextStayInTheirRanges) {
  form.bar.setPosition(0);
  EXPECT_EQ(form.bar.position(), 1);
  form.bar.setPosition(30);
  EXPECT_EQ(form.bar.position(), 20);
  form.bar.setRange(5, 10);
  EXPECT_EQ(form.bar.position(), 10);
  int changes = 0;
  form.bar.onChange = [&] { ++changes; };
  form.bar.slide(10);
  form.bar.slide(6);
  EXPECT_EQ(changes, 1);

  std::vector<std::string> lines(25, "x");
  form.text.setLines(lines);
  EXPECT_EQ(form.text.contentHeight(), 300);
  form.text.setScrollTop(50);  // down to a whole line
  EXPECT_EQ(form.text.scrollTop(), 48);
  form.text.setScrollTop(10000);  // no further than the last page
  EXPECT_EQ(form.text.firstLine(), 15);
  form.text.setScrollTop(-5);
  EXPECT_EQ(form.text.scrollTop(), 0);
  form.text.setLines({"only"});
  EXPECT_EQ(form.text.firstLine(), 0);
}

TEST_F(StandardControlsTest, DialogKeysPressOnlyAShowingEnabledButton) {
  int oks = 0, cancels = 0;
  form.ok.onClick = [&] { ++oks; };
  form.cancel.onClick = [&] { ++cancels; };
  EXPECT_TRUE(ui::pressDialogKey(form, ui::DialogKey::Enter));
  EXPECT_TRUE(ui::pressDialogKey(form, ui::DialogKey::Escape));
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(cancels, 1);
  form.ok.setEnabled(false);
  form.cancel.hide();
  EXPECT_FALSE(ui::pressDialogKey(form, ui::DialogKey::Enter));
  EXPECT_FALSE(ui::pressDialogKey(form, ui::DialogKey::Escape));
  form.cancel.show();
  form.back.hide();
  EXPECT_FALSE(ui::pressDialogKey(form, ui::DialogKey::Escape));
  EXPECT_EQ(oks + cancels, 2);
}

TEST_F(StandardControlsTest, UnchangedValuesRepaintNothing) {
  form.showForm();
  platform.backend.advance(10);
  int before = platform.backend.paintCount(form);
  form.bar.setPosition(form.bar.position());
  form.edit.setText(form.edit.text());
  form.edit.type(form.edit.text());
  form.group.setItemIndex(form.group.itemIndex());
  form.text.setScrollTop(form.text.scrollTop());
  form.left.setChecked(form.left.checked());
  platform.backend.advance(10);
  EXPECT_EQ(platform.backend.paintCount(form), before);
  form.bar.setPosition(form.bar.position() + 1);
  platform.backend.advance(10);
  EXPECT_EQ(platform.backend.paintCount(form), before + 1);
}

TEST_F(StandardControlsTest, EditLimitsCountCharactersNotBytes) {
  form.edit.setMaxLength(3);
  EXPECT_TRUE(form.edit.type("絵筆a"));
  EXPECT_FALSE(form.edit.type("絵筆ab"));
  EXPECT_EQ(form.edit.text(), "絵筆a");
}

}  // namespace
