#pragma once
#include <array>

#include "ui/types.h"

// Where the camera box puts its window, viewfinder, photo, handles and
// marks, worked out from rectangles alone so that it can be tested without
// a form. Everything is in device pixels.
namespace camera {

enum class Edge { Left, Top, Right, Bottom };
enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// Margins around the viewfinder at 96 DPI: 10 left, right and below, 15
// on top.
inline constexpr int kMarginLeft = 10, kMarginTop = 15, kMarginRight = 10, kMarginBottom = 10;
// The photo lies this far inside the viewfinder's edge, in device pixels.
inline constexpr int kPhotoInset = 2;
inline constexpr int kHandleThickness = 5, kDraggedHandleThickness = 1;
inline constexpr int kCornerMarkSize = 10;
// The largest width or height a window, and so the photo, can have.
inline constexpr int kMaxWindowSize = 32767;
// The default size gives the viewfinder at least this on each side.
inline constexpr int kMinDefaultSide = 16;

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

inline Size sizeOf(ui::Rect r) { return {r.width, r.height}; }

// The four edge handles, indexed by Edge, and the four corner marks,
// indexed by Corner.
using HandleRects = std::array<ui::Rect, 4>;
using MarkRects = std::array<ui::Rect, 4>;

// One layout tick's result.
struct BoxLayout {
  Size box;
  ui::Rect viewfinder, photo;
};

// One move of a dragged edge handle.
struct EdgeDrag {
  ui::Rect handle;
  // The box moves with its left or top edge, so that the opposite edge stays.
  ui::Point boxShift;
  Size photo;
};

// The lengths that take the box's DPI (margins, handles, marks) and what
// depends on them; the viewfinder and the photo keep their pixels.
class ViewfinderGeometry {
 public:
  explicit ViewfinderGeometry(int dpi);

  // The window takes the viewfinder's size from before the tick, the
  // viewfinder the photo's.
  BoxLayout fitAround(Size viewfinder, Size photo) const;
  Size boxAround(Size viewfinder) const;
  // The viewfinder stands at the margins' inner corner.
  ui::Rect viewfinderAt(Size viewfinder) const;
  ui::Rect viewfinderAround(Size photo) const;

  // The handles standing around the viewfinder at their full thickness.
  HandleRects handlesAround(ui::Rect viewfinder) const;
  // The framing view: the handles along the viewfinder, the left and top
  // ones outside it.
  HandleRects handlesForAiming(const HandleRects& now, ui::Rect viewfinder) const;
  // Thin handles while one is dragged, so that they hide little of the area.
  HandleRects handlesForResizeState(const HandleRects& now, ui::Rect viewfinder, bool dragging) const;
  MarkRects cornerMarksAround(ui::Rect viewfinder) const;

 private:
  int marginLeft_, marginTop_, marginRight_, marginBottom_, handle_, draggedHandle_, mark_;
};

// The layout tick's handles: along the viewfinder, the right and bottom
// ones at its far edges; each keeps its thickness.
HandleRects handlesAlong(const HandleRects& now, ui::Rect viewfinder);
// Half the pointer's distance (x, y) from the handle moves its edge.
EdgeDrag dragEdge(Edge edge, ui::Rect handle, Size photo, int x, int y);
// The shot menu opens beside the box for the right and bottom handles.
ui::Point shotMenuPlace(Edge edge, ui::Rect box, int x, int y);
// Where the photo stands on the screen, for an area shot.
ui::Rect photoOnScreen(ui::Point box, ui::Rect viewfinder, Size photo);

// The view sizes, one side at a time.
int defaultPhotoSide(int viewfinderSide);
int zoomedSide(int pictureSide, int percent);

}  // namespace camera
