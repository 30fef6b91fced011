#pragma once
// The Win32 backend with an application on it, for the backend and control
// tests of the mingw test program.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/backend.h"
#include "platform/win32/form_window.h"
#include "platform/win32/services.h"
#include "system/message_boxes.h"
#include "ui/application.h"

namespace wintest {

// Message boxes that answer OK at once and remember their texts.
class RecordingBoxes : public sys::MessageBoxes {
 public:
  sys::MsgResult show(const std::string& text, const std::string&, sys::MsgIcon, sys::MsgButtons) override {
    shown.push_back(text);
    return sys::MsgResult::OK;
  }
  std::vector<std::string> shown;
};

struct Fixture {
  win32::Backend backend{GetModuleHandleW(nullptr)};
  RecordingBoxes boxes;
  win32::Screen screen;
  std::unique_ptr<ui::Application> app = std::make_unique<ui::Application>(backend, boxes, screen);
  Fixture() { backend.setApplication(app.get()); }
  ~Fixture() {
    backend.setApplication(nullptr);
    app.reset();
  }
};

inline HWND hwndOf(ui::Form& f) { return static_cast<win32::FormWindow*>(f.peer())->hwnd(); }

}  // namespace wintest
