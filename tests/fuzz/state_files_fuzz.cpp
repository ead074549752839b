// libFuzzer target for everything that reads bytes the user's disk may have damaged:
// keymap.bin and MacroDefine.bin through the real loaders, the macro event-list walk and the
// stream edits, and ApplyAssignment with whatever a damaged state holds. Byte 0 of the input
// picks the case; the rest is the file content or the operands. A file case starts with a
// 3-byte length and repeats its content up to it, so small inputs make short, whole and
// oversized files alike. Besides memory errors (ASan,
// UBSan) it checks what must hold after every operation and aborts when it does not.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "kavrelle/keys/key_assignment.h"
#include "kavrelle/keys/key_functions.h"
#include "kavrelle/keys/keymap_file.h"
#include "kavrelle/macros/macro_events.h"
#include "kavrelle/macros/macro_file.h"
#include "kavrelle/macros/macro_table.h"

namespace {

using namespace kav;

#define CHECK(condition)                                                           \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #condition); \
      std::abort();                                                                \
    }                                                                              \
  } while (0)

std::filesystem::path g_dir;

void RemoveDir() {
  std::error_code ignored;
  std::filesystem::remove_all(g_dir, ignored);
}

void WriteInput(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  CHECK(file != nullptr);
  if (!bytes.empty()) CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  std::fclose(file);
}

template <typename T>
void Pattern(T& object, std::uint8_t seed) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(&object);
  for (std::size_t i = 0; i < sizeof object; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 31);
}

// Reads every field the program shows from a loaded state.
void UseState(const DeviceImage& image, const KeyRecordTable& records) {
  AssignedFlags flags;
  flags.fill(1);
  RecomputeAssignedFlags(image, records, flags);
  CHECK(flags[100] == 0);
  for (std::size_t key = 0; key < kKeyCount; ++key) {
    CHECK(records[key].ownVk == VkOfKey(key));
    CHECK(ActionPath(records[key]).size() <= kActionPathUnits);
    (void)FunctionOfRecord(records[key]);
    (void)NameOfVk(records[key].data[0]);
  }
}

// A file case: 3 bytes of length (taken modulo kMaxFileBytes), then a pattern repeated up to it.
constexpr std::size_t kMaxFileBytes = 300000;  // enough to be longer than either file

// Big blocks live in static storage: the fuzzer runs them thousands of times a second.
std::span<const std::uint8_t> FileContent(std::span<const std::uint8_t> input) {
  static std::vector<std::uint8_t> content(kMaxFileBytes);
  if (input.size() < 3) return {};
  const std::size_t length = ((std::size_t{input[0]} << 16) | (std::size_t{input[1]} << 8) | input[2]) % kMaxFileBytes;
  const std::span<const std::uint8_t> pattern = input.subspan(3);
  for (std::size_t i = 0; i < length; ++i) content[i] = pattern.empty() ? 0 : pattern[i % pattern.size()];
  return std::span(content).first(length);
}

void FuzzKeymap(std::span<const std::uint8_t> input, KeymapImage mode) {
  const std::span<const std::uint8_t> content = FileContent(input);
  const std::filesystem::path path = g_dir / "keymap.bin";
  WriteInput(path, content);
  static DeviceImage image, imageBefore;
  static KeyRecordTable records, recordsBefore;
  Pattern(image, 1);
  Pattern(records, 2);
  imageBefore = image;
  recordsBefore = records;

  const FileRead read = LoadKeymapFile(path, image, records, mode);
  CHECK(read.status == FileReadStatus::Read);
  CHECK(read.bytes == std::min(content.size(), kKeymapFileSize));

  // What the file holds is taken, the rest stays as it was.
  const auto* got = reinterpret_cast<const std::uint8_t*>(&image);
  const auto* old = reinterpret_cast<const std::uint8_t*>(&imageBefore);
  for (std::size_t i = 0; i < kDeviceImageSize; ++i) {
    const bool fromFile = mode == KeymapImage::Load && i < content.size();
    CHECK(got[i] == (fromFile ? content[i] : old[i]));
  }
  for (std::size_t n = 0; n < kKeyRecordCount; ++n) {
    const auto* gotRecord = reinterpret_cast<const std::uint8_t*>(&records[n]);
    const auto* oldRecord = reinterpret_cast<const std::uint8_t*>(&recordsBefore[n]);
    for (std::size_t i = (n < kKeyCount ? 1 : 0); i < kKeyRecordSize; ++i) {
      const std::size_t at = kDeviceImageSize + n * kKeyRecordSize + i;
      CHECK(gotRecord[i] == (at < content.size() ? content[at] : oldRecord[i]));
    }
  }
  UseState(image, records);
}

void WalkStream(std::span<const std::uint8_t> stream) {
  const std::vector<DecodedEvent> events = ReadEventList(stream);
  std::size_t expected = 0;
  for (const DecodedEvent& e : events) {
    CHECK(e.position == expected);
    CHECK(e.size == kShortEventSize || e.size == kLongEventSize);
    CHECK(e.position + e.size <= kEventStreamSize);
    CHECK(e.event.key != 0);
    expected += e.size;
  }
  CHECK(StreamEnd(stream) == expected);
}

void FuzzMacroFile(std::span<const std::uint8_t> input) {
  const std::span<const std::uint8_t> content = FileContent(input);
  const std::filesystem::path path = g_dir / "MacroDefine.bin";
  WriteInput(path, content);
  static MacroTable table;
  Pattern(table, 3);
  const FileRead read = LoadMacroFile(path, table);
  CHECK(read.status == FileReadStatus::Read);
  CHECK(read.bytes == std::min(content.size(), kMacroTableSize));
  // The records the file reached; the others hold the same fill every time.
  const std::size_t reached = std::min(kMacroCount, (content.size() + kMacroRecordSize - 1) / kMacroRecordSize);
  for (std::size_t n = 0; n < reached; ++n) {
    CHECK(MacroName(table[n]).size() <= kMacroNameUnits);
    WalkStream(table[n].keyboardStream);
    WalkStream(table[n].hostStream);
  }
  static DeviceImage image;
  Pattern(image, 4);
  const std::size_t filled = FillMacroSlots(table, image);
  CHECK(filled <= kMacroSlotCount);
  for (std::size_t i = 0; i < filled; ++i) CHECK(image.macroSlots[i] == MacroSlotOf(table[i]));
}

// Operands come from the input, one byte at a time; zero once it runs out.
struct Reader {
  std::span<const std::uint8_t> bytes;
  std::size_t at = 0;
  bool more() const { return at < bytes.size(); }
  std::uint8_t next() { return at < bytes.size() ? bytes[at++] : 0; }
  std::uint32_t next16() { return static_cast<std::uint32_t>(next()) << 8 | next(); }
};

void CheckEdit(const EventStream& before, const EventStream& after, bool done) {
  if (!done) {
    CHECK(after == before);
    return;
  }
  WalkStream(after);
  for (std::size_t i = StreamEnd(after); i < kEventStreamSize; ++i) CHECK(after[i] == 0);
}

void FuzzStreamEdits(std::span<const std::uint8_t> input) {
  EventStream stream{};
  const std::size_t head = std::min(input.size(), kEventStreamSize);
  if (head > 0) std::memcpy(stream.data(), input.data(), head);
  WalkStream(stream);
  Reader ops{input.subspan(head)};
  while (ops.more()) {
    const std::uint8_t op = ops.next();
    const std::vector<DecodedEvent> events = ReadEventList(stream);
    // A position: usually an event boundary, sometimes any byte.
    const std::uint8_t where = ops.next();
    std::size_t position = where;
    if (where & 0x80) {
      const std::size_t index = where & 0x7F;
      position = index < events.size() ? events[index].position : StreamEnd(stream);
    }
    const MacroEvent event{(op & 0x10) != 0, ops.next(), ops.next16() * (op & 0x20 ? 2u : 1u)};
    const EventStream before = stream;
    switch (op % 4) {
      case 0: {
        const bool done = InsertEvent(stream, position, event);
        CheckEdit(before, stream, done);
        if (done) {
          const auto inserted = DecodeEvent(stream, position);
          CHECK(inserted && inserted->event.key == event.key && inserted->event.release == event.release);
          CHECK(inserted->event.delayMs == std::clamp(event.delayMs, kMinEventDelayMs, kMaxEventDelayMs));
          CHECK(ReadEventList(stream).size() == events.size() + 1);
        }
        break;
      }
      case 1:
        CheckEdit(before, stream, AppendEvent(stream, event));
        break;
      case 2: {
        const bool done = RemoveEvent(stream, position);
        CheckEdit(before, stream, done);
        if (done) CHECK(ReadEventList(stream).size() + 1 == events.size());
        break;
      }
      case 3:
        CheckEdit(before, stream, SetEventDelay(stream, position, event.delayMs));
        break;
    }
  }
}

void FuzzAssignment(std::span<const std::uint8_t> input) {
  Reader in{input};
  static DeviceImage image;
  static KeyRecordTable records;
  static MacroTable macros;
  image = ZeroDeviceImage();
  records = ZeroKeyRecordTable();
  macros = ZeroMacroTable();
  if (!input.empty()) std::memcpy(&records, input.data(), std::min(input.size(), sizeof records));
  RewriteOwnVks(records);
  AssignedFlags assigned{};
  SetMacroName(macros[0], u"m");
  KeyState state{image, records, assigned, macros};

  while (in.more()) {
    const std::size_t key = in.next();
    AssignmentResult result;
    result.kind = in.next();
    const std::uint8_t count = in.next();
    result.count = count == 254 ? 255 : count;
    for (std::size_t i = 0; i < 4; ++i) result.keys[i] = in.next();
    result.macroNumber = static_cast<int>(in.next()) - 1;
    const std::size_t function = in.next();
    if (function < kKeyFunctionCount) result.functionName = std::u16string(KeyFunctions()[function].name.english);
    result.actionPath = std::u16string(in.next() * 2u, u'p');
    result.enabled = in.next() & 1;
    const bool enabled = ApplyAssignment(state, key, result);
    if (key < kKeyCount) {
      CHECK(records[key].ownVk == VkOfKey(key));
      if (result.count == kDefaultPressedCount) CHECK(enabled);
      SetKeyEnabled(image, PositionOfKey(key), enabled);
    }
  }
  UseState(image, records);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/kav-fuzz-XXXXXX";
  CHECK(mkdtemp(pattern) != nullptr);
  g_dir = pattern;
  std::atexit(RemoveDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  switch (data[0] % 5) {
    case 0:
      FuzzKeymap(rest, KeymapImage::Load);
      break;
    case 1:
      FuzzKeymap(rest, KeymapImage::Skip);
      break;
    case 2:
      FuzzMacroFile(rest);
      break;
    case 3:
      FuzzStreamEdits(rest);
      break;
    case 4:
      FuzzAssignment(rest);
      break;
  }
  return 0;
}
