#include "kavrelle/macros/macro_events.h"

#include <gtest/gtest.h>

#include <vector>

#include "kavrelle/macros/macro_table.h"

namespace kav {
namespace {

using Bytes = std::vector<int>;

Bytes Of(const EncodedEvent& e) { return Bytes(e.bytes.begin(), e.bytes.begin() + static_cast<long>(e.size)); }
Bytes Head(const EventStream& s, std::size_t n) { return Bytes(s.begin(), s.begin() + static_cast<long>(n)); }

EventStream StreamOf(std::initializer_list<std::uint8_t> bytes) {
  EventStream s{};
  std::copy(bytes.begin(), bytes.end(), s.begin());
  return s;
}

TEST(MacroEvents, EncodeAndDecode) {
  struct Case {
    MacroEvent event;
    Bytes bytes;
    std::uint32_t storedDelay;
  };
  const Case cases[] = {
      {{false, 0x04, 40}, {0x28, 0x04}, 40},  // press of A after 40 ms
      {{true, 0x04, 300}, {0xFF, 0x04, 0x01, 0x2C}, 300},
      {{false, 0x41, 1}, {0x01, 0x41}, 1},
      {{false, 0x04, 126}, {0x7E, 0x04}, 126},  // the longest short form
      {{true, 0x04, 126}, {0xFE, 0x04}, 126},
      {{false, 0x04, 127}, {0x7F, 0x04, 0x00, 0x7F}, 127},  // the shortest long form
      {{true, 0xF0, 60000}, {0xFF, 0xF0, 0xEA, 0x60}, 60000},
      {{false, 0x04, 75000}, {0x7F, 0x04, 0xEA, 0x60}, 60000},  // a 75 s pause is capped
      {{false, 0x04, 0}, {0x01, 0x04}, 1},                      // no delay is stored as 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.event.delayMs << " ms");
    const EncodedEvent encoded = EncodeEvent(c.event);
    EXPECT_EQ(Of(encoded), c.bytes);
    const auto decoded = DecodeEvent(encoded.view(), 0);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->event, (MacroEvent{c.event.release, c.event.key, c.storedDelay}));
    EXPECT_EQ(decoded->size, c.bytes.size());
  }
}

TEST(MacroEvents, DelayRules) {
  struct Case {
    std::uint32_t measured;
    bool recordDelays, first;
    std::uint32_t stored;
  };
  const Case cases[] = {
      {500, true, false, 500},     {500, false, false, 1}, {500, true, true, 1},
      {90000, true, false, 60000}, {0, true, false, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(StoredDelay(c.measured, c.recordDelays, c.first), c.stored);

  // Delay recording off: a press and a release of A.
  EventStream keyboard{};
  for (bool release : {false, true}) {
    ASSERT_TRUE(AppendEvent(keyboard, {release, 0x04, StoredDelay(700, false, !release)}));
  }
  EXPECT_EQ(Head(keyboard, 6), (Bytes{0x01, 0x04, 0x81, 0x04, 0, 0}));
}

TEST(MacroEvents, TheListEndsAtTheFirstZeroKeyOrTheEndOfTheStream) {
  struct Case {
    const char* what;
    EventStream stream;
    std::vector<std::size_t> positions;
    std::size_t end;
  };
  EventStream full{};  // 95 short events fill all 190 bytes
  for (std::size_t p = 0; p < full.size(); p += 2) full[p] = 0x01, full[p + 1] = 0x04;
  EventStream cutLong = full;  // a long head at 186 would need bytes up to 189: it fits
  cutLong[186] = 0x7F;
  EventStream overLong = full;  // a long head at 188 would run past byte 189
  overLong[188] = 0xFF;
  const Case cases[] = {
      {"empty", EventStream{}, {}, 0},
      {"mixed forms", StreamOf({0x01, 0x04, 0xFF, 0x04, 0x01, 0x2C, 0x28, 0x05}), {0, 2, 6}, 8},
      {"zero key ends the list", StreamOf({0x01, 0x04, 0x05, 0x00, 0x01, 0x04}), {0}, 2},
      {"a head of 0 with a key is an event", StreamOf({0x00, 0x04}), {0}, 2},
      {"full", full, {}, 190},
      {"long form ending at byte 189", cutLong, {}, 190},
      {"long form cut off", overLong, {}, 188},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto events = ReadEventList(c.stream);
    if (!c.positions.empty()) {
      std::vector<std::size_t> positions;
      for (const auto& e : events) positions.push_back(e.position);
      EXPECT_EQ(positions, c.positions);
    }
    EXPECT_EQ(StreamEnd(c.stream), c.end);
  }
  EXPECT_EQ(ReadEventList(full).size(), 95u);

  // The keyboard stream of a record is followed by the host stream: the walk never reads on.
  MacroRecord record = ZeroMacroRecord();
  record.keyboardStream = full;
  record.keyboardStream[188] = 0x7F;
  record.hostStream.fill(0x04);
  EXPECT_EQ(StreamEnd(record.keyboardStream), 188u);
}

TEST(MacroEvents, EditsKeepTheStreamWithinItsBytes) {
  EventStream s = StreamOf({0x01, 0x04, 0x81, 0x04});
  ASSERT_TRUE(InsertEvent(s, 2, {false, 0x05, 30000}));  // between press and release
  EXPECT_EQ(Head(s, 10), (Bytes{0x01, 0x04, 0x7F, 0x05, 0x75, 0x30, 0x81, 0x04, 0, 0}));
  ASSERT_TRUE(SetEventDelay(s, 2, 50));  // long to short: the rest moves forward
  EXPECT_EQ(Head(s, 8), (Bytes{0x01, 0x04, 0x32, 0x05, 0x81, 0x04, 0, 0}));
  ASSERT_TRUE(SetEventDelay(s, 4, 30000));  // short to long, direction kept
  EXPECT_EQ(Head(s, 10), (Bytes{0x01, 0x04, 0x32, 0x05, 0xFF, 0x04, 0x75, 0x30, 0, 0}));
  ASSERT_TRUE(RemoveEvent(s, 2));
  EXPECT_EQ(Head(s, 8), (Bytes{0x01, 0x04, 0xFF, 0x04, 0x75, 0x30, 0, 0}));

  const EventStream before = s;
  EXPECT_FALSE(InsertEvent(s, 3, {false, 0x05, 1})) << "not an event boundary";
  EXPECT_FALSE(InsertEvent(s, 8, {false, 0x05, 1})) << "past the end of the list";
  EXPECT_FALSE(InsertEvent(s, 0, {false, 0x00, 1})) << "a zero key would end the list";
  EXPECT_FALSE(RemoveEvent(s, 6));
  EXPECT_FALSE(SetEventDelay(s, 1, 5));
  EXPECT_EQ(s, before);
}

TEST(MacroEvents, AnEventThatDoesNotFitIsRefused) {
  EventStream s{};
  for (int i = 0; i < 94; ++i) ASSERT_TRUE(AppendEvent(s, {i % 2 == 1, 0x04, 1}));  // 188 bytes
  const EventStream nearlyFull = s;
  EXPECT_FALSE(AppendEvent(s, {false, 0x05, 500})) << "a long form needs 4 bytes";
  EXPECT_FALSE(InsertEvent(s, 0, {false, 0x05, 500}));
  EXPECT_EQ(s, nearlyFull);
  EXPECT_TRUE(InsertEvent(s, 0, {false, 0x05, 1}));
  EXPECT_EQ(StreamEnd(s), 190u);
  EXPECT_EQ(ReadEventList(s).back().event, (MacroEvent{true, 0x04, 1})) << "the last event moved to 188";
  const EventStream full = s;
  EXPECT_FALSE(AppendEvent(s, {false, 0x05, 1}));
  EXPECT_FALSE(SetEventDelay(s, 0, 500)) << "the long form would need 2 more bytes";
  EXPECT_TRUE(SetEventDelay(s, 0, 100));
  EXPECT_EQ(s[0], 100);
  s[0] = 0x01;
  EXPECT_EQ(s, full);
}

TEST(MacroEvents, KeyEventsGoIntoBothStreams) {
  MacroRecord record = ZeroMacroRecord();
  ASSERT_TRUE(InsertKeyEvent(record, 0, false, 0x41, 40));
  ASSERT_TRUE(InsertKeyEvent(record, 2, true, 0x41, 300));
  ASSERT_TRUE(InsertKeyEvent(record, 2, false, 0xF0, 1));  // mouse codes are their own usage
  EXPECT_EQ(Head(record.keyboardStream, 10), (Bytes{0x28, 0x04, 0x01, 0xF0, 0xFF, 0x04, 0x01, 0x2C, 0, 0}));
  EXPECT_EQ(Head(record.hostStream, 10), (Bytes{0x28, 0x41, 0x01, 0xF0, 0xFF, 0x41, 0x01, 0x2C, 0, 0}));

  const MacroRecord before = record;
  EXPECT_FALSE(InsertKeyEvent(record, 0, false, 0x7C, 1)) << "F13 has no usage the keyboard could play";
  EXPECT_FALSE(InsertKeyEvent(record, 1, false, 0x41, 1));
  EXPECT_EQ(record, before);
}

}  // namespace
}  // namespace kav
