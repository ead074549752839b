#include "kavrelle/macros/macro_events.h"

#include <algorithm>

namespace kav {
namespace {

std::uint32_t ClampDelay(std::uint32_t delayMs) { return std::clamp(delayMs, kMinEventDelayMs, kMaxEventDelayMs); }

// Rebuilds the stream as prefix + middle + suffix with zeros behind; false when it would not fit.
bool Splice(EventStream& stream, std::size_t keepUntil, std::span<const std::uint8_t> middle, std::size_t resumeAt,
            std::size_t end) {
  const std::size_t newEnd = keepUntil + middle.size() + (end - resumeAt);
  if (newEnd > stream.size()) return false;
  EventStream result{};
  std::copy_n(stream.begin(), keepUntil, result.begin());
  std::copy(middle.begin(), middle.end(), result.begin() + static_cast<std::ptrdiff_t>(keepUntil));
  std::copy(stream.begin() + static_cast<std::ptrdiff_t>(resumeAt), stream.begin() + static_cast<std::ptrdiff_t>(end),
            result.begin() + static_cast<std::ptrdiff_t>(keepUntil + middle.size()));
  stream = result;
  return true;
}

bool IsEventBoundary(std::span<const std::uint8_t> stream, std::size_t position, std::size_t& end) {
  bool boundary = false;
  std::size_t p = 0;
  while (auto event = DecodeEvent(stream, p)) {
    if (p == position) boundary = true;
    p += event->size;
  }
  end = p;
  return boundary || position == end;
}

}  // namespace

EncodedEvent EncodeEvent(const MacroEvent& event) {
  EncodedEvent encoded;
  const std::uint32_t delay = ClampDelay(event.delayMs);
  const std::uint8_t direction = event.release ? kReleaseBit : 0;
  encoded.bytes[1] = event.key;
  if (delay <= kMaxShortDelayMs) {
    encoded.bytes[0] = static_cast<std::uint8_t>(direction | delay);
    encoded.size = kShortEventSize;
  } else {
    encoded.bytes[0] = static_cast<std::uint8_t>(direction | kLongFormMark);
    encoded.bytes[2] = static_cast<std::uint8_t>(delay >> 8);
    encoded.bytes[3] = static_cast<std::uint8_t>(delay & 0xFF);
    encoded.size = kLongEventSize;
  }
  return encoded;
}

std::optional<DecodedEvent> DecodeEvent(std::span<const std::uint8_t> stream, std::size_t position) {
  const std::size_t limit = std::min(stream.size(), kEventStreamSize);
  if (position >= limit || limit - position < kShortEventSize) return std::nullopt;
  const std::uint8_t head = stream[position];
  const std::uint8_t key = stream[position + 1];
  if (key == 0) return std::nullopt;
  DecodedEvent decoded;
  decoded.position = position;
  decoded.event.release = (head & kReleaseBit) != 0;
  decoded.event.key = key;
  if ((head & kLongFormMark) == kLongFormMark) {
    if (limit - position < kLongEventSize) return std::nullopt;  // cut off by the end of the stream
    decoded.event.delayMs = static_cast<std::uint32_t>(stream[position + 2]) * 256u + stream[position + 3];
    decoded.size = kLongEventSize;
  } else {
    decoded.event.delayMs = head & kLongFormMark;
    decoded.size = kShortEventSize;
  }
  return decoded;
}

std::vector<DecodedEvent> ReadEventList(std::span<const std::uint8_t> stream) {
  std::vector<DecodedEvent> events;
  events.reserve(kEventStreamSize / kShortEventSize);  // the most a stream can hold
  std::size_t p = 0;
  while (auto event = DecodeEvent(stream, p)) {
    events.push_back(*event);
    p += event->size;
  }
  return events;
}

std::size_t StreamEnd(std::span<const std::uint8_t> stream) {
  std::size_t p = 0;
  while (auto event = DecodeEvent(stream, p)) p += event->size;
  return p;
}

std::uint32_t StoredDelay(std::uint32_t measuredMs, bool recordDelays, bool firstEvent) {
  if (firstEvent || !recordDelays) return kMinEventDelayMs;
  return ClampDelay(measuredMs);
}

bool InsertEvent(EventStream& stream, std::size_t position, const MacroEvent& event) {
  if (event.key == 0) return false;
  std::size_t end = 0;
  if (!IsEventBoundary(stream, position, end)) return false;
  const EncodedEvent encoded = EncodeEvent(event);
  return Splice(stream, position, encoded.view(), position, end);
}

bool AppendEvent(EventStream& stream, const MacroEvent& event) { return InsertEvent(stream, StreamEnd(stream), event); }

bool RemoveEvent(EventStream& stream, std::size_t position) {
  const auto event = DecodeEvent(stream, position);
  std::size_t end = 0;
  if (!event || !IsEventBoundary(stream, position, end)) return false;
  return Splice(stream, position, {}, position + event->size, end);
}

bool SetEventDelay(EventStream& stream, std::size_t position, std::uint32_t delayMs) {
  const auto event = DecodeEvent(stream, position);
  std::size_t end = 0;
  if (!event || !IsEventBoundary(stream, position, end)) return false;
  MacroEvent changed = event->event;
  changed.delayMs = delayMs;
  const EncodedEvent encoded = EncodeEvent(changed);
  return Splice(stream, position, encoded.view(), position + event->size, end);
}

}  // namespace kav
