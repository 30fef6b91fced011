#include "dialogs/about_box.h"

#include <algorithm>
#include <cstdint>

#include "picture/picture.h"
#include "ui/application.h"
#include "ui/backend.h"
#include "ui/painter.h"

namespace dialogs {

namespace {

// The client area as designed; the name stands this far in from each side.
constexpr int kClientWidth = 170, kClientHeight = 276;
constexpr int kNameMargin = 17;

}  // namespace

AboutBox::AboutBox(ui::Application& application) : ui::Form(application, "aboutBox") {
  setBorderStyle(ui::BorderStyle::Dialog);
  setCaption("Mirune 36 枚撮り");
  setBounds({0, 0, kClientWidth, kClientHeight});

  pictureFrame.setBounds({8, 8, 153, 121});
  artwork.setBounds({16, 16, 137, 105});
  artwork.setStretch(true);
  artwork.setPicture(picture::Picture(aboutPicture()));

  nameLabel.setBounds({kNameMargin, 152, 0, 0});
  nameLabel.setCaption("Mirune36枚撮り");
  nameLabel.setFont({font().name, 21, ui::rgb(70, 70, 70), true, true});
  for (ui::Panel* p : {&versionLabel, &dateLabel}) {
    p->setBevelOuter(ui::BevelCut::None);
    p->setColor(ui::clNone);
  }
  versionLabel.setBounds({60, 176, 52, 15});
  versionLabel.setCaption("ver 1.0");
  versionLabel.setFont({font().name, 13, ui::clBlack, true, true});
  dateLabel.setBounds({56, 200, 60, 13});
  dateLabel.setCaption("1998/01/05");

  okButton.setBounds({15, 242, 139, 24});
  okButton.setCaption("OK");
  okButton.setDefault(true);
  okButton.onClick = [this] { close(); };
  onCreate = [this] { setUp(); };
}

void AboutBox::setUp() {
  fitTexts(application().backend().painter());
  setClientHeight(kClientHeight);
  centerOnScreen();
}

// The texts are as wide as the system's font makes them: each control
// grows to its whole text, and the box grows with a name wider than its
// design, everything else moved to stay centred in it.
void AboutBox::fitTexts(ui::Painter& painter) {
  nameLabel.fitToText(painter);
  for (ui::Panel* p : {&versionLabel, &dateLabel}) {
    ui::Painter::Size text = painter.measureText(p->font(), p->caption());
    // Room for an italic's slant, and a pixel on either side.
    int width = text.width + (p->font().italic ? (p->font().height + 4) / 5 : 0) + 2;
    if (width <= p->width() && text.height <= p->height()) continue;
    width = std::max(width, p->width());
    int centre = p->left() + p->width() / 2;
    p->setBounds({centre - width / 2, p->top(), width, std::max(text.height, p->height())});
  }
  int clientWidth = std::max(kClientWidth, nameLabel.width() + 2 * kNameMargin);
  int shift = (clientWidth - kClientWidth) / 2;
  for (ui::Control* c : children())
    if (c != &nameLabel) c->setLeft(c->left() + shift);
  setClientWidth(clientWidth);
}

picture::Bitmap aboutPicture() {
  constexpr int kWidth = 156, kHeight = 116;
  auto b = picture::Bitmap::create(kWidth, kHeight, 24, {});
  auto put = [&](int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    std::uint8_t* p = b.mutableRow(y) + 3 * x;
    p[0] = rgb & 255;  // blue, green, red
    p[1] = (rgb >> 8) & 255;
    p[2] = (rgb >> 16) & 255;
  };
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      // A sky from deep blue to pale orange.
      std::uint32_t r = 30 + y * 2, g = 40 + y, bl = 120 - y / 2;
      put(x, y, r << 16 | g << 8 | bl);
      // A strip of film along the bottom, with its perforations.
      if (y >= 86 && y < 110) {
        bool hole = (y < 90 || y >= 106) && x % 10 >= 3 && x % 10 < 7;
        put(x, y, hole ? 0xF0F0F0 : 0x202020);
        if (y >= 92 && y < 104 && x % 26 >= 3 && x % 26 < 23) put(x, y, 0xD08030);
      }
      // The camera's body, its lens and its shutter button.
      if (x >= 40 && x < 116 && y >= 28 && y < 76) put(x, y, 0x303038);
      if (x >= 50 && x < 66 && y >= 20 && y < 28) put(x, y, 0x505058);
      int dx = x - 78, dy = y - 52;
      if (dx * dx + dy * dy < 20 * 20) put(x, y, 0xA0A0A8);
      if (dx * dx + dy * dy < 14 * 14) put(x, y, 0x1030A0);
      if (dx * dx + dy * dy < 5 * 5) put(x, y, 0xE0F0FF);
      if (x >= 100 && x < 110 && y >= 32 && y < 38) put(x, y, 0xE03020);
    }
  }
  return b;
}

}  // namespace dialogs
