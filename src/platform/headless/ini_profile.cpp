#include "platform/headless/ini_profile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

#include "base/text.h"

namespace headless {
namespace {

// Larger settings files are not ours; reading them whole would be unbounded.
constexpr std::size_t kMaxFile = 16u << 20;

std::string trim(const std::string& s) {
  auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  auto e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

struct Line {
  std::string text;  // without its line break
  std::string eol;   // "\r\n", "\n" or "" for a last line without one
};

// A profile file: its lines, and whether it is kept in UTF-16 (it begins
// with a UTF-16LE byte-order mark) or in 8-bit text.
struct Content {
  std::vector<Line> lines;
  bool utf16 = false;
};

constexpr char kUtf16Mark[] = "\xFF\xFE";

std::optional<Content> load(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string all;
  char buf[8192];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) {
    all.append(buf, static_cast<std::size_t>(in.gcount()));
    if (all.size() > kMaxFile) return std::nullopt;
  }
  Content content;
  if (all.compare(0, 2, kUtf16Mark) == 0) {
    content.utf16 = true;
    std::u16string units;
    for (std::size_t i = 2; i + 1 < all.size(); i += 2)
      units += static_cast<char16_t>(static_cast<unsigned char>(all[i]) |
                                     static_cast<unsigned char>(all[i + 1]) << 8);
    all = base::utf8FromUtf16(units);
  }
  std::vector<Line>& lines = content.lines;
  std::size_t pos = 0;
  while (pos < all.size()) {
    auto nl = all.find('\n', pos);
    if (nl == std::string::npos) {
      lines.push_back({all.substr(pos), ""});
      break;
    }
    bool cr = nl > pos && all[nl - 1] == '\r';
    lines.push_back({all.substr(pos, nl - pos - (cr ? 1 : 0)), cr ? "\r\n" : "\n"});
    pos = nl + 1;
  }
  return content;
}

std::string encode(const Content& content) {
  std::string text;
  for (const Line& l : content.lines) text += l.text + l.eol;
  if (!content.utf16) return text;
  std::string out = kUtf16Mark;
  for (char16_t u : base::utf16FromUtf8(text)) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}

// The section name of a "[name]" line.
std::optional<std::string> sectionOf(const std::string& line) {
  std::string t = trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  auto close = t.find(']');
  return trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

bool isComment(const std::string& line) {
  std::string t = trim(line);
  return !t.empty() && t[0] == ';';
}

// Key and value of a "key=value" line.
std::optional<std::pair<std::string, std::string>> entryOf(const std::string& line) {
  if (isComment(line) || sectionOf(line)) return std::nullopt;
  auto eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return std::make_pair(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
}

std::string unquote(const std::string& v) {
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) return v.substr(1, v.size() - 2);
  return v;
}

// Cuts to at most n characters of UTF-8 without splitting one.
std::string cutChars(const std::string& s, std::size_t n) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
    if (chars == n) return s.substr(0, i);
    ++chars;
  }
  return s;
}

}  // namespace

std::string IniProfile::readString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& def, std::size_t maxChars) {
  auto lines = load(file);
  // The system drops trailing blanks of the default.
  std::string result = def.substr(0, def.find_last_not_of(' ') + 1);
  if (lines) {
    bool inSection = false;
    for (const Line& l : lines->lines) {
      if (auto s = sectionOf(l.text)) {
        if (inSection) break;
        inSection = sameName(*s, section);
        continue;
      }
      if (!inSection) continue;
      auto e = entryOf(l.text);
      if (e && sameName(e->first, key)) {
        result = unquote(e->second);
        break;
      }
    }
  }
  return cutChars(result, maxChars);
}

bool IniProfile::writeString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) {
  Content content;
  if (auto loaded = load(file)) {
    content = std::move(*loaded);
  } else {
    std::ifstream probe(file, std::ios::binary);
    if (probe) return false;  // there, but not readable as ours
    // A new file is UTF-16, so text outside any one code page survives.
    content.utf16 = true;
  }
  std::vector<Line>& lines = content.lines;
  std::string entry = key + "=" + value;
  std::string storedKey = key;
  // Find the section and, in it, the key or the place after its last entry.
  std::optional<std::size_t> sectionAt, keyAt, lastEntryAt;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto s = sectionOf(lines[i].text)) {
      if (sectionAt) break;
      if (sameName(*s, section)) sectionAt = i;
      continue;
    }
    if (!sectionAt) continue;
    if (auto e = entryOf(lines[i].text)) {
      lastEntryAt = i;
      if (sameName(e->first, key)) {
        keyAt = i;
        storedKey = e->first;
        break;
      }
    }
  }
  auto fixLastEol = [&lines] {
    if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = "\r\n";
  };
  if (keyAt) {
    lines[*keyAt].text = storedKey + "=" + value;  // the key keeps its spelling
  } else if (sectionAt) {
    std::size_t at = (lastEntryAt ? *lastEntryAt : *sectionAt) + 1;
    if (at == lines.size()) fixLastEol();
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{entry, "\r\n"});
  } else {
    fixLastEol();
    lines.push_back({"[" + section + "]", "\r\n"});
    lines.push_back({entry, "\r\n"});
  }
  std::string out = encode(content);
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  if (!f) return false;
  f.write(out.data(), static_cast<std::streamsize>(out.size()));
  f.flush();
  return static_cast<bool>(f);
}

}  // namespace headless
