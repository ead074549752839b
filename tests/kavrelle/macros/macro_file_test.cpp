#include "kavrelle/macros/macro_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/temp_dir.h"

namespace kav {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes CopyOf(const MacroTable& table) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&table);
  return Bytes(bytes, bytes + sizeof table);
}

MacroTable Pattern(std::uint8_t seed) {
  MacroTable table;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&table);
  for (std::size_t i = 0; i < sizeof table; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 13 + i / 253);
  return table;
}

TEST(MacroFile, MissingFileIsCreatedFromTheTable) {
  testsupport::TempDir dir;
  MacroTable table = ZeroMacroTable();
  EXPECT_EQ(LoadMacroFile(dir / "MacroDefine.bin", table).status, FileReadStatus::Missing);
  EXPECT_EQ(ReadAll(dir / "MacroDefine.bin"), Bytes(kMacroTableSize, 0));
  EXPECT_EQ(table, ZeroMacroTable());
}

TEST(MacroFile, RoundTripIsByteForByte) {
  testsupport::TempDir dir;
  const MacroTable table = Pattern(7);
  ASSERT_TRUE(SaveMacroFile(dir / "MacroDefine.bin", table));
  EXPECT_EQ(ReadAll(dir / "MacroDefine.bin"), CopyOf(table));
  MacroTable loaded = ZeroMacroTable();
  const FileRead read = LoadMacroFile(dir / "MacroDefine.bin", loaded);
  EXPECT_EQ(read.status, FileReadStatus::Read);
  EXPECT_EQ(read.bytes, kMacroTableSize);
  EXPECT_EQ(loaded, table);
}

TEST(MacroFile, ShortAndLongFilesFillOnlyWhatTheyHold) {
  for (std::size_t size :
       {std::size_t{0}, std::size_t{1}, kMacroRecordSize * 2 + 100, kMacroTableSize, kMacroTableSize + 5000}) {
    SCOPED_TRACE(size);
    testsupport::TempDir dir;
    Bytes file(size);
    for (std::size_t i = 0; i < size; ++i) file[i] = static_cast<std::uint8_t>(1 + i % 250);
    std::ofstream(dir / "MacroDefine.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));

    MacroTable table = Pattern(99);
    Bytes expected = CopyOf(table);
    std::copy_n(file.begin(), std::min(size, kMacroTableSize), expected.begin());
    const FileRead read = LoadMacroFile(dir / "MacroDefine.bin", table);
    EXPECT_EQ(read.status, FileReadStatus::Read);
    EXPECT_EQ(read.bytes, std::min(size, kMacroTableSize));
    EXPECT_TRUE(CopyOf(table) == expected);
    EXPECT_EQ(std::filesystem::file_size(dir / "MacroDefine.bin"), size) << "loading never rewrites the file";
  }
}

TEST(MacroFile, AnUnreadableFileIsLeftAlone) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir / "MacroDefine.bin");
  MacroTable table = Pattern(3);
  const MacroTable before = table;
  EXPECT_EQ(LoadMacroFile(dir / "MacroDefine.bin", table).status, FileReadStatus::Unreadable);
  EXPECT_EQ(table, before);
  EXPECT_FALSE(SaveMacroFile(dir / "MacroDefine.bin", table));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "MacroDefine.bin"));
}

}  // namespace
}  // namespace kav
