// The size commands: they set only the photo's size; the photo stretches
// its picture, and the layout tick fits the window around it.
#include <algorithm>

#include "camera/camera_box.h"

namespace camera {

// The viewfinder takes each side of the default size, but at least
// kMinDefaultSide (the settings keep what was typed), so that a box of
// the default size can always be reached with the mouse; a size over what
// a window can be gives the largest photo.
void CameraBox::resizeToDefault() {
  auto side = [](int setting) {
    return std::clamp(std::max(setting, kMinDefaultSide) - 2 * kPhotoInset, 0, kMaxWindowSize);
  };
  photo.setWidth(side(settings_.defaultViewfinderWidth));
  photo.setHeight(side(settings_.defaultViewfinderHeight));
}

// Always from the picture's own size: 200 % twice is still 200 %. Below
// 100 the size is divided, dropping the remainder (50 % of 7 is 3).
// The result stops at the largest size a window can be.
void CameraBox::zoomTo(int percent) {
  auto scaled = [percent](int size) {
    long long s = size;
    s = percent >= 100 ? s * (percent / 100) : s / (100 / percent);
    return static_cast<int>(std::clamp<long long>(s, 0, kMaxWindowSize));
  };
  photo.setHeight(scaled(photo.picture().height()));
  photo.setWidth(scaled(photo.picture().width()));
}

void CameraBox::toggleReshape() {
  bool on = !sizeMenu.reshape.checked();
  for (Edge e : {Edge::Top, Edge::Bottom, Edge::Left, Edge::Right}) edgeHandles[e].setVisible(on);
  reshapeMode = on;
  sizeMenu.reshape.setChecked(on);
}

}  // namespace camera
