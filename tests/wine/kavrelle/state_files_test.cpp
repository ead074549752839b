// keymap.bin and MacroDefine.bin through the Windows file functions: wide paths, replacing an
// existing file in one step, and reading files of the wrong size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "kavrelle/keys/keymap_file.h"
#include "kavrelle/macros/macro_file.h"
#include "tests/support/temp_dir.h"

namespace kav {
namespace {

TEST(StateFilesOnWindows, CreateReplaceAndReloadInAFolderWithAChineseName) {
  testsupport::TempDir temp;
  const std::filesystem::path folder = temp / std::filesystem::path(u"程序 folder");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::filesystem::path keymap = folder / "keymap.bin";
  const std::filesystem::path macros = folder / "MacroDefine.bin";

  DeviceImage image = ZeroDeviceImage();
  image.lighting.effect = 0x33;
  KeyRecordTable records = ZeroKeyRecordTable();
  ASSERT_EQ(LoadKeymapFile(keymap, image, records, KeymapImage::Load).status, FileReadStatus::Missing);
  EXPECT_EQ(std::filesystem::file_size(keymap), kKeymapFileSize);
  MacroTable table = ZeroMacroTable();
  ASSERT_EQ(LoadMacroFile(macros, table).status, FileReadStatus::Missing);
  EXPECT_EQ(std::filesystem::file_size(macros), kMacroTableSize);

  // Saving over the existing files replaces them.
  records[200].kind = 7;
  SetActionPath(records[0], u"C:\\音乐\\song.mp3");
  SetMacroName(table[0], u"宏 1");
  ASSERT_TRUE(SaveKeymapFile(keymap, image, records));
  ASSERT_TRUE(SaveMacroFile(macros, table));

  DeviceImage loadedImage = ZeroDeviceImage();
  KeyRecordTable loadedRecords = ZeroKeyRecordTable();
  MacroTable loadedTable = ZeroMacroTable();
  EXPECT_EQ(LoadKeymapFile(keymap, loadedImage, loadedRecords, KeymapImage::Load).bytes, kKeymapFileSize);
  EXPECT_EQ(LoadMacroFile(macros, loadedTable).bytes, kMacroTableSize);
  EXPECT_EQ(loadedImage, image);
  EXPECT_EQ(loadedRecords[200].kind, 7);
  EXPECT_EQ(ActionPath(loadedRecords[0]), u"C:\\音乐\\song.mp3");
  EXPECT_EQ(MacroName(loadedTable[0]), u"宏 1");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
  EXPECT_EQ(files, 2u) << "no temporary file is left behind";
}

TEST(StateFilesOnWindows, ShortAndLongFilesAreReadUpToWhatTheyHold) {
  testsupport::TempDir temp;
  const std::filesystem::path keymap = temp / "keymap.bin";
  for (std::size_t size : {kDeviceImageSize, kKeymapFileSize + 100}) {
    SCOPED_TRACE(size);
    {
      std::ofstream out(keymap, std::ios::binary | std::ios::trunc);
      const std::string bytes(size, '\x11');
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    DeviceImage image = ZeroDeviceImage();
    KeyRecordTable records = ZeroKeyRecordTable();
    records[254].count = 3;
    const FileRead read = LoadKeymapFile(keymap, image, records, KeymapImage::Load);
    EXPECT_EQ(read.status, FileReadStatus::Read);
    EXPECT_EQ(read.bytes, std::min(size, kKeymapFileSize));
    EXPECT_EQ(image.reserved3, 0x11);
    EXPECT_EQ(records[254].count, size > kKeymapFileSize ? 0x11 : 3);
    EXPECT_EQ(records[5].ownVk, VkOfKey(5));
  }
}

}  // namespace
}  // namespace kav
