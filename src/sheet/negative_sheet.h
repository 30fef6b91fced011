#pragma once
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

  ui::Panel buttonColumn{this, "buttonColumn"};
  ui::PushButton playButton{&buttonColumn, "playButton"};
  ui::PushButton paintButton{&buttonColumn, "paintButton"};
  ui::PushButton saveButton{&buttonColumn, "saveButton"};
  ui::PushButton deleteButton{&buttonColumn, "deleteButton"};
  ui::PushButton printButton{&buttonColumn, "printButton"};
  ui::ScrollBox filmStrip{this, "filmStrip"};

 private:
  // Made before the frames, so that it lies under them.
  ui::Panel filmBackground_{&filmStrip.content(), "filmBackground"};

 public:
  // What the film shows; frames[kOverflow] is the hidden overflow frame.
  Frames frames = makeFilm(filmStrip.content());

  sheet::Film& film() { return film_; }
  const sheet::Film& film() const { return film_; }

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

  // Runs a due tidy pass once the loop is idle.
  ui::Timer tidyTimer{application(), "tidyTimer", 1};

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

  sys::Services& services_;
  const app::Settings& settings_;
  app::CameraBoxView& cameraBox_;
  app::PositionStore positions_;
  sheet::Film film_{settings_};
  Slideshow slideshow_{film_, cameraBox_, services_.clock, settings_};
  FilmFiles filmFiles_{film_, services_, application(),
                       [this](const picture::Picture& p, const std::string& name) { loadIntoFilm(p, name); }};
  PaintHandOff paintHandOff_{film_, services_, settings_, application()};
  ContactSheet contactSheet_{*this, buttonColumn, filmStrip, frames, services_, [this] { arranged(); }};
};

}  // namespace sheet
