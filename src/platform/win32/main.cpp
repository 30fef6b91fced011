// The program's entry: the real backend and services under the portable
// application.
#include <windows.h>

#include <exception>
#include <string>

#include "platform/win32/backend.h"
#include "platform/win32/services.h"
#include "platform/win32/text.h"
#include "shell/program.h"
#include "ui/application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The backend outlives the application: the forms' windows and timers
  // are given back to it when the application releases them.
  win32::Backend backend(instance);
  win32::Screen screen;
  win32::Clipboard clipboard([&backend] { return backend.applicationWindow(); });
  win32::Registry registry;
  win32::Profile profile;
  win32::MessageBoxes messages([&backend] { return backend.applicationWindow(); });
  win32::Clock clock;
  win32::Files files;
  win32::FileDialogs fileDialogs([&backend] { return backend.applicationWindow(); });
  win32::Printer printer([&backend] { return backend.applicationWindow(); });
  win32::PngCodec png;
  // Files open in another program owned by the window the program names,
  // once its windows stand.
  const shell::Program* program = nullptr;
  win32::Shell shell(
      [&backend, &program] { return program ? backend.windowOf(program->shellOwner()) : HWND(nullptr); });
  sys::Services services{screen, clipboard,   registry, profile, messages, clock,
                         files,  fileDialogs, printer,  shell,   png};
  try {
    ui::Application app(backend, messages, screen);
    // Declared after the application, so it is gone before the
    // application starts taking its forms down.
    struct Attach {
      win32::Backend& backend;
      ~Attach() { backend.setApplication(nullptr); }
    } attach{backend};
    backend.setApplication(&app);
    shell::Program started(app, services);
    program = &started;
    return started.run();
  } catch (...) {
    // A failure outside any handler (the start-up itself, a palette that
    // cannot appear) ends the program, but not silently, and in its words.
    std::wstring text;
    try {
      text = win32::widen(ui::Application::failureText(std::current_exception()));
    } catch (...) {
    }
    MessageBoxW(nullptr, text.empty() ? L"処理を続けられませんでした" : text.c_str(), L"Mirune",
                MB_OK | MB_ICONERROR);
    return 1;
  }
}
