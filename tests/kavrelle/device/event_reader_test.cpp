// The reader of the event channel, one slice at a time and as the thread's loop.

#include "kavrelle/device/event_reader.h"

#include <gtest/gtest.h>

#include <deque>

#include "tests/kavrelle/device/device_test_support.h"

namespace kav {
namespace {

using namespace kav::testing;

// An event channel that plays a script: each BeginRead and each Wait takes the next step.
class ScriptedEvents final : public EventChannel {
 public:
  struct Step {
    EventWait wait = EventWait::Pending;
    EventReport report{};
  };
  std::deque<bool> beginResults;  // empty: BeginRead succeeds
  std::deque<Step> waits;         // empty: Pending, and `whenDone` runs
  std::function<void()> whenDone;
  int begins = 0;
  int cancels = 0;
  bool outstanding = false;
  int overlapping = 0;  // BeginRead while a read was outstanding

  bool BeginRead() override {
    ++begins;
    if (outstanding) ++overlapping;
    bool ok = true;
    if (!beginResults.empty()) {
      ok = beginResults.front();
      beginResults.pop_front();
    }
    outstanding = ok;
    return ok;
  }
  EventWait Wait(std::uint32_t, EventReport& report) override {
    if (waits.empty()) {
      if (whenDone) whenDone();
      return EventWait::Pending;
    }
    const Step step = waits.front();
    waits.pop_front();
    if (step.wait != EventWait::Pending) outstanding = false;
    if (step.wait == EventWait::Arrived) report = step.report;
    return step.wait;
  }
  void CancelRead() override {
    ++cancels;
    outstanding = false;
  }
};

TEST(EventReader, AcknowledgementsSetTheFlagAndEveryOtherReportIsPostedAsAKey) {
  struct Case {
    const char* name;
    ScriptedEvents::Step step;
    EventReader::Slice slice;
    bool acknowledged;
    std::vector<Posted> posts;
  };
  const Case cases[] = {
      {"acknowledgement", {EventWait::Arrived, {4, 4, 0, 0}}, EventReader::Slice::Handled, true, {}},
      {"key event",
       {EventWait::Arrived, {4, 2, 0x3A, 0}},
       EventReader::Slice::Handled,
       false,
       {{WM_DEVICE_KEY, 0x3A, 0}}},
      {"any kind but 4 is a key event",
       {EventWait::Arrived, {4, 7, 0x41, 0}},
       EventReader::Slice::Handled,
       false,
       {{WM_DEVICE_KEY, 0x41, 0}}},
      {"a slice without data", {EventWait::Pending, {}}, EventReader::Slice::Empty, false, {}},
      {"a failed read", {EventWait::Failed, {}}, EventReader::Slice::Failed, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedEvents events;
    events.waits.push_back(c.step);
    Acknowledgement acknowledgement;
    RecordingWindow window;
    EventReader reader(events, acknowledgement, window);
    EXPECT_EQ(reader.RunSlice(200), c.slice);
    EXPECT_EQ(acknowledgement.IsSet(), c.acknowledged);
    EXPECT_EQ(window.TakePosts(), c.posts);
  }
}

TEST(EventReader, LoopKeepsOneReadAcrossSlicesRetriesFailedReadsAndCancelsOnStop) {
  ScriptedEvents events;
  StopSignal stop;
  events.beginResults = {false, true, true};  // the first read fails at once
  events.waits = {{EventWait::Pending, {}}, {EventWait::Pending, {}}, {EventWait::Arrived, {4, 2, 0x3A, 0}}};
  events.whenDone = [&] { stop.Set(); };
  Acknowledgement acknowledgement;
  RecordingWindow window;
  EventReader reader(events, acknowledgement, window);

  reader.Run(stop, 0);

  EXPECT_EQ(events.begins, 3);  // failed, then one read over three slices, then the last one
  EXPECT_EQ(events.overlapping, 0);
  EXPECT_EQ(events.cancels, 1);  // the read outstanding when stop came
  EXPECT_EQ(window.TakePosts(), (std::vector<Posted>{{WM_DEVICE_KEY, 0x3A, 0}}));
  EXPECT_EQ(window.Debug(), std::vector<std::u16string>(3, std::u16string(kReaderPassDebugText)));
}

TEST(EventReader, ReadsTheSimulatedKeyboardsReports) {
  SimulatedKeyboard keyboard({});
  DeviceLink link(keyboard.Bus());
  ASSERT_TRUE(link.OpenEventChannel());
  ASSERT_TRUE(link.OpenCommandChannel());
  Acknowledgement acknowledgement;
  RecordingWindow window;
  EventReader reader(*link.Event(), acknowledgement, window);

  EXPECT_EQ(reader.RunSlice(0), EventReader::Slice::Empty);
  link.Command().SetFeature(MakeFeatureReport(command::SetGameMode, {{2, 1}}));
  keyboard.PressKey(0x3A);
  reader.Drain();
  EXPECT_TRUE(acknowledgement.IsSet());
  EXPECT_EQ(window.TakePosts(), (std::vector<Posted>{{WM_DEVICE_KEY, 0x3A, 0}}));

  keyboard.Unplug();
  EXPECT_EQ(reader.RunSlice(0), EventReader::Slice::Failed);
  EXPECT_EQ(reader.RunSlice(0), EventReader::Slice::Failed);  // the new read fails at once
}

TEST(Acknowledgement, WaitChecksEvery10MsUntilTheBound) {
  WireTrace trace;
  TracingClock clock(&trace);
  Acknowledgement acknowledgement;
  EXPECT_FALSE(acknowledgement.Wait(clock));
  EXPECT_EQ(trace.Take(), Repeat(kAcknowledgementTimeoutMs / kAcknowledgementPollMs, {"sleep 10"}));
  EXPECT_EQ(clock.NowMs(), kAcknowledgementTimeoutMs);

  acknowledgement.Set();
  EXPECT_TRUE(acknowledgement.Wait(clock));  // the first check comes after one pause
  EXPECT_EQ(trace.Take(), Trace{"sleep 10"});
}

}  // namespace
}  // namespace kav
