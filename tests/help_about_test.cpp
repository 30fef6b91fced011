#include <iconv.h>

#include <algorithm>
#include <functional>
#include <set>

#include "dialogs/manual.h"
#include "dialogs_fixture.h"
#include "platform/headless/font_painter.h"
#include "sheet/negative_sheet.h"

namespace {

using dialogs::HelpWindow;

// Bytes of text in the Japanese code page; -1 when a character has no
// place in it.
int cp932Bytes(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return -2;
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* ip = in.data();
  char* op = out.data();
  size_t il = in.size(), ol = out.size();
  size_t r = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return -1;
  return static_cast<int>(out.size() - ol);
}

TEST(ManualTest, LinesFitFortyFourColumnsAndChaptersComeInOrder) {
  std::vector<std::string> lines = dialogs::manualLines();
  ASSERT_GE(lines.size(), 400u);
  EXPECT_EQ(lines[0], "◆◆Mirune３６枚撮り ver1.0◆◆");
  // The text ends with its last line: no blank scrolling after it.
  EXPECT_NE(lines.back(), "");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int bytes = cp932Bytes(lines[i]);
    EXPECT_GE(bytes, 0) << "line " << i << " is not all in the code page: " << lines[i];
    EXPECT_LE(bytes, 44) << "line " << i << ": " << lines[i];
  }
  // Each heading once, in order, with blank lines around it.
  std::size_t last = 0;
  for (const char* heading : dialogs::kChapterHeadings) {
    auto at = std::find(lines.begin(), lines.end(), heading);
    ASSERT_NE(at, lines.end()) << heading;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), heading), 1) << heading;
    std::size_t index = at - lines.begin();
    EXPECT_GT(index, last) << heading;
    EXPECT_EQ(lines[index - 1], "");
    EXPECT_EQ(lines[index + 1], "");
    last = index;
  }
  // Sections the chapters must hold (a long title may go on over a line).
  std::string all;
  for (const auto& l : lines) all += l + "\n";
  for (const char* section : {"ａ：写",
                              "b：ネガ",
                              "c：ＣＬ",
                              "ｄ：？",
                              "ｅ：終",
                              "Ａ：ファイル",
                              "A-1：ファイルを開く",
                              "A-6：印刷サイズ",
                              "Ｂ：編集",
                              "B-1：クリア",
                              "B-5：ネガシートに送る",
                              "Ｃ：選択画面撮影",
                              "C-1：シャッター",
                              "C-2：ストロボシャッター",
                              "Ｄ：全画面撮影",
                              "Ｅ：サイズ",
                              "E-1：ﾃﾞﾌｫﾙﾄサイズ",
                              "E-5：変形",
                              "Ｆ：オプション",
                              "Ｇ：ヘルプ",
                              "Ｈ：ﾊﾞｰｼﾞｮﾝ情報",
                              "5-A：連続表示",
                              "5-B：ペイント",
                              "5-C：連続保存",
                              "5-D：削除",
                              "5-E：ネガシート印刷",
                              "6-A：ストロボ撮影の枚数を変更する。",
                              "6-H：画面上に撮影時間を表示する。"})
    EXPECT_NE(all.find(section), std::string::npos) << section;
  // Where this program keeps the hand-off file, read across line breaks.
  std::string prose;
  for (const auto& l : lines) prose += l;
  for (auto at = prose.find("\u3000"); at != std::string::npos; at = prose.find("\u3000", at))
    prose.erase(at, 3);
  EXPECT_NE(prose.find("Windowsの一時フォルダ"), std::string::npos);
}

// A name as a reader compares it with the screen: half-width katakana as
// full-width, without spaces, a menu accelerator "(&F)", a trailing "＞" or
// "*", or a note in brackets after it.
std::string asRead(const std::string& text) {
  static const char16_t kKana[] =
      u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラ"
      u"リルレロワン";
  std::u16string in = base::utf16FromUtf8(text), out;
  for (char16_t c : in) {
    if (c >= 0xFF66 && c <= 0xFF9D) {
      out += kKana[c - 0xFF66];
    } else if ((c == 0xFF9E || c == 0xFF9F) && !out.empty()) {
      out.back() = static_cast<char16_t>(out.back() + (c == 0xFF9E ? 1 : 2));  // voiced marks
    } else if (c != u' ' && c != u'\u3000') {
      out += c;
    }
  }
  for (std::u16string tail : {u"＞", u"*"})
    if (out.size() >= tail.size() && out.compare(out.size() - tail.size(), tail.size(), tail) == 0)
      out.erase(out.size() - tail.size());
  if (auto at = out.find(u"(&"); at != std::u16string::npos) out.erase(at);
  if (auto at = out.find(u"（"); at != std::u16string::npos && out.back() == u'）') out.erase(at);
  return base::utf8FromUtf16(out);
}

void collectCaptions(const ui::Control& c, std::set<std::string>& out) {
  if (!c.caption().empty()) out.insert(asRead(c.caption()));
  for (const ui::Control* child : c.children()) collectCaptions(*child, out);
}
void collectCaptions(const std::vector<std::unique_ptr<ui::MenuItem>>& items, std::set<std::string>& out) {
  for (const auto& item : items) {
    out.insert(asRead(item->caption()));
    collectCaptions(item->items(), out);
  }
}

class HelpTest : public DialogsTest {
 protected:
  HelpTest() { start(); }
  std::vector<ui::Color> colours() {
    std::vector<ui::Color> c;
    for (auto& b : help().topicButtons) c.push_back(b.color());
    return c;
  }
  std::vector<ui::Color> chosen(int index) {
    std::vector<ui::Color> c(6, HelpWindow::kTopicColor);
    if (index >= 0) c[index] = HelpWindow::kChosenColor;
    return c;
  }
};

// The manual names menu items, buttons and options as the program shows
// them: every section title from chapter 4 on, and every name in 「」, is
// a caption of the running program.
TEST_F(HelpTest, TheManualNamesWhatTheProgramShows) {
  std::set<std::string> captions;
  for (ui::Form* f : std::initializer_list<ui::Form*>{forms.palette, forms.cameraBox, forms.negativeSheet,
                                                      forms.optionsDialog, forms.helpWindow, forms.aboutBox})
    collectCaptions(*f, captions);
  const sheet::NegativeSheet::Menus& s = forms.negativeSheet->menus();
  for (const ui::PopupMenu* m : {static_cast<const ui::PopupMenu*>(&box().menus().command),
                                 static_cast<const ui::PopupMenu*>(&box().menus().shot), &s.play.menu,
                                 &s.paint.menu, &s.save.menu, &s.remove.menu})
    collectCaptions(m->items(), captions);

  std::vector<std::string> lines = dialogs::manualLines();
  std::vector<std::string> names;
  // Section titles: "Ａ：", "A-1：", "5-A：", "6-A：" ...; a long one goes on
  // over a line indented by three spaces.
  auto chapter4 = std::find(lines.begin(), lines.end(), std::string(dialogs::kChapterHeadings[3]));
  ASSERT_NE(chapter4, lines.end());
  const std::string colon = "：";
  for (auto it = chapter4 + 1; it != lines.end(); ++it) {
    std::string line = *it;
    while (line.rfind("\u3000", 0) == 0) line.erase(0, 3);
    auto at = line.find(colon);
    if (at == std::string::npos || at > 4 || line.empty()) continue;
    std::string title = line.substr(at + colon.size());
    for (auto next = it + 1; next != lines.end() && next->rfind("\u3000\u3000\u3000", 0) == 0 &&
                             next->compare(9, 3, "\u3000") != 0;
         ++next)
      title += next->substr(9);
    names.push_back(title);
  }
  EXPECT_GE(names.size(), 40u);
  // Names in 「」, read across line breaks.
  std::string prose;
  for (const auto& l : lines) {
    std::string line = l;
    while (line.rfind("\u3000", 0) == 0) line.erase(0, 3);
    prose += line;
  }
  const std::string open = "「", close = "」";
  // Names of things that are not captions: the chapters, files, and what a frame shows.
  const std::set<std::string> notCaptions = {"４：メニュー", "６：オプション", "temp.bmp", "01.bmp",
                                             "36.bmp",       "From Clip",      "(未撮影)"};
  for (auto at = prose.find(open); at != std::string::npos; at = prose.find(open, at + 1)) {
    auto end = prose.find(close, at);
    ASSERT_NE(end, std::string::npos);
    std::string name = prose.substr(at + open.size(), end - at - open.size());
    if (!notCaptions.count(name)) names.push_back(name);
  }
  for (const std::string& name : names) EXPECT_TRUE(captions.count(asRead(name))) << name;
}

TEST_F(HelpTest, TheHintFitsItsColumnAndTheTextEndsWithTheManual) {
  auto& h = help();
  // The hint breaks into lines that fit the column.
  headless::FontPainter painter;
  auto lines = h.hintLabel.wrappedLines(painter);
  EXPECT_GE(lines.size(), 2u);
  std::string joined;
  for (const auto& l : lines) joined += l;
  EXPECT_EQ(joined, "見たい項目をｸﾘｯｸしてください。");

  // Scrolled as far as it goes, the page ends with the manual's last line.
  app.dispatch([&] { forms.palette->helpButton.click(); });
  h.manualText.scrolledTo(100000);
  int shown = h.manualText.height() / h.manualText.lineHeight();
  int count = static_cast<int>(dialogs::manualLines().size());
  EXPECT_GT(h.manualText.firstLine(), 0);
  EXPECT_GE(h.manualText.firstLine() + shown, count);
  EXPECT_LE(h.manualText.firstLine() + shown, count + 1);
}

TEST_F(HelpTest, TopicButtonsScrollToTheirChaptersAndTurnRed) {
  app.dispatch([&] { forms.palette->helpButton.click(); });
  auto& h = help();
  ASSERT_TRUE(h.visible());
  EXPECT_EQ(h.manualText.scrollTop(), 0);
  EXPECT_EQ(colours(), chosen(-1));
  std::vector<std::string> lines = dialogs::manualLines();
  int previous = -1;
  for (int i = 0; i < 6; ++i) {
    click(h.topicButtons[i]);
    int top = h.manualText.scrollTop();
    EXPECT_GT(top, previous);
    previous = top;
    // The heading shows on the first lines of the page.
    int first = h.manualText.firstLine();
    bool near = lines[first] == dialogs::kChapterHeadings[i] ||
                lines[first + 1] == dialogs::kChapterHeadings[i] ||
                lines[first + 3] == dialogs::kChapterHeadings[i];
    EXPECT_TRUE(near) << dialogs::kChapterHeadings[i] << " at line " << first;
    EXPECT_EQ(colours(), chosen(i));
  }
  click(h.topicButtons[3]);
  int once = h.manualText.scrollTop();
  click(h.topicButtons[3]);
  EXPECT_EQ(h.manualText.scrollTop(), once);
  EXPECT_EQ(colours(), chosen(3));

  // Scrolling by hand leaves the colours.
  h.manualText.scrolledTo(5);
  EXPECT_EQ(h.manualText.scrollTop(), 60);
  EXPECT_EQ(colours(), chosen(3));
}

TEST_F(HelpTest, EachShowingStartsAtTheTopAndTheEndButtonBringsTheCameraBack) {
  auto& h = help();
  box().showForm();
  app.dispatch([&] { box().showHelp(); });
  EXPECT_FALSE(box().visible());
  ASSERT_TRUE(h.visible());
  click(h.topicButtons[3]);
  click(h.closeButton);
  EXPECT_FALSE(h.visible());
  EXPECT_TRUE(box().visible());

  app.dispatch([&] { forms.palette->helpButton.click(); });
  EXPECT_EQ(h.manualText.scrollTop(), 0);
  EXPECT_EQ(colours(), chosen(-1));
  // The window's own close box hides it without bringing the camera back.
  app.dispatch([&] { h.close(); });
  EXPECT_FALSE(h.visible());
  EXPECT_FALSE(box().visible());
}

TEST_F(HelpTest, TheAboutBoxIsModalOverTheCameraBox) {
  box().showForm();
  std::vector<bool> seen;
  platform.backend.modalScript = [&](ui::Form& f) {
    seen.push_back(f.visible());
    seen.push_back(box().visible());
    about().okButton.click();
  };
  app.dispatch([&] { box().showAbout(); });
  EXPECT_EQ(platform.backend.modalsShown, (std::vector<std::string>{"aboutBox"}));
  EXPECT_EQ(seen, (std::vector<bool>{true, true}));
  EXPECT_FALSE(about().visible());
  EXPECT_TRUE(box().visible());

  auto& a = about();
  EXPECT_EQ(a.caption(), "Mirune 36 枚撮り");
  // 170 wide as designed, or as the name needs, everything else centred.
  EXPECT_GE(a.clientWidth(), 170);
  EXPECT_EQ(a.clientHeight(), 276);
  EXPECT_EQ(a.artwork.picture().width(), 156);
  EXPECT_EQ(a.artwork.picture().height(), 116);
  EXPECT_EQ(a.artwork.bounds(), (ui::Rect{16 + (a.clientWidth() - 170) / 2, 16, 137, 105}));
  EXPECT_EQ(a.nameLabel.caption(), "Mirune36枚撮り");
  EXPECT_TRUE(a.nameLabel.font().bold && a.nameLabel.font().italic);
  EXPECT_EQ(a.nameLabel.font().color, ui::rgb(70, 70, 70));
  EXPECT_EQ(a.versionLabel.caption(), "ver 1.0");
  EXPECT_EQ(a.dateLabel.caption(), "1998/01/05");
  EXPECT_TRUE(a.okButton.isDefault());
}

// The about box holds each whole text, a slanted one with room for its slant.
TEST_F(HelpTest, TheAboutBoxShowsEachWholeText) {
  auto& a = about();
  for (const ui::Control* c :
       std::initializer_list<const ui::Control*>{&a.nameLabel, &a.versionLabel, &a.dateLabel}) {
    int lean = c->font().italic ? (c->font().height + 4) / 5 : 0;
    ui::Painter::Size text = platform.backend.painter().measureText(c->font(), c->caption());
    EXPECT_GE(c->width(), text.width + lean) << c->caption();
    EXPECT_GE(c->height(), text.height) << c->caption();
    EXPECT_TRUE(c->left() >= 0 && c->left() + c->width() <= a.clientWidth()) << c->caption();
  }
}

// Labels take the size of their text: none cuts off the end of its caption.
TEST_F(HelpTest, NoLabelOfTheDialogsCutsItsCaption) {
  auto& d = *forms.optionsDialog;
  d.shutterDelayBar.slide(60);
  platform.backend.advance(1000);
  ASSERT_EQ(d.delayValueLabel.caption(), "60");
  ui::Painter& painter = platform.backend.painter();
  int checked = 0;
  std::function<void(const ui::Control&)> check = [&](const ui::Control& c) {
    if (auto* label = dynamic_cast<const ui::Label*>(&c); label && !label->caption().empty()) {
      ++checked;
      EXPECT_GE(label->width(), painter.measureText(label->font(), label->caption()).width)
          << label->name() << " " << label->caption();
      EXPECT_GE(label->height(), label->font().height) << label->name();
    }
    for (const ui::Control* child : c.children()) check(*child);
  };
  check(d);
  check(about());
  EXPECT_EQ(checked, 12);
}

}  // namespace
