#pragma once
#include <array>
#include <optional>
#include <string>

#include "app/camera_box_view.h"
#include "app/positions.h"
#include "app/settings.h"
#include "sheet/film.h"
#include "sheet/frame.h"
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/push_button.h"
#include "ui/scroll_box.h"
#include "ui/timer.h"

namespace sheet {

// The hand-off file's name, in the user's temporary folder.
inline constexpr const char* kHandOffFile = "temp.bmp";

// The negative sheet: the film of 36 frames along the bottom of the
// screen, with the film's commands in a column on its left. It shows its
// Film and turns the user's commands into calls on it; the tidy pass runs
// once the loop is idle after it became due.
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
  ui::Panel filmBackground{&filmStrip.content(), "filmBackground"};
  // What the film shows; frames[kOverflow] is the hidden overflow frame.
  std::array<Frame, kFilmFrames + 1> frames = makeFilm(filmStrip.content());

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

  // One-shot: interval 1 ms while a tidy pass is due, 0 otherwise. Due
  // once at start-up.
  ui::Timer tidyTimer{application(), "tidyTimer", 1};

  // A picture into the film (see Film::add); the strip scrolls on by a
  // frame when it lands in frames 8 to 36, so the newest stays in view.
  std::optional<int> addPicture(const picture::Picture& picture, const std::string& caption);
  // A picture read from a file: into the film, and shown in the camera box
  // with its name, at its own size when the film kept it.
  void loadIntoFilm(const picture::Picture& picture, const std::string& name);

  // Prints the film on one page: the window, below the screen, shows the
  // frames in a grid for the print dialog and the print, then goes back
  // to its strip at the bottom of the screen whatever happened.
  void printContactSheet();
  // The print grid: 9 columns (8 on a screen 640 pixels wide or less),
  // flat frames, no button column, the window below the screen.
  void arrangeGrid();
  // Back from the grid: the strip at the bottom of the screen, full width,
  // scrolled to frame 1, raised frames, playback from frame 1.
  void arrangeStrip();

  // A press of any mouse button on a used frame's thumbnail: selects the
  // frame (only it), shows its picture and caption in the camera box and
  // writes its picture to the hand-off file, last; a press on the selected
  // frame unselects it and nothing else.
  void toggleFrame(int index);
  // Where the picture of the frame selected last is written for the paint
  // program: "temp.bmp" in the user's temporary folder.
  std::string handOffPath() const;

  // Playback in the camera box, which keeps its size: one step shows the
  // frame at the play position and moves it on (back to 1 after frame 36,
  // or at an empty frame, which shows nothing). The automatic run makes
  // the strobe count + 1 steps (in 8 bits), each drawn at once and followed
  // by the strobe interval's pause.
  void showNextFrame();
  void autoPlay();

  // Batch save: every used frame's picture to the chosen path with its
  // extension changed to "01.bmp" .. "36.bmp", replacing files without
  // asking; a name of other than 10 bytes in the Japanese code page is
  // asked again. Batch load: the chosen file, then from "02.bmp" on the
  // files of its series in its folder, each through the camera box into
  // the film, until one cannot be read.
  void saveFilm();
  void loadFilm();

  // Delete clears the first frame with a lowered panel and unselects it
  // (a message when there is none); delete all clears every used frame and
  // the overflow frame, scrolls the strip to its start and plays from frame
  // 1 again, leaving the selection marks. Both leave the closing of gaps to
  // the tidy pass.
  void deleteSelectedFrame();
  void deleteAllFrames();

  // The first red-captioned frame whose caption is a bitmap file's name
  // opens by that name in the desktop's program for it, else the hand-off
  // file does. The option software starts from its command line.
  void openInPaintProgram();
  void startOptionSoftware();

 private:
  void setUp();
  void layOut();
  void readPosition();
  // One frame as the film holds it: picture, image box, caption, and for
  // the 36 their marks (flat in the print grid).
  void showFrame(int index);
  // After a tidy pass: the title's count and the empty frames' placeholders.
  void showTidied();
  // The lowered panel and the red caption; the overflow frame has neither.
  void showMarks(int index);
  void writeHandOffFile(const picture::Picture& picture) const;
  // A standard bitmap of the picture as shown: a bitmap as it is, an icon
  // as its image, a metafile played into a bitmap of its size on white
  // (one that records no size, into the thumbnail's box).
  picture::Bitmap shownBitmap(const picture::Picture& picture) const;

  sys::Services& services_;
  const app::Settings& settings_;
  app::CameraBoxView& cameraBox_;
  app::PositionStore positions_;
  sheet::Film film_{settings_};
  // The print grid shows the frames flat, marks or not.
  bool grid_ = false;
};

}  // namespace sheet
