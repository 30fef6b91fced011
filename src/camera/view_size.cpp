// The size commands: they set only the photo's size; the photo stretches
// its picture, and the layout tick fits the window around it.
#include "app/settings.h"
#include "camera/camera_box.h"

namespace camera {

void CameraBox::resizeToDefault() {
  photo.setWidth(defaultPhotoSide(settings_.defaultViewfinderWidth));
  photo.setHeight(defaultPhotoSide(settings_.defaultViewfinderHeight));
}

// Always from the picture's own size: 200 % twice is still 200 %.
void CameraBox::zoomTo(int percent) {
  photo.setHeight(zoomedSide(photo.picture().height(), percent));
  photo.setWidth(zoomedSide(photo.picture().width(), percent));
}

void CameraBox::toggleReshape() {
  bool on = !sizeMenu.reshape.checked();
  for (Edge e : {Edge::Top, Edge::Bottom, Edge::Left, Edge::Right}) edgeHandles[e].setVisible(on);
  reshapeMode_ = on;
  sizeMenu.reshape.setChecked(on);
}

}  // namespace camera
