#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/random.h"
#include "scenes/fire.h"

using namespace lumaro;

namespace {
class Fire : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AllocateFire());
    BuildFirePalette();
  }
  void TearDown() override { FreeFire(); }
  static std::vector<int> HotCells() {
    std::vector<int> hot;
    for (int i = 0; i < kFireCells; ++i)
      if (FireGrids().FireHeat[i]) hot.push_back(i);
    return hot;
  }
};

int Cell(int row, int column) { return row * kFireSize + column; }
void* NoMemory(size_t) { return nullptr; }
}  // namespace

TEST_F(Fire, SparkAtTheLastColumnWrapsIntoItsOwnRow) {
  SeedFireSpark(128, 0);  // rows 123..125, columns 126, 127, 0, 1, 2
  std::vector<int> expected;
  for (int row = 123; row <= 125; ++row)
    for (int column : {0, 1, 2, 126, 127}) expected.push_back(Cell(row, column));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(HotCells(), expected);
}

TEST_F(Fire, SparkAtColumnZeroWritesTheEndOfTheRowAbove) {
  SeedFireSpark(0, 16);  // rows 107..109; columns -2 and -1 land in rows 106..108
  std::vector<int> expected;
  for (int row = 107; row <= 109; ++row)
    for (int index : {Cell(row - 1, 126), Cell(row - 1, 127), Cell(row, 0), Cell(row, 1), Cell(row, 2)})
      expected.push_back(index);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(HotCells(), expected);
}

TEST_F(Fire, SpreadAveragesWithTheRowBelowLessOne) {
  FireGrids().FireHeat[Cell(51, 10)] = 4;    // quarter sum 1 for the cells above it: they stay cold
  FireGrids().FireHeat[Cell(81, 20)] = 8;    // quarter sum 2: the three cells above become 1
  FireGrids().FireHeat[Cell(20, 30)] = 100;  // its own quarter sum 25: 24
  SpreadFire();
  for (int column = 9; column <= 11; ++column) EXPECT_EQ(FireGrids().FireHeat[Cell(50, column)], 0u);
  for (int column = 19; column <= 21; ++column) EXPECT_EQ(FireGrids().FireHeat[Cell(80, column)], 1u);
  EXPECT_EQ(FireGrids().FireHeat[Cell(20, 30)], 24u);
  EXPECT_EQ(FireGrids().FireHeat[Cell(81, 20)], 1u);  // its own quarter sum 2, less one
}

TEST_F(Fire, AStepIsFourStagesOfFiveSparksAndLeavesTheLastRowsCold) {
  lumaro::srand(77);
  StepFire();
  const int next = lumaro::rand();
  lumaro::srand(77);
  for (int i = 0; i < kFireStagesPerStep * kFireSparksPerStage * 2; ++i) lumaro::rand();
  EXPECT_EQ(lumaro::rand(), next);

  for (int step = 0; step < 300; ++step) StepFire();
  int warm = 0;
  for (int i = 0; i < kFireCells; ++i) {
    ASSERT_LE(FireGrids().FireHeat[i], 255u);
    warm += FireGrids().FireHeat[i] > 0;
  }
  EXPECT_GT(warm, 1000);  // flames rise well above the seeded rows
  for (int i = Cell(126, 0); i < kFireCells; ++i) {
    ASSERT_EQ(FireGrids().FireHeat[i], 0u) << i;
    ASSERT_EQ(FireGrids().FireImage[3 * i] + FireGrids().FireImage[3 * i + 1] + FireGrids().FireImage[3 * i + 2], 0)
        << i;
  }
  // The image is the palette of the heat: the hottest cells white, cold ones black.
  for (int i = 0; i < kFireCells; ++i)
    ASSERT_EQ(FireGrids().FireImage[3 * i + 1], FireGrids().FirePalette[FireGrids().FireHeat[i]][1]) << i;
  EXPECT_EQ(FireGrids().FirePalette[255][2], 255);
  EXPECT_EQ(FireGrids().FirePalette[0][0], 0);
}

// Run under AddressSanitizer this proves every write and read stays inside the grids.
TEST_F(Fire, EverySparkPositionAndThousandsOfStepsStayInside) {
  for (int x = 0; x <= 128; ++x)
    for (int y = 0; y <= 16; ++y) {
      SeedFireSpark(x, y);
      SpreadFire();
    }
  lumaro::srand(5);
  for (int step = 0; step < 5000; ++step) StepFire();
  for (int i = Cell(126, 0); i < kFireCells; ++i) ASSERT_EQ(FireGrids().FireHeat[i], 0u);
}

TEST(FireMemory, WithoutMemoryTheStepDoesNothingAndSaysSo) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(AllocateFire(NoMemory));
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("fire"), std::string::npos) << message;
  EXPECT_FALSE(FireReady());
  EXPECT_EQ(FireGrids().FireHeat, nullptr);
  StepFire();  // harmless
  FreeFire();
}
