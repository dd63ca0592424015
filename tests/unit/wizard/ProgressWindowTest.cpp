#include <gtest/gtest.h>

#include <numeric>

#include "WizardFixture.h"
#include "wizard/ProgressWindow.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

// The bar's positions and the time at each, with the outcome set when the
// bar has been set `setAfter` times.
struct Walk {
  std::vector<int> positions;
  std::vector<uint64_t> times;
};

Walk RunLoop(sim::SimClock& clock, OsFamily family, int outcome, size_t setAfter) {
  CompletionStatus status;
  Walk walk;
  RunProgressLoop(clock, status, family, [&](int position) {
    walk.positions.push_back(position);
    walk.times.push_back(clock.NowMs());
    if (walk.positions.size() == setAfter) status.Finish(outcome == CompletionStatus::kSucceeded);
  });
  return walk;
}

std::vector<int> Range(int from, int to, int step) {
  std::vector<int> values;
  for (int v = from; step > 0 ? v <= to : v >= to; v += step) values.push_back(v);
  return values;
}

TEST(ProgressLoopTest, ClimbsEvery80MsToNinetyAndRunsBackToZeroOnFailure) {
  sim::SimClock clock;
  const Walk walk = RunLoop(clock, OsFamily::WinXP, CompletionStatus::kFailed, 95);

  std::vector<int> expected = Range(0, 90, 1);         // 0..90, one per 80 ms
  for (int i = 0; i < 4; ++i) expected.push_back(90);  // held until the outcome
  // The count runs from the step number, which has passed 90.
  const std::vector<int> down = Range(91, 1, -1);
  expected.insert(expected.end(), down.begin(), down.end());
  expected.push_back(0);
  EXPECT_EQ(walk.positions, expected);
  EXPECT_EQ(walk.times[90], 90u * 80);
  EXPECT_EQ(walk.times.back(), 95u * 80 + 91 * 10);
  EXPECT_EQ(clock.NowMs(), 95u * 80 + 91 * 10 + 100);
}

TEST(ProgressLoopTest, RunsUpToNinetyNineOnSuccess) {
  sim::SimClock clock;
  const Walk walk = RunLoop(clock, OsFamily::WinXP, CompletionStatus::kSucceeded, 93);
  ASSERT_GE(walk.positions.size(), 9u);
  EXPECT_EQ(std::vector<int>(walk.positions.end() - 9, walk.positions.end()), Range(91, 99, 1));
  EXPECT_EQ(clock.NowMs(), 93u * 80 + 9 * 10 + 100);
}

TEST(ProgressLoopTest, AnEarlyOutcomeRunsTheBarFromWhereItIs) {
  sim::SimClock clock;
  const Walk success = RunLoop(clock, OsFamily::WinXP, CompletionStatus::kSucceeded, 1);
  EXPECT_EQ(success.positions.front(), 0);
  EXPECT_EQ(std::vector<int>(success.positions.begin() + 1, success.positions.end()),
            Range(1, 99, 1));
  sim::SimClock second;
  const Walk failure = RunLoop(second, OsFamily::WinXP, CompletionStatus::kFailed, 3);
  EXPECT_EQ(failure.positions, (std::vector<int>{0, 1, 2, 3, 2, 1, 0}));
}

TEST(ProgressLoopTest, OnWindows98TheWindowClosesAtNinetyWhateverTheOutcome) {
  sim::SimClock clock;
  const Walk walk = RunLoop(clock, OsFamily::Win98, CompletionStatus::kFailed, 1000);
  EXPECT_EQ(walk.positions, Range(0, 89, 1));
  EXPECT_EQ(clock.NowMs(), 90u * 80);
}

class ProgressWindowTest : public WizardFixture {};

TEST_F(ProgressWindowTest, ItsFirstTickRunsTheLoopAndEndsTheWindow) {
  ProgressWindow progress(sim.clock());
  progress.SetOsFamily(OsFamily::WinXP);
  progress.completionStatus().Reset();
  sim.clock().OnSleep([&](uint64_t now) {
    if (now >= 1000) progress.completionStatus().Finish(true);
  });
  auto dialog = dialogs.Open(IDD_PROGRESS, progress);
  EXPECT_EQ(dialog->timers(), (std::map<int, uint32_t>{{1, 100}}));

  ASSERT_TRUE(dialog->RunUntilEnded(60'000));
  EXPECT_EQ(dialog->result(), kIdOk);
  EXPECT_EQ(dialog->Position(IDC_PROGRESS_BAR), 99);
}

TEST_F(ProgressWindowTest, PaintsItsTextBoldInBlueInTheUpperTwoThirds) {
  ProgressWindow progress(sim.clock());
  auto dialog = dialogs.Open(IDD_PROGRESS, progress);
  const std::vector<sim::DrawnText>& drawn = dialog->Paint();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].text, "Installing printer,please wait...... ");
  EXPECT_EQ(drawn[0].font, (Font{"System", 20, 700}));
  EXPECT_EQ(drawn[0].color, Rgb(0, 51, 153));
  EXPECT_EQ(drawn[0].format, kDtCenter | kDtVCenter | kDtSingleLine);
  EXPECT_EQ(drawn[0].rect.bottom, dialogs.Layout(IDD_PROGRESS)->clientHeight * 2 / 3);
}

}  // namespace
}  // namespace kv
