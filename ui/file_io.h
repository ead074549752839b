#pragma once
// Whole-file reads and crash-safe whole-file writes, shared by both programs' state files.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace ui {

// The whole file, or nothing when it is missing, unreadable or larger than `maxBytes`.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

// Writes the new content to a temporary file in the same folder and puts it in place of
// `path` in one step, so a reader always sees the old file or the new one, never a torn one.
// `write` fills the temporary file and returns false to abandon the write. Returns false
// when the file could not be written; the old file is then untouched.
bool WriteFileAtomically(const std::filesystem::path& path, const std::function<bool(std::FILE*)>& write);
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace ui
