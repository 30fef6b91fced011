#pragma once
#include <array>
#include <optional>
#include <string>

#include "app/camera_box_view.h"
#include "app/positions.h"
#include "app/settings.h"
#include "sheet/contact_sheet.h"
#include "sheet/film.h"
#include "sheet/film_files.h"
#include "sheet/frame.h"
#include "sheet/paint_hand_off.h"
#include "sheet/slideshow.h"
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/push_button.h"
#include "ui/scroll_box.h"
#include "ui/timer.h"

namespace sheet {

// The negative sheet: the film of 36 frames along the bottom of the
// screen, with the film's commands in a column on its left. It shows its
// Film and turns the user's commands into calls on it and its helpers.
class NegativeSheet : public ui::Form {
 public:
  // The film shows its pictures in the camera box; the settings say when
  // it pushes out, how playback runs and which option software starts.
  NegativeSheet(ui::Application& app, sys::Services& services, const app::Settings& settings,
                app::CameraBoxView& cameraBox);

  // The film's commands as the user reaches them: the buttons of the
  // column, and the right-click menus of those whose captions end in "＞".
  struct Buttons {
    explicit Buttons(ui::Panel& column)
        : play(&column, "playButton"),
          paint(&column, "paintButton"),
          save(&column, "saveButton"),
          remove(&column, "deleteButton"),
          print(&column, "printButton") {}
    ui::PushButton play, paint, save, remove, print;
  };
  struct PlayMenu {
    explicit PlayMenu(ui::Application& app) : menu(app, "playMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& autoPlay = menu.add("autoPlay", "自動連続表示");
  };
  struct PaintMenu {
    explicit PaintMenu(ui::Application& app) : menu(app, "paintMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& startOptionSoftware = menu.add("startOptionSoftware", "オプションソフトを起動");
  };
  struct SaveMenu {
    explicit SaveMenu(ui::Application& app) : menu(app, "saveMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& loadFilm = menu.add("loadFilm", "連続読込");
  };
  struct DeleteMenu {
    explicit DeleteMenu(ui::Application& app) : menu(app, "deleteMenu") {}
    ui::PopupMenu menu;
    ui::MenuItem& deleteAll = menu.add("deleteAll", "全て削除");
  };
  struct Menus {
    explicit Menus(ui::Application& app) : play(app), paint(app), save(app), remove(app) {}
    PlayMenu play;
    PaintMenu paint;
    SaveMenu save;
    DeleteMenu remove;
  };
  Buttons& buttons() { return buttons_; }
  Menus& menus() { return menus_; }

  sheet::Film& film() { return film_; }
  const sheet::Film& film() const { return film_; }

  // What the sheet shows, as one value.
  struct FrameLook {
    // On the strip's content: the panel with its placeholder text, the
    // thumbnail inside it, and the caption under it.
    ui::Rect panel;
    bool shown = false;
    ui::BevelCut bevel = ui::BevelCut::None;
    std::string placeholder;
    ui::Rect thumbnail;
    picture::Picture picture;
    ui::Rect captionBounds;
    std::string caption;
    ui::Font captionFont;
    bool captionShown = false;
  };
  struct StripLook {
    ui::Rect bounds;
    int length = 0, height = 0, increment = 0, position = 0, maxPosition = 0;
    // How much of the length shows at once.
    int shownLength = 0;
    bool barShown = false, verticalBarShown = false;
    // Where the content's origin stands on the form; it moves as the strip scrolls.
    ui::Point content;
  };
  struct SheetLook {
    ui::Rect column;
    bool columnShown = false;
    StripLook strip;
    // frames[kOverflow] is the hidden overflow frame.
    std::array<FrameLook, kFilmFrames + 1> frames;
  };
  SheetLook look() const;
  // A tidy pass is due once the loop is idle.
  bool tidyDue() const { return tidyTimer_.interval() != 0; }
  // Scrolls the strip to a position along the film, as its bar does.
  void scrollStrip(int position) { filmStrip_.setPosition(ui::Axis::Horizontal, position); }

  // A picture into the film (see Film::add); the strip scrolls on by a
  // frame when it lands in frames 8 to 36, so the newest stays in view.
  std::optional<int> addPicture(const picture::Picture& picture, const std::string& caption);
  // A picture read from a file: into the film, and shown in the camera box
  // with its name, at its own size when the film kept it.
  void loadIntoFilm(const picture::Picture& picture, const std::string& name);

  void printContactSheet() { contactSheet_.print(); }

  // A press on a frame's thumbnail: selects it, shows it in the camera box
  // and hands its picture off for the paint program; or unselects it.
  void toggleFrame(int index);
  std::string handOffPath() const { return paintHandOff_.handOffPath(); }

  void saveFilm() { filmFiles_.saveFilm(); }
  void loadFilm() { filmFiles_.loadFilm(); }

  // Both leave the closing of gaps to the tidy pass.
  void deleteSelectedFrame();
  void deleteAllFrames();

 private:
  void setUp();
  void layOut();
  void readPosition();
  // Once the window stands as the print grid or as its strip again.
  void arranged();
  // One frame as the film holds it: picture, image box, caption, and for
  // the 36 their marks (flat in the print grid).
  void showFrame(int index);
  // After a tidy pass: the title's count and the empty frames' placeholders.
  void showTidied();
  // The lowered panel and the red caption; the overflow frame has neither.
  void showMarks(int index);

  ui::Panel buttonColumn_{this, "buttonColumn"};
  Buttons buttons_{buttonColumn_};
  ui::ScrollBox filmStrip_{this, "filmStrip"};
  // Made before the frames, so that it lies under them.
  ui::Panel filmBackground_{&filmStrip_.content(), "filmBackground"};
  Frames frames_ = makeFilm(filmStrip_.content());
  Menus menus_{application()};
  // Runs a due tidy pass once the loop is idle.
  ui::Timer tidyTimer_{application(), "tidyTimer", 1};

  sys::Services& services_;
  const app::Settings& settings_;
  app::CameraBoxView& cameraBox_;
  app::PositionStore positions_;
  sheet::Film film_{settings_};
  Slideshow slideshow_{film_, cameraBox_, services_.clock, settings_};
  FilmFiles filmFiles_{film_, services_, application(),
                       [this](const picture::Picture& p, const std::string& name) { loadIntoFilm(p, name); }};
  PaintHandOff paintHandOff_{film_, services_, settings_, application()};
  ContactSheet contactSheet_{*this, buttonColumn_, filmStrip_, frames_, services_, [this] { arranged(); }};
};

}  // namespace sheet
