#pragma once
// keymap.bin, the current settings in the program folder: the device image (10060 bytes)
// followed by the key record table (196860 bytes), 206920 bytes, no header. Profile files have
// the same layout: they are read with ReadFileHead (raw_file.h) into the same two blocks and
// written with SaveKeymapFile.

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "kavrelle/device/device_image.h"
#include "kavrelle/keys/key_records.h"
#include "kavrelle/macros/raw_file.h"

namespace kav {

inline constexpr std::u16string_view kKeymapFileName = u"keymap.bin";
inline constexpr std::size_t kKeymapFileSize = 206920;
static_assert(kKeymapFileSize == kDeviceImageSize + kKeyRecordTableSize);

enum class KeymapImage {
  Load,  // start-up: the image block goes into the live image
  Skip,  // before the key assignment dialog: only the records are reloaded
};

// Loads the file. An existing file fills the records (and with KeymapImage::Load the live
// image) as far as it reaches, at most 206920 bytes; what it does not reach stays as it was. A
// missing file is created from the live image and an all-zero record table, and the records in
// memory are zeroed. A file that exists but cannot be opened is left alone and memory keeps its
// content (a read error keeps what was read before it). In every case byte 0 of records 0-107
// is then set to the key's own VK.
FileRead LoadKeymapFile(const std::filesystem::path& path, DeviceImage& liveImage, KeyRecordTable& records,
                        KeymapImage image);

// Writes image and records, replacing the old file in one step; false (old file intact) when
// the file cannot be written.
bool SaveKeymapFile(const std::filesystem::path& path, const DeviceImage& image, const KeyRecordTable& records);

}  // namespace kav
