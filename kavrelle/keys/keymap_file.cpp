#include "kavrelle/keys/keymap_file.h"

#include <cstdio>

#include "ui/file_io.h"

namespace kav {

FileRead LoadKeymapFile(const std::filesystem::path& path, DeviceImage& liveImage, KeyRecordTable& records,
                        KeymapImage image) {
  DeviceImage dropped;  // the image block when only the records are wanted
  const FileRead read =
      ReadFileHead(path, {BytesOf(image == KeymapImage::Load ? liveImage : dropped), BytesOf(records)});
  if (read.status == FileReadStatus::Missing) {
    records = ZeroKeyRecordTable();
    SaveKeymapFile(path, liveImage, records);
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
