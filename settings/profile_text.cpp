#include "settings/profile_text.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "text/sjis.h"

namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t length = end - start;
    if (length > 0 && text[start + length - 1] == '\r') --length;
    lines.push_back(text.substr(start, length));
    start = end + 1;
  }
  return lines;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text) {
  std::size_t from = 0;
  std::size_t to = text.size();
  while (from < to && is_blank(text[from])) ++from;
  while (to > from && is_blank(text[to - 1])) --to;
  return text.substr(from, to - from);
}

char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Only single-byte letters fold: a trail byte that reads as a letter stays as it is.
bool same_name(const std::string& name, const char* wanted) {
  if (name.size() != std::strlen(wanted)) return false;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t width = sjis_char_length(name.c_str() + i);
    if (width == 1 ? folded(name[i]) != folded(wanted[i]) : name.compare(i, width, wanted + i, width) != 0)
      return false;
    i += width;
  }
  return true;
}

// The name of the section a line opens; false for any other line. A ']' that is the
// trail byte of a character does not close it.
bool section_of(const std::string& line, std::string& name) {
  const std::string text = trimmed(line);
  if (text.empty() || text[0] != '[') return false;
  std::size_t end = 1;
  while (end < text.size() && text[end] != ']') end += sjis_char_length(text.c_str() + end);
  name = trimmed(text.substr(1, (end < text.size() ? end : text.size()) - 1));
  return true;
}

bool key_of(const std::string& line, std::string& key, std::string& value) {
  const std::string text = trimmed(line);
  const std::size_t equals = text.find('=');
  if (text.empty() || text[0] == ';' || equals == std::string::npos) return false;
  key = trimmed(text.substr(0, equals));
  value = trimmed(text.substr(equals + 1));
  return true;
}

std::string unquoted(const std::string& value) {
  const bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
  return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The line that opens section, or lines.size().
std::size_t section_start(const std::vector<std::string>& lines, const char* section) {
  std::string name;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (section_of(lines[i], name) && same_name(name, section)) return i;
  return lines.size();
}

}  // namespace

bool profile_value(const std::string& text, const char* section, const char* key, std::string& value) {
  const std::vector<std::string> lines = lines_of(text);
  std::string name, found;
  for (std::size_t i = section_start(lines, section) + 1; i < lines.size() && !section_of(lines[i], name); ++i) {
    if (key_of(lines[i], name, found) && same_name(name, key)) {
      value = unquoted(found);
      return true;
    }
  }
  return false;
}

std::string profile_with(const std::string& text, const char* section, const char* key, const char* value) {
  std::vector<std::string> lines = lines_of(text);
  const std::string line = value != nullptr ? std::string(key) + "=" + value : std::string();
  const std::size_t start = section_start(lines, section);
  if (start == lines.size()) {
    if (value == nullptr) return text;
    lines.push_back(std::string("[") + section + "]");
    lines.push_back(line);
    return joined(lines);
  }
  std::size_t last_filled = start;
  std::string name, found;
  for (std::size_t i = start + 1; i < lines.size() && !section_of(lines[i], name); ++i) {
    if (key_of(lines[i], name, found) && same_name(name, key)) {
      if (value != nullptr)
        lines[i] = line;
      else
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
      return joined(lines);
    }
    if (!trimmed(lines[i]).empty()) last_filled = i;
  }
  if (value == nullptr) return text;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last_filled + 1), line);
  return joined(lines);
}
