#pragma once
#include <array>
#include <functional>
#include <string>
#include <utility>

#include "app/camera_box_view.h"
#include "app/dialog.h"
#include "app/positions.h"
#include "app/settings.h"
#include "camera/command_menu.h"
#include "camera/picture_commands.h"
#include "camera/shot_sequence.h"
#include "camera/viewfinder_geometry.h"
#include "system/services.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace camera {

// How large Print puts the box on the page.
enum class PrintSize { Screen, Paper };

// An array indexed by an enum of its members: controls, or what they show.
template <class T, class Index, std::size_t N>
struct IndexedArray {
  std::array<T, N> items;
  T& operator[](Index i) { return items[static_cast<std::size_t>(i)]; }
  const T& operator[](Index i) const { return items[static_cast<std::size_t>(i)]; }
  std::array<ui::Rect, N> bounds() const {
    std::array<ui::Rect, N> r;
    for (std::size_t i = 0; i < N; ++i) r[i] = items[i].bounds();
    return r;
  }
  void setBounds(const std::array<ui::Rect, N>& r) {
    for (std::size_t i = 0; i < N; ++i) items[i].setBounds(r[i]);
  }
  void setVisible(bool shown) {
    for (T& item : items) item.setVisible(shown);
  }
  bool operator==(const IndexedArray&) const = default;
};

// The camera box: a stay-on-top viewfinder over the screen that takes the shots.
// It is laid out in device pixels so that the photo shows its picture pixel for
// pixel on every monitor; only the margins, handles, marks and time stamp scale.
class CameraBox : public ui::Form, public app::CameraBoxView, private ShotWindow {
 public:
  // The set-up gives the settings their default viewfinder size, then
  // hands them to afterSetUp (not at all if the set-up fails). The palette
  // leaves the screen with the box for a full-screen shot.
  using AfterSetUp = std::function<void(app::Settings&)>;
  CameraBox(ui::Application& app, sys::Services& services, app::Settings& settings, ui::Form& palette,
            AfterSetUp afterSetUp = {});

  // The layout tick's pace, and its pace while a handle is dragged.
  static constexpr int kLayoutInterval = 55, kDragLayoutInterval = 1;

  // The right-click menus: the photo's, its submenus, and the edge handles'.
  struct Menus {
    explicit Menus(ui::Application& app) : command(app), shot(app) {}
    CommandMenu command;
    FileMenu file{command.file};
    EditMenu edit{command.edit};
    AreaMenu area{command.area};
    ScreenMenu screen{command.screen};
    SizeMenu size{command.size};
    ShotMenu shot;
  };
  Menus& menus() { return menus_; }

  // What the box shows, as one value.
  struct PanelLook {
    ui::Rect bounds;
    bool shown = false;
    ui::BevelCut bevelInner = ui::BevelCut::None, bevelOuter = ui::BevelCut::None;
    int bevelWidth = 0;
    ui::Color color = ui::clNone;
    ui::Cursor cursor = ui::Cursor::Default;
    bool operator==(const PanelLook&) const = default;
  };
  struct StampLook {
    std::string text;
    bool shown = false;
    ui::Rect bounds;
    ui::Font font;
    bool transparent = false;
    bool operator==(const StampLook&) const = default;
  };
  struct BoxLook {
    PanelLook viewfinder;
    IndexedArray<PanelLook, Edge, 4> handles;
    IndexedArray<PanelLook, Corner, 4> marks;
    bool titleShown = false;
    // The shadow lies one pixel right of and below the front text.
    StampLook stamp, stampShadow;
    // The photo's right-click menu.
    const ui::PopupMenu* photoMenu = nullptr;
    bool operator==(const BoxLook&) const = default;
  };
  BoxLook look() const;

  // The photo: its picture, and where it stands in the viewfinder.
  const picture::Picture& photoPicture() const { return photo_.picture(); }
  ui::Rect photoBounds() const { return photo_.bounds(); }
  // The photo's size; the layout tick fits the box around it.
  void resizePhoto(Size size);
  // The time stamp's text.
  const std::string& timeStamp() const { return timeStamp_.caption(); }
  // The layout tick's current pace.
  int layoutInterval() const { return layoutTimer_.interval(); }

  // While set, the application's loss of activation does not bring the
  // camera box back.
  bool keepHidden() const { return keepHidden_; }
  // An edge handle is being dragged.
  bool resizing() const { return resizing_; }
  // The edge handles stay out in the normal view.
  bool reshapeMode() const { return reshapeMode_; }

  // The time stamp: the text of both labels, each sized to it.
  void setTimeStamp(const std::string& text);

  // The layout tick. The window follows the viewfinder one tick later.
  void fitAroundPhoto();

  // The edge handles' mouse; (x, y) is the pointer relative to the handle.
  void pressEdgeHandle(Edge edge, ui::MouseButton button, int x, int y);
  void dragEdgeHandle(Edge edge, int x, int y);
  void releaseEdgeHandle(Edge edge);
  // Handle thickness, corner marks and time stamp for the resize state.
  void applyResizeState();

  // The framing view aims an area shot through a see-through frame.
  void showAimingView();
  void showNormalView() override;

  ShotSequence& shots() { return shots_; }

  // The size commands.
  void resizeToDefault();
  void zoomTo(int percent);
  void toggleReshape();

  // Printing the box as drawn; the print size is not saved.
  PrintSize printSize() const { return printSize_; }
  void printPhoto();
  void setPrintSize(PrintSize size);

  // The photo is its picture's size over this once stored: 1, or 4.
  unsigned displayDivisor() const { return displayDivisor_; }
  void setDisplayDivisor(unsigned divisor) { displayDivisor_ = divisor; }
  // The film's input is wired once both windows stand.
  using FilmInput = std::function<void(const picture::Picture&, const std::string&)>;
  void setFilmInput(FilmInput input) { storeInFilm_ = std::move(input); }
  void storePhotoInFilm() override;
  // What the film asks of the camera box (app::CameraBoxView).
  void showPicture(const picture::Picture& picture, const std::string& caption, app::PhotoSize size) override;
  // The window's client area on a monitor of another DPI: the viewfinder
  // as it is, the margins at that DPI.
  ui::Rect clientAreaAtDpi(int dpi) const override;
  void repaintPhoto() override { update(); }
  // The dialogs are made after the box, so the shell hands them over.
  struct Dialogs {
    app::Dialog* options = nullptr;
    app::Dialog* help = nullptr;
    app::Dialog* about = nullptr;
  };
  void setDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }
  void showOptions();
  void showHelp();
  void showAbout();
  // What the dialogs ask of the camera box (app::CameraBoxView).
  void showCameraBox() override { showForm(); }
  void setKeepHidden(bool keep) override { keepHidden_ = keep; }
  void setTimeStampShown(bool shown) override;
  void setTimeStampColors(ui::Color front, ui::Color shadow) override;

 private:
  ui::Panel viewfinder_{this, "viewfinder"};
  ui::Image photo_{&viewfinder_, "photo"};
  // The shadow comes first, so the front text is drawn over it.
  ui::Label timeStampShadow_{this, "timeStampShadow"};
  ui::Label timeStamp_{this, "timeStamp"};
  IndexedArray<ui::Panel, Edge, 4> edgeHandles_{{{{this, "edgeHandleLeft"},
                                                  {this, "edgeHandleTop"},
                                                  {this, "edgeHandleRight"},
                                                  {this, "edgeHandleBottom"}}}};
  IndexedArray<ui::Panel, Corner, 4> cornerMarks_{{{{this, "cornerMarkTopLeft"},
                                                    {this, "cornerMarkTopRight"},
                                                    {this, "cornerMarkBottomLeft"},
                                                    {this, "cornerMarkBottomRight"}}}};
  ui::Image titleImage_{this, "titleImage"};
  ui::Timer layoutTimer_{application(), "layoutTimer", kLayoutInterval};
  Menus menus_{application()};

  void setUp();
  void prepareEditMenu();
  void clearPhoto();
  void sendPhotoToSheet();
  void wirePrintCommands();
  void applyViewfinderBevel();
  // The margins, handles, marks and time stamp at the box's DPI.
  void fitToDpi();
  void placeTimeStamp();
  // What a shot asks of the box (ShotWindow).
  void leaveForShot() override { hide(); }
  void comeBackAfterShot() override { showForm(); }
  bool onScreen() const override { return visible(); }
  ui::Rect areaUnderPhoto() const override;
  ui::Point centreOnScreen() const override;
  void showShot(const picture::Picture& taken, const std::string& stamp, bool wholeScreen) override;
  // The normal view, whatever reshape mode says, before a dialog opens.
  void prepareForDialog();
  // The dialog takes the box's place on the screen; one that cannot
  // appear leaves the box there.
  void openInsteadOfBox(app::Dialog* dialog);

  sys::Services& services_;
  app::Settings& settings_;
  app::PositionStore positions_;
  AfterSetUp afterSetUp_;
  FilmInput storeInFilm_;
  Dialogs dialogs_;
  bool keepHidden_ = false;
  bool resizing_ = false;
  bool reshapeMode_ = false;
  PrintSize printSize_ = PrintSize::Screen;
  unsigned displayDivisor_ = 1;
  // An opened picture's name becomes the time stamp, and the picture goes
  // into the film at its own size.
  PictureCommands pictures_{application(),
                            services_,
                            photo_,
                            {[this] { return timeStamp_.caption(); },
                             [this](const std::string& name) {
                               setTimeStamp(name);
                               displayDivisor_ = 1;
                               storePhotoInFilm();
                             }}};
  ShotSequence shots_;
};

// The 156 x 116, 256-colour title picture.
picture::Bitmap titlePicture();

}  // namespace camera
