#include "kavrelle/keys/keymap_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ui/file_io.h"

namespace kav {

std::size_t ApplyKeymapBytes(std::span<const std::uint8_t> content, DeviceImage* image, KeyRecordTable& records) {
  const std::size_t bytes = std::min(content.size(), kKeymapFileSize);
  const std::size_t imageBytes = std::min(bytes, kDeviceImageSize);
  if (image && imageBytes > 0) std::memcpy(image, content.data(), imageBytes);
  if (bytes > kDeviceImageSize) std::memcpy(&records, content.data() + kDeviceImageSize, bytes - kDeviceImageSize);
  return bytes;
}

FileRead LoadKeymapFile(const std::filesystem::path& path, DeviceImage& liveImage, KeyRecordTable& records,
                        KeymapImage image) {
  std::vector<std::uint8_t> content(kKeymapFileSize);
  const FileRead read = ReadFileHead(path, content);
  if (read.status == FileReadStatus::Missing) {
    records = ZeroKeyRecordTable();
    SaveKeymapFile(path, liveImage, records);
  } else if (read.status == FileReadStatus::Read) {
    ApplyKeymapBytes(std::span(content).first(read.bytes), image == KeymapImage::Load ? &liveImage : nullptr, records);
  }
  RewriteOwnVks(records);
  return read;
}

bool SaveKeymapFile(const std::filesystem::path& path, const DeviceImage& image, const KeyRecordTable& records) {
  return ui::WriteFileAtomically(path, [&](std::FILE* file) {
    return std::fwrite(&image, 1, sizeof image, file) == sizeof image &&
           std::fwrite(&records, 1, sizeof records, file) == sizeof records;
  });
}

}  // namespace kav
