#include <gtest/gtest.h>

#include "engine/timedemo.h"

using namespace lumaro;

TEST(Timedemo, TableHasShowOrderRowsWithMedianNearestRankPercentileAndWorst) {
  ResetTimedemo();
  // Scene 3 first out of order, then twenty frames of scene 2 taking 20, 19 .. 1 ms.
  RecordFrameTime(3, 8.0f, 4.0);
  for (int i = 20; i >= 1; --i) RecordFrameTime(2, 4.0f + 0.04f * (20 - i), i);
  RecordFrameTime(kBlankScene, 328.5f, 0.5);
  const std::vector<SceneTiming> rows = TimedemoTable();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].scene, 2);
  EXPECT_EQ(rows[1].scene, 3);
  EXPECT_EQ(rows[2].scene, kBlankScene);  // the blank second comes after the scenes
  EXPECT_EQ(rows[3].scene, -1);
  EXPECT_EQ(rows[0].frames, 20u);
  EXPECT_DOUBLE_EQ(rows[0].median, 10.5);  // even count: the mean of the middle two
  EXPECT_DOUBLE_EQ(rows[0].p95, 19);       // the 19th of 20: nearest rank, no interpolation
  EXPECT_DOUBLE_EQ(rows[0].worst, 20);
  EXPECT_NEAR(rows[0].fps * rows[0].median, 1000, 1e-9);
  EXPECT_DOUBLE_EQ(rows[1].median, 4);  // a single frame is its own median, p95 and worst
  EXPECT_DOUBLE_EQ(rows[1].p95, 4);
  EXPECT_EQ(rows[3].frames, 22u);
  EXPECT_DOUBLE_EQ(rows[3].median, 9.5);  // 0.5, 1, 2, 3, 4, 4, 5 .. 20: between the 11th and 12th
  EXPECT_DOUBLE_EQ(rows[3].worst, 20);
}

TEST(Timedemo, EmptyRunHasNoRowsAndTheFormattedTableStillEnds) {
  ResetTimedemo();
  EXPECT_TRUE(TimedemoTable().empty());
  const std::string text = FormatTimedemoTable(
      {}, {.renderer = "r", .width = 320, .height = 240, .wallSeconds = 0, .startupMs = 0, .peakMegabytes = 0});
  EXPECT_NE(text.find("320 x 240 on r"), std::string::npos);
  EXPECT_NE(text.find("wall time"), std::string::npos);
}
