#pragma once
#include "system/clipboard.h"
#include "system/clock.h"
#include "system/file_dialogs.h"
#include "system/files.h"
#include "system/message_boxes.h"
#include "system/png_codec.h"
#include "system/printer.h"
#include "system/profile.h"
#include "system/registry.h"
#include "system/screen.h"
#include "system/shell.h"

namespace sys {

// The outside things the application talks to, one object each.
struct Services {
  Screen& screen;
  Clipboard& clipboard;
  Registry& registry;
  Profile& profile;
  MessageBoxes& messages;
  Clock& clock;
  Files& files;
  FileDialogs& fileDialogs;
  Printer& printer;
  Shell& shell;
  PngCodec& png;
};

}  // namespace sys
