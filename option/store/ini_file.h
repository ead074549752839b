#pragma once
// INI files read and written the way the Windows private-profile functions read and write
// them, so that either side can open what the other wrote. The whole file is loaded once;
// writes change the copy in memory and save() puts the new file in place in one step.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace opt {

class IniFile {
 public:
  // Larger files are not loaded (and not overwritten): no settings file comes near this.
  static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
  // readString returns at most this many characters, as a 2048-character buffer would.
  static constexpr std::size_t kMaxStringChars = 2047;

  enum class LoadState {
    Loaded,      // the file was read
    Missing,     // no file: starts empty, save() creates it
    Unreadable,  // exists but could not be read, is too large or is UTF-16: starts empty, save() refuses
  };

  // Loads the file at `path` now.
  explicit IniFile(std::filesystem::path path);
  // Bound to `path` but starting empty: save() replaces whatever file is there.
  static IniFile Empty(std::filesystem::path path);

  const std::filesystem::path& path() const { return path_; }
  LoadState loadState() const { return loadState_; }
  bool loaded() const { return loadState_ == LoadState::Loaded; }

  // Section and key names match without regard to (ASCII) case. The first section of a name
  // and the first key of a name in it count; later duplicates are kept in the file untouched.
  bool hasKey(std::string_view section, std::string_view key) const;
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // Decimal, with an optional sign, or 0x / 0o / 0b prefixed; wraps like a 32-bit value.
  // A missing or empty value gives the default.
  int readInt(std::string_view section, std::string_view key, int defaultValue) const;
  // Two hex digits per byte and a checksum byte (sum of the bytes). False, with `buffer`
  // untouched, when the value is missing, of another length or has a wrong checksum.
  bool readStruct(std::string_view section, std::string_view key, std::span<std::uint8_t> buffer) const;

  // False when a name cannot be stored (empty, a line break, '=' in a key, ']' in a
  // section, or a key starting with '['). A value is cut at its first line break.
  bool writeString(std::string_view section, std::string_view key, std::string_view value);
  bool writeInt(std::string_view section, std::string_view key, int value);
  bool writeStruct(std::string_view section, std::string_view key, std::span<const std::uint8_t> data);

  // A whole fixed-layout object as one struct value.
  template <class T>
  requires std::is_trivially_copyable_v<T>
  bool readStruct(std::string_view section, std::string_view key, T& object) const {
    return readStruct(section, key, std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(&object), sizeof(T)));
  }
  template <class T>
  requires std::is_trivially_copyable_v<T>
  bool writeStruct(std::string_view section, std::string_view key, const T& object) {
    return writeStruct(section, key,
                       std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(&object), sizeof(T)));
  }

  // Empties the content; the next save() replaces the file even if it could not be read.
  void clear();
  // Writes the whole content to a temporary file that then replaces the file in one step.
  // False when the file could not be written (the old one is then untouched) or when the
  // file existed but could not be loaded. A loaded file that no write changed is left alone.
  bool save() const;
  // The text save() writes.
  std::string text() const;

 private:
  enum class LineKind : std::uint8_t { Other, Section, Key };
  struct Line {
    std::string text;    // without its line break
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
    LineKind kind = LineKind::Other;
    std::size_t nameBegin = 0, nameEnd = 0;    // section or key name in `text`
    std::size_t valueBegin = 0, valueEnd = 0;  // key value in `text`, blanks trimmed
  };
  struct Section {
    std::size_t headerLine;
    std::size_t lastLine;                               // header or last key line; new keys go after it
    std::unordered_map<std::string, std::size_t> keys;  // folded name -> line
  };

  IniFile() = default;
  void parse(std::string_view content);
  void reindex();
  static Line parseLine(std::string text, std::string ending);
  const Line* findKey(std::string_view section, std::string_view key) const;
  std::string_view rawValue(const Line& line) const;

  std::filesystem::path path_;
  LoadState loadState_ = LoadState::Missing;
  bool replaceUnreadable_ = false;
  bool modified_ = false;  // since the load
  std::string bom_;  // a UTF-8 byte order mark, written back as found
  std::vector<Line> lines_;
  std::vector<Section> sections_;                              // in file order, duplicates included
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
};

}  // namespace opt
