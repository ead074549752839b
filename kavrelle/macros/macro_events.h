#pragma once
// The macro event stream: 190 bytes of 2- or 4-byte events, zero after the last one.
//
//   short form (delay 1-126 ms):       head, key
//   long form  (delay 127-60000 ms):   head, key, delay high byte, delay low byte
//   head: bit 7 = release, bits 0-6 = delay (short) or 0x7F (long)
//
// A macro record holds two parallel streams: the keyboard stream with HID usages and the
// host stream with VK codes, the same events at the same byte positions. A stream ends at the
// first event whose key byte is 0, or where the next event would run past byte 189.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kav {

inline constexpr std::size_t kEventStreamSize = 190;
using EventStream = std::array<std::uint8_t, kEventStreamSize>;

inline constexpr std::uint32_t kMinEventDelayMs = 1;
inline constexpr std::uint32_t kMaxEventDelayMs = 60000;
inline constexpr std::uint32_t kMaxShortDelayMs = 126;
inline constexpr std::uint8_t kLongFormMark = 0x7F;
inline constexpr std::uint8_t kReleaseBit = 0x80;
inline constexpr std::size_t kShortEventSize = 2;
inline constexpr std::size_t kLongEventSize = 4;

struct MacroEvent {
  bool release = false;
  std::uint8_t key = 0;       // HID usage in the keyboard stream, VK in the host stream; never 0
  std::uint32_t delayMs = 1;  // pause before the event
  friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

struct EncodedEvent {
  std::array<std::uint8_t, kLongEventSize> bytes{};
  std::size_t size = 0;  // 2 or 4
  std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
};

// Encodes one event. The delay is clamped to 1-60000 ms first (a 75 s pause is stored as
// 60000); 126 ms and below use the short form, 127 ms and above the long form.
EncodedEvent EncodeEvent(const MacroEvent& event);

struct DecodedEvent {
  MacroEvent event;
  std::size_t position = 0;  // byte offset of the head in the stream
  std::size_t size = 0;      // 2 or 4
};

// Decodes the event at byte `position`; nothing at the end of the list (key byte 0, or an
// event that would run past the end of the stream). The delay is reported as stored.
std::optional<DecodedEvent> DecodeEvent(std::span<const std::uint8_t> stream, std::size_t position);

// The event list: every event from byte 0 up to the end of the list.
std::vector<DecodedEvent> ReadEventList(std::span<const std::uint8_t> stream);

// Byte offset just past the last event (0 for an empty stream).
std::size_t StreamEnd(std::span<const std::uint8_t> stream);

// The delay to store for a new event: 1 for the first event of a macro and whenever delays are
// not recorded, else the measured pause clamped to 1-60000 ms.
std::uint32_t StoredDelay(std::uint32_t measuredMs, bool recordDelays, bool firstEvent);

// Inserts an event at byte `position`, which must be the start of an event or the end of the
// list; the events behind it move back. Refused (false, stream unchanged) when the position is
// not an event boundary, the key is 0, or the stream has no room left for the event.
bool InsertEvent(EventStream& stream, std::size_t position, const MacroEvent& event);
// InsertEvent at the end of the list.
bool AppendEvent(EventStream& stream, const MacroEvent& event);
// Removes the event that starts at `position`; the rest moves forward and the end is zero-filled.
// False (stream unchanged) when no event starts there.
bool RemoveEvent(EventStream& stream, std::size_t position);
// Gives the event at `position` a new delay, switching between the short and the long form as
// needed; direction and key are kept. Refused when no event starts there or a long form has no room.
bool SetEventDelay(EventStream& stream, std::size_t position, std::uint32_t delayMs);

}  // namespace kav
