#include "ui/wrapping_label.h"

#include "ui/painter.h"

namespace ui {

namespace {
// The length of the UTF-8 character starting with byte c.
std::size_t charLength(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}
}  // namespace

std::vector<std::string> WrappingLabel::wrappedLines(Painter& painter) const {
  return linesWithin(painter, painter.scaled(width()));
}

std::vector<std::string> WrappingLabel::linesWithin(Painter& painter, int width) const {
  std::vector<std::string> lines;
  std::string line;
  const std::string& text = caption();
  for (std::size_t at = 0; at < text.size();) {
    std::size_t n = std::min(charLength(static_cast<unsigned char>(text[at])), text.size() - at);
    std::string next = line + text.substr(at, n);
    if (!line.empty() && painter.measureText(font(), next).width > width) {
      lines.push_back(line);
      line = text.substr(at, n);
    } else {
      line = next;
    }
    at += n;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void WrappingLabel::paint(picture::Canvas& c, Rect r, Rect, Painter& painter) {
  if (!transparent() && color() != clNone) c.fillRect(r, color());
  int y = r.top;
  for (const std::string& line : linesWithin(painter, r.width)) {
    painter.drawText(c, font(), line, r.left, y, font().color);
    y += painter.scaled(font().height + 1);
  }
}

}  // namespace ui
