#include "camera/viewfinder_geometry.h"

#include <gtest/gtest.h>

namespace {

using camera::Edge;
using camera::Size;
using camera::ViewfinderGeometry;

constexpr std::size_t at(Edge e) { return static_cast<std::size_t>(e); }

TEST(ViewfinderGeometry, BoxFollowsTheViewfinderAndTheViewfinderThePhotoUpToAWindowsLargestSize) {
  struct Case {
    int dpi;
    Size viewfinder, photo, box;
    ui::Rect newViewfinder, newPhoto;
  } cases[] = {
      {96, {160, 120}, {312, 232}, {180, 145}, {10, 15, 316, 236}, {2, 2, 312, 232}},
      {144, {160, 120}, {312, 232}, {190, 158}, {15, 23, 316, 236}, {2, 2, 312, 232}},
      {96, {32767, 8}, {40000, 4}, {32767, 33}, {10, 15, 32767, 8}, {2, 2, 32767, 4}},
  };
  for (const Case& c : cases) {
    camera::BoxLayout layout = ViewfinderGeometry(c.dpi).fitAround(c.viewfinder, c.photo);
    EXPECT_EQ(layout.box, c.box) << c.dpi;
    EXPECT_EQ(layout.viewfinder, c.newViewfinder) << c.dpi;
    EXPECT_EQ(layout.photo, c.newPhoto) << c.dpi;
  }
}

TEST(ViewfinderGeometry, ADragMovesTheEdgeHalfThePointerOffsetAndStopsAtZeroOrTheLargestSize) {
  const ui::Rect handle{100, 50, 5, 120};
  struct Case {
    Edge edge;
    ui::Point pointer, handleShift, boxShift;
    Size photo, after;
  } cases[] = {
      {Edge::Right, {41, 0}, {20, 0}, {}, {156, 116}, {176, 116}},
      {Edge::Bottom, {0, -31}, {0, -15}, {}, {156, 116}, {156, 101}},
      {Edge::Left, {30, 0}, {15, 0}, {15, 0}, {156, 116}, {141, 116}},
      {Edge::Top, {0, -30}, {0, -15}, {0, -15}, {156, 116}, {156, 131}},
      {Edge::Right, {-1000, 0}, {-156, 0}, {}, {156, 116}, {0, 116}},
      {Edge::Left, {1000, 0}, {156, 0}, {156, 0}, {156, 116}, {0, 116}},
      {Edge::Bottom, {0, 100}, {0, 7}, {}, {10, 32760}, {10, 32767}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pointer.x << "," << c.pointer.y);
    camera::EdgeDrag step = camera::dragEdge(c.edge, handle, c.photo, c.pointer.x, c.pointer.y);
    EXPECT_EQ(step.handle, handle.offset(c.handleShift.x, c.handleShift.y));
    EXPECT_EQ(step.boxShift, c.boxShift);
    EXPECT_EQ(step.photo, c.after);
  }
}

TEST(ViewfinderGeometry, HandlesThinWhileDraggedAndTheLeftAndTopOnesStayOutsideTheViewfinder) {
  const ui::Rect viewfinder{15, 23, 160, 120};
  const ViewfinderGeometry geometry(144);
  camera::HandleRects around = geometry.handlesAround(viewfinder);
  EXPECT_EQ(around[at(Edge::Left)], (ui::Rect{7, 23, 8, 120}));
  camera::HandleRects thin = geometry.handlesForResizeState(around, viewfinder, true);
  EXPECT_EQ(thin[at(Edge::Left)], (ui::Rect{13, 23, 2, 120}));
  // The layout tick leaves the left and top handles where they stand.
  const ui::Rect grown{15, 23, 200, 150};
  EXPECT_EQ(camera::handlesAlong(thin, grown)[at(Edge::Left)], (ui::Rect{13, 23, 2, 150}));
  EXPECT_EQ(camera::handlesAlong(thin, grown)[at(Edge::Right)], (ui::Rect{215, 23, 2, 150}));
  EXPECT_EQ(geometry.handlesForAiming(thin, grown)[at(Edge::Top)], (ui::Rect{15, 15, 200, 2}));
}

TEST(ViewfinderGeometry, ViewSizesKeepToWhatAWindowCanBe) {
  struct Case {
    int side, percent, zoomed;
  } zooms[] = {{7, 50, 3}, {156, 200, 312}, {7, 10, 0}, {20000, 200, 32767}};
  for (const Case& c : zooms) EXPECT_EQ(camera::zoomedSide(c.side, c.percent), c.zoomed) << c.percent;
  // The default viewfinder side, at least 16, less the photo's inset.
  for (auto [side, photo] : {std::pair{160, 156}, std::pair{3, 12}, std::pair{40000, 32767}})
    EXPECT_EQ(camera::defaultPhotoSide(side), photo) << side;
}

}  // namespace
