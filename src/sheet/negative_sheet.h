#pragma once
#include <array>
#include <optional>

#include "app/film.h"
#include "app/positions.h"
#include "sheet/frame.h"
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/push_button.h"
#include "ui/scroll_box.h"
#include "ui/timer.h"

namespace sheet {

// The negative sheet: the film of 36 frames along the bottom of the
// screen, with the film's commands in a column on its left.
//
// The film has no list of its own: each frame's caption tells whether it
// is used. Pictures enter at the first empty frame; the tidy pass, which
// runs once the loop is idle after it was scheduled, closes the gaps that
// deletions leave, keeps the title's count and shows the placeholders.
class NegativeSheet : public ui::Form, public app::Film {
 public:
  NegativeSheet(ui::Application& app, sys::Services& services);

  ui::Panel buttonColumn{this, "buttonColumn"};
  ui::PushButton playButton{&buttonColumn, "playButton"};
  ui::PushButton paintButton{&buttonColumn, "paintButton"};
  ui::PushButton saveButton{&buttonColumn, "saveButton"};
  ui::PushButton deleteButton{&buttonColumn, "deleteButton"};
  ui::PushButton printButton{&buttonColumn, "printButton"};
  ui::ScrollBox filmStrip{this, "filmStrip"};
  ui::Panel filmBackground{&filmStrip.content(), "filmBackground"};
  // frames[kOverflow] is the hidden overflow frame.
  std::array<Frame, kFilmFrames + 1> frames = makeFilm(filmStrip.content());

  // The right-click menus of the buttons whose captions end in "＞".
  struct PlayMenu {
    explicit PlayMenu(ui::Application& app) : menu(app, "playMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& autoPlay = menu.add("autoPlay", "自動連続表示");
  } playMenu{application()};
  struct PaintMenu {
    explicit PaintMenu(ui::Application& app) : menu(app, "paintMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& startOptionSoftware = menu.add("startOptionSoftware", "オプションソフトを起動");
  } paintMenu{application()};
  struct SaveMenu {
    explicit SaveMenu(ui::Application& app) : menu(app, "saveMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& loadFilm = menu.add("loadFilm", "連続読込");
  } saveMenu{application()};
  struct DeleteMenu {
    explicit DeleteMenu(ui::Application& app) : menu(app, "deleteMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& deleteAll = menu.add("deleteAll", "全て削除");
  } deleteMenu{application()};

  // One-shot: interval 1 ms while a tidy pass is due, 0 otherwise. Due
  // once at start-up.
  ui::Timer tidyTimer{application(), "tidyTimer", 1};

  // app::Film
  void addPhotoToFilm() override;

  // Runs the tidy pass once the loop is next idle; scheduling it again
  // before then changes nothing.
  void scheduleTidy();
  // No picture, a 71 x 71 image box at (2, 2), no caption. The selection
  // marks stay.
  void clearFrame(int index);
  // The lowest empty frame of the 36, else the overflow frame if it is
  // empty; nothing when all 37 are used.
  std::optional<int> firstEmptyFrame() const;

 private:
  void setUp();
  void layOut();
  void readPosition();
  void tidyFilm();
  // The picture, image box and caption of `from` go to `to`; `from` is cleared.
  void moveFrame(int from, int to);
  void updateTitle();

  sys::Services& services_;
  app::PositionStore positions_;
};

}  // namespace sheet
