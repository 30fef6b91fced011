#pragma once

class TMain;
class TForm1;
class TOptionDlg;
class TImageListDlg;
class THelpDlg;
class TAboutDlg;

// One process-wide reference per window, set as the start-up creates them.
extern TMain* Main;
extern TForm1* Form1;
extern TOptionDlg* OptionDlg;
extern TImageListDlg* ImageListDlg;
extern THelpDlg* HelpDlg;
extern TAboutDlg* AboutDlg;

namespace shell {

// The position key below HKEY_CURRENT_USER.
inline constexpr const char* kPositionKey = "\\Software\\Olvane\\Mirune36枚撮り";

}  // namespace shell
