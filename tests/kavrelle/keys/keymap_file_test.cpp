#include "kavrelle/keys/keymap_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "kavrelle/macros/macro_file.h"
#include "tests/support/temp_dir.h"

namespace kav {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

template <typename T>
void Fill(T& object, std::uint8_t seed) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(&object);
  for (std::size_t i = 0; i < sizeof object; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 251);
}

template <typename T>
Bytes CopyOf(const T& object) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&object);
  return Bytes(bytes, bytes + sizeof object);
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(KeymapFile, MissingFileIsCreatedFromTheLiveImageAndZeroRecords) {
  for (KeymapImage mode : {KeymapImage::Load, KeymapImage::Skip}) {
    testsupport::TempDir dir;
    DeviceImage image;
    Fill(image, 3);
    const DeviceImage before = image;
    KeyRecordTable records;
    Fill(records, 5);

    EXPECT_EQ(LoadKeymapFile(dir / "keymap.bin", image, records, mode).status, FileReadStatus::Missing);
    EXPECT_EQ(image, before);
    KeyRecordTable expected = ZeroKeyRecordTable();
    EXPECT_EQ(ReadAll(dir / "keymap.bin"), Concat(CopyOf(image), CopyOf(expected)));
    RewriteOwnVks(expected);
    EXPECT_EQ(records, expected);
  }
}

TEST(KeymapFile, RoundTripIsByteForByteAndRewritesOnlyTheOwnVks) {
  testsupport::TempDir dir;
  DeviceImage image;
  Fill(image, 1);  // every reserved range carries a pattern too
  KeyRecordTable records;
  Fill(records, 2);  // records 108-254 included; own VKs of 0-107 are wrong
  const Bytes saved = Concat(CopyOf(image), CopyOf(records));

  ASSERT_TRUE(SaveKeymapFile(dir / "keymap.bin", image, records));
  EXPECT_EQ(ReadAll(dir / "keymap.bin"), saved);
  EXPECT_EQ(saved.size(), kKeymapFileSize);

  DeviceImage loadedImage = ZeroDeviceImage();
  KeyRecordTable loaded = ZeroKeyRecordTable();
  const FileRead read = LoadKeymapFile(dir / "keymap.bin", loadedImage, loaded, KeymapImage::Load);
  EXPECT_EQ(read.status, FileReadStatus::Read);
  EXPECT_EQ(read.bytes, kKeymapFileSize);
  EXPECT_EQ(loadedImage, image);
  for (std::size_t n = 0; n < kKeyRecordCount; ++n) {
    KeyRecord expected = records[n];
    if (n < kKeyCount) expected.ownVk = VkOfKey(n);
    ASSERT_EQ(loaded[n], expected) << "record " << n;
  }

  // Saving what was loaded changes nothing but the own VKs.
  ASSERT_TRUE(SaveKeymapFile(dir / "keymap.bin", loadedImage, loaded));
  const Bytes again = ReadAll(dir / "keymap.bin");
  for (std::size_t i = 0; i < saved.size(); ++i) {
    const std::size_t inTable = i - kDeviceImageSize;
    const bool ownVk = i >= kDeviceImageSize && inTable % kKeyRecordSize == 0 && inTable / kKeyRecordSize < kKeyCount;
    if (!ownVk) {
      ASSERT_EQ(again[i], saved[i]) << "byte " << i;
    }
  }
}

TEST(KeymapFile, ShortAndLongFilesFillOnlyWhatTheyHold) {
  struct Case {
    std::size_t fileSize;
    KeymapImage mode;
  };
  const Case cases[] = {
      {0, KeymapImage::Load},
      {5000, KeymapImage::Load},
      {kDeviceImageSize, KeymapImage::Load},  // a profile made by New
      {kDeviceImageSize + 3 * kKeyRecordSize + 5, KeymapImage::Load},
      {kDeviceImageSize + 3 * kKeyRecordSize + 5, KeymapImage::Skip},
      {kKeymapFileSize + 4096, KeymapImage::Load},  // longer: read up to the file size only
      {kKeymapFileSize + 4096, KeymapImage::Skip},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fileSize << (c.mode == KeymapImage::Load ? " with image" : " records only"));
    testsupport::TempDir dir;
    Bytes file(c.fileSize);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(0x40 + i % 61);
    WriteAll(dir / "keymap.bin", file);

    DeviceImage image;
    Fill(image, 9);
    KeyRecordTable records;
    Fill(records, 11);
    Bytes expected = Concat(CopyOf(image), CopyOf(records));
    const std::size_t from = c.mode == KeymapImage::Load ? 0 : kDeviceImageSize;
    for (std::size_t i = from; i < std::min(file.size(), expected.size()); ++i) expected[i] = file[i];

    const FileRead read = LoadKeymapFile(dir / "keymap.bin", image, records, c.mode);
    EXPECT_EQ(read.status, FileReadStatus::Read);
    EXPECT_EQ(read.bytes, std::min(c.fileSize, kKeymapFileSize));
    for (std::size_t n = 0; n < kKeyCount; ++n) expected[kDeviceImageSize + n * kKeyRecordSize] = VkOfKey(n);
    EXPECT_TRUE(Concat(CopyOf(image), CopyOf(records)) == expected);
    EXPECT_EQ(ReadAll(dir / "keymap.bin"), file) << "loading never writes an existing file";
  }
}

TEST(KeymapFile, AnUnreadableFileIsLeftAloneAndMemoryKept) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir / "keymap.bin");
  DeviceImage image;
  Fill(image, 4);
  const DeviceImage imageBefore = image;
  KeyRecordTable records = ZeroKeyRecordTable();
  records[200].kind = 3;
  EXPECT_EQ(LoadKeymapFile(dir / "keymap.bin", image, records, KeymapImage::Load).status, FileReadStatus::Unreadable);
  EXPECT_EQ(image, imageBefore);
  EXPECT_EQ(records[200].kind, 3);
  EXPECT_EQ(records[0].ownVk, VkOfKey(0));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "keymap.bin"));
}

// Lets writes fail once a file would grow past `limit` bytes, the way a full disk does.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(StateFiles, ASaveThatFailsPartWayLeavesThePreviousFileWhole) {
  testsupport::TempDir dir;
  DeviceImage image;
  Fill(image, 1);
  KeyRecordTable records;
  Fill(records, 2);
  MacroTable macros;
  Fill(macros, 3);
  ASSERT_TRUE(SaveKeymapFile(dir / "keymap.bin", image, records));
  ASSERT_TRUE(SaveMacroFile(dir / "MacroDefine.bin", macros));
  const Bytes keymapBefore = ReadAll(dir / "keymap.bin");
  const Bytes macrosBefore = ReadAll(dir / "MacroDefine.bin");

  DeviceImage newImage;
  Fill(newImage, 0x51);
  KeyRecordTable newRecords;
  Fill(newRecords, 0x52);
  MacroTable newMacros;
  Fill(newMacros, 0x53);
  {
    FileSizeLimit limit(50000);  // the new content is cut off after 50000 bytes
    EXPECT_FALSE(SaveKeymapFile(dir / "keymap.bin", newImage, newRecords));
    EXPECT_FALSE(SaveMacroFile(dir / "MacroDefine.bin", newMacros));
  }
  EXPECT_TRUE(ReadAll(dir / "keymap.bin") == keymapBefore);
  EXPECT_TRUE(ReadAll(dir / "MacroDefine.bin") == macrosBefore);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 2u) << "no temporary file is left behind";

  // With room on the disk again, the same saves go through.
  EXPECT_TRUE(SaveKeymapFile(dir / "keymap.bin", newImage, newRecords));
  EXPECT_TRUE(ReadAll(dir / "keymap.bin") == Concat(CopyOf(newImage), CopyOf(newRecords)));
}

TEST(KeymapFile, SaveIntoAMissingFolderFailsQuietly) {
  testsupport::TempDir dir;
  EXPECT_FALSE(SaveKeymapFile(dir / "no such folder" / "keymap.bin", ZeroDeviceImage(), ZeroKeyRecordTable()));
}

}  // namespace
}  // namespace kav
