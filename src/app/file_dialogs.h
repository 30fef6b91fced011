#pragma once
#include "system/file_dialogs.h"

namespace app {

// The picture file dialogs the camera box and the film share: opening a
// bitmap or a PNG, and saving one (the save-as command asks before replacing a
// file; the film's batch save does not, as its own files are replaced
// without asking).
inline sys::FileDialogOptions openPictureDialog() {
  return {"ファイルを開く", "Bitmapﾌｧｲﾙ（ .bmp）|*.bmp|PNGﾌｧｲﾙ（*.png）|*.png", "bmp"};
}

inline sys::FileDialogOptions savePictureDialog(bool confirmOverwrite) {
  return {"名前をつけて保存", "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ（*.BMP）|*.BMP|PNGﾌｧｲﾙ（*.PNG）|*.PNG|全てのﾌｧｲﾙ|*.*", "BMP",
          confirmOverwrite};
}

}  // namespace app
