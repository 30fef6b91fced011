#pragma once
#include "ui/menu.h"

namespace ui {
class Application;
}

namespace camera {

// The photo's right-click menu; an item that opens a submenu runs its handler
// as the submenu opens.
struct CommandMenu : ui::PopupMenu {
  explicit CommandMenu(ui::Application& app);
  ui::MenuItem& file;
  ui::MenuItem& edit;
  ui::MenuItem& area;
  ui::MenuItem& screen;
  ui::MenuItem& size;
  ui::MenuItem& options;
  ui::MenuItem& help;
  ui::MenuItem& about;
};

struct FileMenu {
  explicit FileMenu(ui::MenuItem& file);
  ui::MenuItem& open;
  ui::MenuItem& separator1;
  ui::MenuItem& close;
  ui::MenuItem& separator2;
  ui::MenuItem& save;
  ui::MenuItem& saveAs;
  ui::MenuItem& separator3;
  ui::MenuItem& print;
  ui::MenuItem& printSize;
  ui::MenuItem& printScreenSize;
  ui::MenuItem& printPaperSize;
};

struct EditMenu {
  explicit EditMenu(ui::MenuItem& edit);
  ui::MenuItem& clear;
  ui::MenuItem& copy;
  ui::MenuItem& paste;
  ui::MenuItem& cut;
  ui::MenuItem& sendToSheet;
};

// The shots of the area under the photo.
struct AreaMenu {
  explicit AreaMenu(ui::MenuItem& area);
  ui::MenuItem& shoot;
  ui::MenuItem& shootBurst;
};

// The shots of the whole screen.
struct ScreenMenu {
  explicit ScreenMenu(ui::MenuItem& screen);
  ui::MenuItem& shoot;
  ui::MenuItem& shootBurst;
};

// How large the photo shows its picture.
struct SizeMenu {
  explicit SizeMenu(ui::MenuItem& size);
  ui::MenuItem& defaultSize;
  ui::MenuItem& zoomIn;
  ui::MenuItem& zoom200;
  ui::MenuItem& zoom300;
  ui::MenuItem& zoom400;
  ui::MenuItem& zoom500;
  ui::MenuItem& zoomOut;
  ui::MenuItem& zoom50;
  ui::MenuItem& zoom25;
  ui::MenuItem& zoom20;
  ui::MenuItem& zoom10;
  ui::MenuItem& actualSize;
  ui::MenuItem& reshape;
};

// The edge handles' right-click menu.
struct ShotMenu : ui::PopupMenu {
  explicit ShotMenu(ui::Application& app);
  ui::MenuItem& shoot;
  ui::MenuItem& shootBurst;
  ui::MenuItem& cancel;
};

}  // namespace camera
