#include "camera/command_menu.h"

namespace camera {

CommandMenu::CommandMenu(ui::Application& app)
    : ui::PopupMenu(app, "commandMenu"),
      file(add("file", "ﾌｧｲﾙ(&F)")),
      edit(add("edit", "編集(&E)")),
      area(add("area", "選択画面 撮影")),
      screen(add("screen", "全画面 撮影")),
      size(add("size", "サイズ")),
      options(add("options", "ｵﾌﾟｼｮﾝ")),
      help(add("help", "ヘルプ(&H)")),
      about(add("about", "ﾊﾞｰｼﾞｮﾝ情報")) {}

FileMenu::FileMenu(ui::MenuItem& file)
    : open(file.add("open", "ﾌｧｲﾙを開く")),
      separator1(file.add("separator1", "-")),
      close(file.add("close", "閉じる")),
      separator2(file.add("separator2", "-")),
      save(file.add("save", "上書保存")),
      saveAs(file.add("saveAs", "名前をつけて保存")),
      separator3(file.add("separator3", "-")),
      print(file.add("print", "印刷")),
      printSize(file.add("printSize", "印刷サイズ")),
      printScreenSize(printSize.add("printScreenSize", "画面サイズ")),
      printPaperSize(printSize.add("printPaperSize", "用紙サイズ")) {}

EditMenu::EditMenu(ui::MenuItem& edit)
    : clear(edit.add("clear", "クリア")),
      copy(edit.add("copy", "コピー")),
      paste(edit.add("paste", "貼りつけ")),
      cut(edit.add("cut", "切り取り")),
      sendToSheet(edit.add("sendToSheet", "ﾈｶﾞｼｰﾄに送る")) {}

AreaMenu::AreaMenu(ui::MenuItem& area)
    : shoot(area.add("shoot", "シャッター")), shootBurst(area.add("shootBurst", "ストロボシャッター")) {}

ScreenMenu::ScreenMenu(ui::MenuItem& screen)
    : shoot(screen.add("shoot", "シャッター")), shootBurst(screen.add("shootBurst", "ストロボシャッター")) {}

SizeMenu::SizeMenu(ui::MenuItem& size)
    : defaultSize(size.add("defaultSize", "ﾃﾞﾌｫﾙﾄサイズ")),
      zoomIn(size.add("zoomIn", "拡大")),
      zoom200(zoomIn.add("zoom200", "200%")),
      zoom300(zoomIn.add("zoom300", "300%")),
      zoom400(zoomIn.add("zoom400", "400%")),
      zoom500(zoomIn.add("zoom500", "500%")),
      zoomOut(size.add("zoomOut", "縮小")),
      zoom50(zoomOut.add("zoom50", "50%")),
      zoom25(zoomOut.add("zoom25", "25%")),
      zoom20(zoomOut.add("zoom20", "20%")),
      zoom10(zoomOut.add("zoom10", "10%")),
      actualSize(size.add("actualSize", "原寸")),
      reshape(size.add("reshape", "変形")) {}

ShotMenu::ShotMenu(ui::Application& app)
    : ui::PopupMenu(app, "shotMenu"),
      shoot(add("shoot", "シャッター")),
      shootBurst(add("shootBurst", "ストロボシャッター")),
      cancel(add("cancel", "キャンセル")) {}

}  // namespace camera
