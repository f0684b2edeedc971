#include "l10n/SettingsIni.h"

#include <vector>

#include "model/TextFormat.h"

namespace quelmora {

namespace {

struct TLine {
  size_t Start;
  std::string_view Text;  // without its line end
  size_t End;             // offset just past its line end
};

// A byte-order mark (editors on Windows add one) is no part of the first line.
std::vector<TLine> SplitLines(std::string_view text) {
  std::vector<TLine> lines;
  size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start < text.size()) {
    size_t stop = start;
    while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n')
      ++stop;
    size_t end = stop;
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n' && (end == stop || text[end - 1] == '\r')) ++end;
    lines.push_back({start, text.substr(start, stop - start), end});
    start = end;
  }
  return lines;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The section name of a header line; false for any other line.
bool SectionOf(std::string_view line, std::string_view& name) {
  const std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const size_t close = t.find(']');
  if (close == std::string_view::npos) return false;
  name = Trim(t.substr(1, close - 1));
  return true;
}

// The key of a Key=Value line; false for comments and other lines.
bool KeyOf(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return false;
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return true;
}

struct TLocation {
  bool SectionFound = false;
  size_t SectionLast = 0;  // index of the section's last non-blank line
  bool KeyFound = false;
  size_t KeyLine = 0;
  std::string_view Value;
};

TLocation Locate(const std::vector<TLine>& lines, std::string_view section, std::string_view key) {
  TLocation where;
  bool inside = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (SectionOf(lines[i].Text, name)) {
      if (where.SectionFound) break;  // only the first section of the name counts
      inside = SameName(name, section);
      if (inside) {
        where.SectionFound = true;
        where.SectionLast = i;
      }
      continue;
    }
    if (!inside) continue;
    if (!Trim(lines[i].Text).empty()) where.SectionLast = i;
    std::string_view k, v;
    if (!where.KeyFound && KeyOf(lines[i].Text, k, v) && SameName(k, key)) {
      where.KeyFound = true;
      where.KeyLine = i;
      where.Value = v;
    }
  }
  return where;
}

}  // namespace

std::string ReadIniValue(std::string_view Text, std::string_view Section, std::string_view Key) {
  const TLocation where = Locate(SplitLines(Text), Section, Key);
  if (!where.KeyFound) return std::string();
  std::string_view v = where.Value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

std::string WriteIniValue(std::string_view Text, std::string_view Section, std::string_view Key,
                          std::string_view Value) {
  const std::vector<TLine> lines = SplitLines(Text);
  const std::string_view eol = Text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  const std::string entry = std::string(Key) + "=" + std::string(Value);
  const TLocation where = Locate(lines, Section, Key);

  std::string out;
  if (where.KeyFound) {
    const TLine& line = lines[where.KeyLine];
    out.append(Text.substr(0, line.Start));
    out += entry;
    out.append(Text.substr(line.Start + line.Text.size()));
    return out;
  }
  if (where.SectionFound) {
    const size_t after = lines[where.SectionLast].End;
    out.append(Text.substr(0, after));
    if (after == Text.size() && !Text.empty() && Text.back() != '\n' && Text.back() != '\r')
      out += eol;
    out += entry;
    out += eol;
    out.append(Text.substr(after));
    return out;
  }
  out.append(Text);
  if (!lines.empty() && out.back() != '\n' && out.back() != '\r') out += eol;
  out += "[";
  out += Section;
  out += "]";
  out += eol;
  out += entry;
  out += eol;
  return out;
}

}  // namespace quelmora
