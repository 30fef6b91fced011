// The about box with the system's fonts: under Wine the proportional
// Japanese font draws its bold italic name wider than the design allows.
#include <windows.h>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "dialogs/about_box.h"

// Each text shows whole, inside the box, as the system's font measures it.
TEST(AboutBox, ShowsEachWholeTextInTheSystemsFont) {
  wintest::Fixture fx;
  auto* about = fx.app->createSideForm<dialogs::AboutBox>();
  ui::Painter& painter = fx.backend.painter();
  ASSERT_GE(about->clientWidth(), 170);
  for (const ui::Control* c : about->children()) {
    SCOPED_TRACE(c->name());
    EXPECT_GE(c->left(), 0);
    EXPECT_LE(c->left() + c->width(), about->clientWidth());
    if (c->caption().empty() || c == &about->okButton) continue;
    ui::Painter::Size text = painter.measureText(c->font(), c->caption());
    int lean = c->font().italic ? (c->font().height + 4) / 5 : 0;
    EXPECT_GE(c->width(), text.width + lean) << c->caption();
    EXPECT_GE(c->height(), text.height) << c->caption();
  }
}
