#include "option/store/ini_file.h"

#include <system_error>
#include <utility>

#include "ui/file_io.h"

namespace opt {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";
// GetPrivateProfileInt reads the value into a 30-character buffer before converting it.
constexpr std::size_t kIntDigitsRead = 29;

// The blanks the private-profile reader trims; 0x1A is the old end-of-file mark.
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string folded(std::string_view name) {
  std::string result(name);
  for (char& c : result) c = foldCase(c);
  return result;
}

bool hasLineBreakOrNul(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

bool isQuote(char c) { return c == '"' || c == '\''; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A value that the reader would change (blanks at either end trimmed, one pair of matching
// quotes removed) is written inside double quotes, which the reader takes off again.
std::string encodeValue(std::string_view value) {
  const std::size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
  if (cut != value.npos) value = value.substr(0, cut);
  if (value.empty()) return {};
  const bool blankAtEnd = isBlank(value.front()) || isBlank(value.back());
  const bool quoted = value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
  if (blankAtEnd || quoted) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

// GetPrivateProfileInt's conversion: optional sign, then a number in base 10 or, after
// "0b", "0o" or "0x", in base 2, 8 or 16, up to the first character that is not a digit.
std::uint32_t parseInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    const char prefix = text[i + 1];
    if (prefix == 'b') base = 2;
    if (prefix == 'o') base = 8;
    if (prefix == 'x') base = 16;
    if (base != 10) i += 2;
  }
  std::uint32_t result = 0;
  for (; i < text.size(); ++i) {
    const int digit = hexDigit(text[i]);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
    result = result * base + static_cast<unsigned>(digit);
  }
  return negative ? 0u - result : result;
}

bool validSectionName(std::string_view name) { return !name.empty() && !hasLineBreakOrNul(name); }

bool validKeyName(std::string_view name) {
  return !name.empty() && !hasLineBreakOrNul(name) && name.find('=') == name.npos && name.front() != '[';
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code error;
  const bool exists = std::filesystem::exists(path_, error);
  if (!exists && !error) {
    loadState_ = LoadState::Missing;
    return;
  }
  const auto bytes = ui::ReadFileBytes(path_, kMaxFileBytes);
  if (!bytes) {
    loadState_ = LoadState::Unreadable;
    return;
  }
  std::string_view content(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  // UTF-16 files would need a code page to turn into the 8-bit text this class keeps.
  if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF")) {
    loadState_ = LoadState::Unreadable;
    return;
  }
  if (content.starts_with(kUtf8Bom)) {
    bom_ = kUtf8Bom;
    content.remove_prefix(kUtf8Bom.size());
  }
  parse(content);
  loadState_ = LoadState::Loaded;
}

IniFile IniFile::Empty(std::filesystem::path path) {
  IniFile file;
  file.path_ = std::move(path);
  file.replaceUnreadable_ = true;
  return file;
}

void IniFile::parse(std::string_view content) {
  lines_.clear();
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t end = content.find_first_of("\r\n", pos);
    std::size_t next = end;
    if (end == content.npos) {
      end = next = content.size();
    } else if (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') {
      next = end + 2;
    } else {
      next = end + 1;
    }
    lines_.push_back(
        parseLine(std::string(content.substr(pos, end - pos)), std::string(content.substr(end, next - end))));
    pos = next;
  }
  reindex();
}

IniFile::Line IniFile::parseLine(std::string text, std::string ending) {
  Line line;
  line.text = std::move(text);
  line.ending = std::move(ending);
  const std::string_view view(line.text);
  std::size_t begin = 0;
  while (begin < view.size() && isBlank(view[begin])) ++begin;
  std::size_t end = view.size();
  while (end > begin && isBlank(view[end - 1])) --end;
  if (begin == end) return line;

  if (view[begin] == '[') {
    const std::size_t close = view.rfind(']', end - 1);
    if (close != view.npos && close > begin) {
      line.kind = LineKind::Section;
      line.nameBegin = begin + 1;
      line.nameEnd = close;
      while (line.nameBegin < line.nameEnd && isBlank(view[line.nameBegin])) ++line.nameBegin;
      while (line.nameEnd > line.nameBegin && isBlank(view[line.nameEnd - 1])) --line.nameEnd;
      return line;
    }
    // A header without its ']' is read as a key line, as the system does.
  }
  line.kind = LineKind::Key;
  const std::size_t equals = view.find('=', begin);
  if (equals == view.npos || equals >= end) {
    // A name without '=': a key that has no value.
    line.nameBegin = begin;
    line.nameEnd = end;
    line.valueBegin = line.valueEnd = std::string::npos;
    return line;
  }
  std::size_t nameEnd = equals;
  while (nameEnd > begin && isBlank(view[nameEnd - 1])) --nameEnd;
  std::size_t valueBegin = equals + 1;
  while (valueBegin < end && isBlank(view[valueBegin])) ++valueBegin;
  line.nameBegin = begin;
  line.nameEnd = nameEnd;
  line.valueBegin = valueBegin;
  line.valueEnd = end;
  return line;
}

void IniFile::reindex() {
  sections_.clear();
  sectionIndex_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    const std::string_view name = std::string_view(line.text).substr(line.nameBegin, line.nameEnd - line.nameBegin);
    if (line.kind == LineKind::Section) {
      sections_.push_back(Section{i, i, {}});
      sectionIndex_.emplace(folded(name), sections_.size() - 1);
    } else if (line.kind == LineKind::Key && !sections_.empty()) {
      Section& section = sections_.back();
      section.keys.emplace(folded(name), i);
      if (line.valueBegin != std::string::npos) section.lastLine = i;
    }
  }
}

const IniFile::Line* IniFile::findKey(std::string_view section, std::string_view key) const {
  section = trim(section);
  key = trim(key);
  if (section.empty() || key.empty()) return nullptr;
  const auto sectionIt = sectionIndex_.find(folded(section));
  if (sectionIt == sectionIndex_.end()) return nullptr;
  const Section& found = sections_[sectionIt->second];
  const auto keyIt = found.keys.find(folded(key));
  if (keyIt == found.keys.end()) return nullptr;
  const Line& line = lines_[keyIt->second];
  return line.valueBegin == std::string::npos ? nullptr : &line;
}

std::string_view IniFile::rawValue(const Line& line) const {
  return std::string_view(line.text).substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const { return findKey(section, key) != nullptr; }

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
  const Line* line = findKey(section, key);
  std::string_view value = line ? rawValue(*line) : defaultValue;
  if (line && value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  const std::size_t nul = value.find('\0');
  if (nul != value.npos) value = value.substr(0, nul);
  return std::string(value.substr(0, kMaxStringChars));
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
  const std::string value = readString(section, key, "");
  if (value.empty()) return defaultValue;
  return static_cast<int>(parseInt(std::string_view(value).substr(0, kIntDigitsRead)));
}

bool IniFile::readStruct(std::string_view section, std::string_view key, std::span<std::uint8_t> buffer) const {
  const Line* line = findKey(section, key);
  if (!line) return false;
  const std::string_view value = rawValue(*line);
  if (value.size() != 2 * buffer.size() + 2) return false;
  std::vector<std::uint8_t> decoded(buffer.size() + 1);
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    const int high = hexDigit(value[2 * i]);
    const int low = hexDigit(value[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    decoded[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < buffer.size(); ++i) sum = static_cast<std::uint8_t>(sum + decoded[i]);
  if (sum != decoded.back()) return false;
  std::copy(decoded.begin(), decoded.end() - 1, buffer.begin());
  return true;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  section = trim(section);
  key = trim(key);
  if (!validSectionName(section) || !validKeyName(key)) return false;
  const std::string encoded = encodeValue(value);

  const auto sectionIt = sectionIndex_.find(folded(section));
  if (sectionIt == sectionIndex_.end()) {
    modified_ = true;
    if (!lines_.empty()) {
      if (lines_.back().ending.empty()) lines_.back().ending = kNewLine;
      if (lines_.back().kind != LineKind::Other || !trim(lines_.back().text).empty()) {
        lines_.push_back(parseLine("", std::string(kNewLine)));
      }
    }
    lines_.push_back(parseLine("[" + std::string(section) + "]", std::string(kNewLine)));
    lines_.push_back(parseLine(std::string(key) + "=" + encoded, std::string(kNewLine)));
    sections_.push_back(Section{lines_.size() - 2, lines_.size() - 1, {}});
    sections_.back().keys.emplace(folded(key), lines_.size() - 1);
    sectionIndex_.emplace(folded(section), sections_.size() - 1);
    return true;
  }

  Section& found = sections_[sectionIt->second];
  const std::string foldedKey = folded(key);
  const auto keyIt = found.keys.find(foldedKey);
  if (keyIt != found.keys.end()) {
    // Keep the key as the file spells it; only the value changes.
    Line& line = lines_[keyIt->second];
    std::string text = line.text.substr(0, line.nameEnd) + "=" + encoded;
    if (text == line.text) return true;
    modified_ = true;
    line = parseLine(std::move(text), std::move(line.ending));
    if (keyIt->second > found.lastLine) found.lastLine = keyIt->second;
    return true;
  }

  modified_ = true;
  const std::size_t at = found.lastLine + 1;
  if (lines_[found.lastLine].ending.empty()) lines_[found.lastLine].ending = kNewLine;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                parseLine(std::string(key) + "=" + encoded, std::string(kNewLine)));
  if (at + 1 == lines_.size()) {
    found.keys.emplace(foldedKey, at);
    found.lastLine = at;
  } else {
    reindex();
  }
  return true;
}

bool IniFile::writeInt(std::string_view section, std::string_view key, int value) {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::writeStruct(std::string_view section, std::string_view key, std::span<const std::uint8_t> data) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string value;
  value.reserve(2 * data.size() + 2);
  std::uint8_t sum = 0;
  for (const std::uint8_t byte : data) {
    value += kDigits[byte >> 4];
    value += kDigits[byte & 0x0F];
    sum = static_cast<std::uint8_t>(sum + byte);
  }
  value += kDigits[sum >> 4];
  value += kDigits[sum & 0x0F];
  return writeString(section, key, value);
}

void IniFile::clear() {
  lines_.clear();
  sections_.clear();
  sectionIndex_.clear();
  bom_.clear();
  replaceUnreadable_ = true;
  modified_ = true;
}

std::string IniFile::text() const {
  std::string result = bom_;
  for (const Line& line : lines_) {
    result += line.text;
    result += line.ending;
  }
  return result;
}

bool IniFile::save() const {
  if (loadState_ == LoadState::Unreadable && !replaceUnreadable_) return false;
  // The file already holds exactly this: writing it again would only cost a flush to disk.
  if (loadState_ == LoadState::Loaded && !modified_) return true;
  const std::string content = text();
  return ui::WriteFileAtomically(
      path_, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
}

}  // namespace opt
