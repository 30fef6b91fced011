#include "shell/program.h"

#include "camera/form1.h"
#include "dialogs/about_dlg.h"
#include "dialogs/help_dlg.h"
#include "dialogs/option_dlg.h"
#include "shell/main_window.h"
#include "shell/startup_window.h"
#include "shell/window_refs.h"
#include "sheet/image_list_dlg.h"

TMain* Main = nullptr;
TForm1* Form1 = nullptr;
TOptionDlg* OptionDlg = nullptr;
TImageListDlg* ImageListDlg = nullptr;
THelpDlg* HelpDlg = nullptr;
TAboutDlg* AboutDlg = nullptr;

namespace shell {

void startUp(ui::Application& app, sys::Services& services) {
  app.setTitle("Mirune 36 枚撮り");
  TStartUpDlg* startUpDlg = app.createSideForm<TStartUpDlg>();
  startUpDlg->show();
  // Each step repaints at once, so the gauge shows before the next, slow one.
  auto step = [startUpDlg](int value) {
    startUpDlg->Gauge1.setProgress(value);
    startUpDlg->update();
  };
  step(0);
  Main = app.createForm<TMain>(services);
  step(1);
  Form1 = app.createForm<TForm1>(services);
  step(2);
  OptionDlg = app.createForm<TOptionDlg>();
  step(3);
  ImageListDlg = app.createForm<TImageListDlg>(services);
  step(6);
  HelpDlg = app.createForm<THelpDlg>();
  step(7);
  AboutDlg = app.createForm<TAboutDlg>();
  step(8);
  app.release(*startUpDlg);
}

int runProgram(ui::Application& app, sys::Services& services) {
  startUp(app, services);
  app.run();
  return 0;
}

}  // namespace shell
